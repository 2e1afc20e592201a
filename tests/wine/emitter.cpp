// A child for the hidden runner's tests and benchmark. Modes:
//   emitter bytes N          N bytes of EmitterPattern on standard output
//   emitter streams          "out1\n" to stdout, "err1\n" to stderr, "out2\n" to stdout
//   emitter nul              "abc\0def", then after a pause "ghi"
//   emitter hold START GO    sets event START, waits for event GO, prints "held"
//   emitter sleep MS         prints nothing for MS milliseconds
#include "tests/wine/emitter.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

void Write(DWORD which, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "bytes" && argc > 2) {
    std::string all = EmitterPattern(std::strtoull(argv[2], nullptr, 10));
    constexpr size_t kWrite = 65536;
    for (size_t at = 0; at < all.size(); at += kWrite) Write(STD_OUTPUT_HANDLE, all.substr(at, kWrite));
  } else if (mode == "streams") {
    Write(STD_OUTPUT_HANDLE, "out1\n");
    Write(STD_ERROR_HANDLE, "err1\n");
    Write(STD_OUTPUT_HANDLE, "out2\n");
  } else if (mode == "nul") {
    Write(STD_OUTPUT_HANDLE, std::string("abc\0def", 7));
    Sleep(500);  // lets the reader take the first write as a chunk of its own
    Write(STD_OUTPUT_HANDLE, "ghi");
  } else if (mode == "hold" && argc > 3) {
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    SetEvent(started);
    WaitForSingleObject(go, 60000);
    Write(STD_OUTPUT_HANDLE, "held");
  } else if (mode == "sleep" && argc > 2) {
    Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
  } else {
    return 2;
  }
  return 0;
}
