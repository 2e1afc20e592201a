// Byte buffer services and the plain byte search under every finder.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "runtime/text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Rough frequency of each byte in text and in typical binary data. The search
// looks for the sought byte with the lowest rank, so that memchr stops rarely.
int ByteRank(unsigned char c) {
  static const char kCommon[] = " etaoinsrhldcumfpgwybvk";  // most frequent first
  if (c == 0) return 200;
  if (const char* p = static_cast<const char*>(std::memchr(kCommon, c, sizeof kCommon - 1)))
    return 190 - static_cast<int>(p - kCommon) * 3;
  if (c >= '0' && c <= '9') return 110;
  if (c == '\r' || c == '\n' || c == ',' || c == '.' || c == '/' || c == '=') return 100;
  if (c >= 0xA1 && c <= 0xD7) return 90;  // GBK lead bytes and common trail bytes
  if (c >= 0x80) return 60;
  if (c >= 'A' && c <= 'Z') return 50;
  return 20;
}

// Picks the two positions of sought whose bytes the table ranks rarest: the
// rarest at rare, the next at other.
void PickRarePair(const unsigned char* sought, size_t soughtSize, size_t& rare, size_t& other) {
  rare = 0;
  for (size_t i = 1; i < soughtSize; ++i)
    if (ByteRank(sought[i]) < ByteRank(sought[rare])) rare = i;
  other = rare == 0 ? 1 : 0;
  for (size_t i = 0; i < soughtSize; ++i)
    if (i != rare && ByteRank(sought[i]) < ByteRank(sought[other])) other = i;
}

#if defined(__SSE2__)

// Tests thirty-two candidate starts at a time for the two rarest bytes of sought,
// then verifies the flagged ones. A byte that is rare in the table may be
// common in the data (as '<' in markup); both bytes together seldom are.
size_t SearchPair(const unsigned char* data, size_t size, const unsigned char* sought, size_t soughtSize, size_t from) {
  size_t rare;
  size_t other;
  PickRarePair(sought, soughtSize, rare, other);
  const __m128i rareLanes = _mm_set1_epi8(static_cast<char>(sought[rare]));
  const __m128i otherLanes = _mm_set1_epi8(static_cast<char>(sought[other]));
  const size_t lastStart = size - soughtSize;
  size_t p = from;
  const auto pairMask = [&](size_t at) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + rare));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + other));
    return static_cast<uint32_t>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, rareLanes), _mm_cmpeq_epi8(b, otherLanes))));
  };
  // The loads end at most at data[lastStart + soughtSize - 1], the last byte.
  for (; p + 31 <= lastStart; p += 32) {
    for (uint32_t mask = pairMask(p) | pairMask(p + 16) << 16; mask != 0; mask &= mask - 1) {
      const size_t candidate = p + static_cast<size_t>(__builtin_ctz(mask));
      if (std::memcmp(data + candidate, sought, soughtSize) == 0) return candidate;
    }
  }
  for (; p <= lastStart; ++p)
    if (data[p + rare] == sought[rare] && std::memcmp(data + p, sought, soughtSize) == 0) return p;
  return Text::npos;
}

#else

// Zero bytes of v are flagged (with possible false flags above a true one).
uint64_t ZeroLanes(uint64_t v) {
  const uint64_t kOnes = 0x0101010101010101ULL;
  return (v - kOnes) & ~v & (kOnes * 0x80);
}

// Tests eight candidate starts at a time for two bytes of sought (at first and
// second), then verifies the flagged ones. Used when candidates are dense.
size_t SearchByPair(const unsigned char* data, size_t size, const unsigned char* sought, size_t soughtSize,
                    size_t start, size_t first, size_t second) {
  const uint64_t kOnes = 0x0101010101010101ULL;
  const uint64_t firstLanes = kOnes * sought[first];
  const uint64_t secondLanes = kOnes * sought[second];
  const size_t lastStart = size - soughtSize;
  size_t p = start;
  for (; p + 7 <= lastStart; p += 8) {
    uint64_t a;
    uint64_t b;
    std::memcpy(&a, data + p + first, 8);
    std::memcpy(&b, data + p + second, 8);
    if ((ZeroLanes(a ^ firstLanes) & ZeroLanes(b ^ secondLanes)) == 0) continue;
    for (size_t k = p; k < p + 8; ++k)
      if (data[k + first] == sought[first] && data[k + second] == sought[second] &&
          std::memcmp(data + k, sought, soughtSize) == 0)
        return k;
  }
  for (; p <= lastStart; ++p)
    if (std::memcmp(data + p, sought, soughtSize) == 0) return p;
  return Text::npos;
}

// Without SSE2: memchr for the rarest byte, and pairs of bytes eight at a time
// once that byte proves common in the data.
size_t SearchPair(const unsigned char* data, size_t size, const unsigned char* sought, size_t soughtSize, size_t from) {
  size_t rare;
  size_t other;
  PickRarePair(sought, soughtSize, rare, other);
  const unsigned char rareByte = sought[rare];
  const size_t lastStart = size - soughtSize;
  size_t misses = 0;
  size_t start = from;
  while (start <= lastStart) {
    const void* hit = std::memchr(data + start + rare, rareByte, lastStart - start + 1);
    if (!hit) return Text::npos;
    const size_t candidate = static_cast<size_t>(static_cast<const unsigned char*>(hit) - data) - rare;
    if (std::memcmp(data + candidate, sought, soughtSize) == 0) return candidate;
    start = candidate + 1;
    if (++misses > 64 && (start - from) / misses < 32)
      return SearchByPair(data, size, sought, soughtSize, start, rare, other);
  }
  return Text::npos;
}

#endif

}  // namespace

size_t SearchBytes(const unsigned char* data, size_t size, const unsigned char* sought, size_t soughtSize,
                   size_t from) {
  if (soughtSize == 0 || from > size || size - from < soughtSize) return Text::npos;
  if (soughtSize == 1) {
    const void* hit = std::memchr(data + from, sought[0], size - from);
    return hit ? static_cast<size_t>(static_cast<const unsigned char*>(hit) - data) : Text::npos;
  }
  return SearchPair(data, size, sought, soughtSize, from);
}

Bytes BlankBytes(int n) { return Bytes(n > 0 ? static_cast<size_t>(n) : 0, 0); }

int BytesLength(const Bytes& b) { return static_cast<int>(b.size()); }

Bytes TextToBytes(std::string_view t) { return Bytes(t.begin(), t.end()); }

Text BytesToText(const Bytes& b) {
  const auto end = std::find(b.begin(), b.end(), 0);
  return Text(b.begin(), end);
}

Bytes LeftBytes(const Bytes& b, int n) {
  if (n <= 0) return {};
  return Bytes(b.begin(), b.begin() + std::min(b.size(), static_cast<size_t>(n)));
}

Bytes MidBytes(const Bytes& b, int start, int n) {
  const size_t first = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
  if (n <= 0 || first >= b.size()) return {};
  const size_t count = std::min(b.size() - first, static_cast<size_t>(n));
  return Bytes(b.begin() + first, b.begin() + first + count);
}

int FindBytes(const Bytes& b, const Bytes& sought, int start) {
  const size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
  const size_t hit = SearchBytes(b.data(), b.size(), sought.data(), sought.size(), from);
  return hit == Text::npos ? -1 : static_cast<int>(hit) + 1;
}

Bytes ConcatBytes(const Bytes& a, const Bytes& b) {
  Bytes joined;
  joined.reserve(a.size() + b.size());
  joined.insert(joined.end(), a.begin(), a.end());
  joined.insert(joined.end(), b.begin(), b.end());
  return joined;
}

bool CompareBytes(const Bytes& a, const Bytes& b) { return a == b; }

int BitOr(std::initializer_list<int> values) {
  int bits = 0;
  for (int v : values) bits |= v;
  return bits;
}
