// What the engine last received. Only the test build of the engine
// (SKIN_ENGINE_REPORTS) keeps it, in a section that SkinH_QueryAttach reads
// from another process; the shipped engine creates no named object.
#pragma once

#include <cstdint>

struct AttachReport {
  std::uint32_t calls;
  std::int32_t result;          // what SkinH_AttachRes returned: 0 or a SkinError
  std::uint32_t length;         // 0 for refused data, which is not read further
  std::uint8_t head[4];         // the first bytes of the data
  std::uint64_t hash;           // FNV-1a (64 bits) of the data
  std::uint32_t passwordEmpty;  // 1: the third argument was an empty text
  std::uint32_t extras;         // the last three arguments, or-ed together
  std::uint32_t windows;        // windows skinned at attach time
};

inline std::uint64_t AttachHash(const unsigned char* data, std::uint32_t length) {
  std::uint64_t hash = 14695981039346656037ull;
  for (std::uint32_t i = 0; i < length; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
  return hash;
}

#ifdef SKIN_ENGINE_REPORTS
void ReportAttach(const unsigned char* data, std::uint32_t length, const char* password, std::uintptr_t extras,
                  int result, int windows);
#else
inline void ReportAttach(const unsigned char*, std::uint32_t, const char*, std::uintptr_t, int, int) {}
#endif
