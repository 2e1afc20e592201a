// The suggestions come from an IEnumString of our own: a plain struct whose
// first member is its function table, as COM lays out an object in C.
#define CINTERFACE
#define COBJMACROS
#include "app/connection_suggestions_win.h"

#include <objbase.h>
#include <shldisp.h>
#include <shlguid.h>

#include <new>
#include <string>

#include "runtime/codepage_win.h"
#include "runtime/system_win.h"

namespace {

// ole32 is taken at run time, once the window is painted, not at load time.
struct ComCalls {
  decltype(&CoInitializeEx) initialize;
  decltype(&CoCreateInstance) createInstance;
  decltype(&CoTaskMemAlloc) allocate;
};

// The calls, or nullptr when ole32 cannot be had; loaded once, kept.
const ComCalls* Com() {
  static ComCalls calls;
  static const bool loaded = [] {
    HMODULE ole = LoadSystemLibrary("ole32.dll");
    return ole && ResolveExport(ole, "CoInitializeEx", calls.initialize) &&
           ResolveExport(ole, "CoCreateInstance", calls.createInstance) &&
           ResolveExport(ole, "CoTaskMemAlloc", calls.allocate);
  }();
  return loaded ? &calls : nullptr;
}

struct NameList {
  const IEnumStringVtbl* table;  // first, where COM looks for it
  LONG references;
  std::vector<std::wstring> names;
  size_t next;
};

NameList* Self(IEnumString* list) { return reinterpret_cast<NameList*>(list); }

HRESULT STDMETHODCALLTYPE QueryInterfaceOf(IEnumString* list, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumString)) {
    *object = list;
    InterlockedIncrement(&Self(list)->references);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AddRefOf(IEnumString* list) {
  return static_cast<ULONG>(InterlockedIncrement(&Self(list)->references));
}

ULONG STDMETHODCALLTYPE ReleaseOf(IEnumString* list) {
  LONG left = InterlockedDecrement(&Self(list)->references);
  if (left == 0) delete Self(list);
  return static_cast<ULONG>(left);
}

// Each name goes out as a copy the caller frees with CoTaskMemFree.
HRESULT STDMETHODCALLTYPE NextOf(IEnumString* list, ULONG wanted, LPOLESTR* names, ULONG* fetched) {
  NameList* self = Self(list);
  ULONG given = 0;
  for (; given < wanted && self->next < self->names.size(); ++given, ++self->next) {
    const std::wstring& name = self->names[self->next];
    size_t bytes = (name.size() + 1) * sizeof(wchar_t);
    names[given] = static_cast<LPOLESTR>(Com()->allocate(bytes));
    if (!names[given]) break;
    CopyMemory(names[given], name.c_str(), bytes);
  }
  if (fetched) *fetched = given;
  return given == wanted ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE SkipOf(IEnumString* list, ULONG count) {
  NameList* self = Self(list);
  self->next += count;
  if (self->next <= self->names.size()) return S_OK;
  self->next = self->names.size();
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE ResetOf(IEnumString* list) {
  Self(list)->next = 0;
  return S_OK;
}

IEnumString* NewNameList(const std::vector<std::wstring>& names, size_t next);

HRESULT STDMETHODCALLTYPE CloneOf(IEnumString* list, IEnumString** copy) {
  if (!copy) return E_POINTER;
  *copy = NewNameList(Self(list)->names, Self(list)->next);
  return *copy ? S_OK : E_OUTOFMEMORY;
}

const IEnumStringVtbl kNameListTable = {QueryInterfaceOf, AddRefOf, ReleaseOf, NextOf, SkipOf, ResetOf, CloneOf};

// A new list with one reference, the caller's.
IEnumString* NewNameList(const std::vector<std::wstring>& names, size_t next) {
  NameList* list = new (std::nothrow) NameList{&kNameListTable, 1, names, next};
  return reinterpret_cast<IEnumString*>(list);
}

}  // namespace

void OfferConnectionNames(HWND edit, const std::vector<Connection>& connections) {
  const ComCalls* com = Com();
  if (!edit || connections.empty() || !com) return;
  // The window's thread is a single-threaded apartment for the life of the program.
  if (FAILED(com->initialize(nullptr, COINIT_APARTMENTTHREADED))) return;
  IAutoComplete2* autoComplete = nullptr;
  if (FAILED(com->createInstance(CLSID_AutoComplete, nullptr, CLSCTX_INPROC_SERVER, IID_IAutoComplete2,
                                 reinterpret_cast<void**>(&autoComplete)))) {
    return;
  }
  std::vector<std::wstring> names;
  for (const Connection& connection : connections) names.push_back(WideFromAnsi(connection.name));
  IEnumString* list = NewNameList(names, 0);
  if (list && SUCCEEDED(IAutoComplete2_Init(autoComplete, edit, reinterpret_cast<IUnknown*>(list), nullptr, nullptr))) {
    IAutoComplete2_SetOptions(autoComplete, ACO_AUTOSUGGEST | ACO_UPDOWNKEYDROPSLIST);
  }
  // The autocomplete object keeps what it needs for as long as the box lives.
  if (list) IEnumString_Release(list);
  IAutoComplete2_Release(autoComplete);
}
