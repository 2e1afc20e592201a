// The load configuration of Nevrolt.exe and SkinH_EL.dll. Its DependentLoadFlags
// make Windows 10 1607 and later take every load-time import from the system
// folder, so that no DLL beside the program is ever mapped by the loader.
#include <windows.h>

#include <cstddef>

namespace {

// The size stops before the security cookie and the SafeSEH table, which this
// image does not provide. The field the headers still call Reserved1 is
// DependentLoadFlags.
constexpr IMAGE_LOAD_CONFIG_DIRECTORY LoadConfiguration() {
  IMAGE_LOAD_CONFIG_DIRECTORY configuration = {};
  configuration.Size = offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, SecurityCookie);
  configuration.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
  return configuration;
}

}  // namespace

// The image's load configuration is found by this name (cmake/Windows.cmake
// keeps it through --gc-sections and enters it in the data directory).
extern "C" __attribute__((used)) const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used = LoadConfiguration();
