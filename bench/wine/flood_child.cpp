// A child for the hidden runner's benchmark: flood_child MS writes 64 KiB blocks
// of text to standard output, one after another, until MS milliseconds have
// passed, so that the reader finds the pipe full on almost every pass.
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  DWORD duration = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
  std::string block(65536, 'x');
  for (size_t at = 63; at < block.size(); at += 64) block[at] = '\n';
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD start = GetTickCount();
  DWORD written = 0;
  while (GetTickCount() - start < duration) {
    if (!WriteFile(output, block.data(), static_cast<DWORD>(block.size()), &written, nullptr)) return 1;
  }
  return 0;
}
