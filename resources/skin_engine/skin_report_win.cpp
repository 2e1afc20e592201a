// The test build of SkinH_EL.dll: what the last SkinH_AttachRes received is kept
// in a section named after the process, which SkinH_QueryAttach reads from
// another process.
#include <windows.h>

#include <string>

#include "resources/skin_engine/skin_report.h"
#include "runtime/handles_win.h"

namespace {

HANDLE reportSection;  // the process's own section, kept until it ends

// The digits are written out by hand: std::to_wstring would bring in a printf.
std::wstring ReportName(DWORD processId) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + processId % 10));
    processId /= 10;
  } while (processId != 0);
  return L"Local\\SkinH_EL.Attach." + digits;
}

}  // namespace

void ReportAttach(const unsigned char* data, std::uint32_t length, const char* password, std::uintptr_t extras,
                  int result, int windows) {
  if (!reportSection) {
    reportSection = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(AttachReport),
                                       ReportName(GetCurrentProcessId()).c_str());
  }
  if (!reportSection) return;
  auto* report = static_cast<AttachReport*>(MapViewOfFile(reportSection, FILE_MAP_WRITE, 0, 0, sizeof(AttachReport)));
  if (!report) return;
  report->calls += 1;
  report->result = result;
  report->length = length;
  report->hash = AttachHash(data, data ? length : 0);
  for (int i = 0; i < 4; ++i) report->head[i] = data && i < static_cast<int>(length) ? data[i] : 0;
  report->passwordEmpty = password && password[0] == '\0';
  report->extras = static_cast<std::uint32_t>(extras);
  report->windows = static_cast<std::uint32_t>(windows);
  UnmapViewOfFile(report);
}

// Copies what the engine in process `processId` last received into `report`
// (bytes of AttachReport, at most `size`). 0 on success.
extern "C" int WINAPI SkinH_QueryAttach(DWORD processId, void* report, DWORD size) {
  if (!report || size == 0) return 1;
  KernelHandle section = OwnHandle(OpenFileMappingW(FILE_MAP_READ, FALSE, ReportName(processId).c_str()));
  if (!section) return 2;
  const void* view = MapViewOfFile(section.get(), FILE_MAP_READ, 0, 0, sizeof(AttachReport));
  if (!view) return 3;
  CopyMemory(report, view, size < sizeof(AttachReport) ? size : sizeof(AttachReport));
  UnmapViewOfFile(view);
  return 0;
}
