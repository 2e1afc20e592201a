// FindText and FindBytes over 16 MiB, against memmem on the same data.
// Goal: each at least half of memmem's throughput.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "runtime/text.h"

namespace {

const size_t kSize = 16u << 20;
const double kGoal = 0.5;

// Best of several runs, in MiB/s; the sought text stands at the very end.
double Throughput(const std::function<long()>& search) {
  double best = 1e30;
  volatile long sink = 0;
  for (int run = 0; run < 7; ++run) {
    const auto start = std::chrono::steady_clock::now();
    sink = sink + search();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return kSize / best / (1 << 20);
}

long MemMem(const std::string& haystack, const std::string& sought) {
  const void* hit = memmem(haystack.data(), haystack.size(), sought.data(), sought.size());
  return hit ? static_cast<const char*>(hit) - haystack.data() : -1;
}

// Words of ASCII letters, or of GBK characters, with spaces and markup between.
std::string Filler(bool chinese) {
  std::mt19937 random(7);
  std::string text;
  text.reserve(kSize);
  while (text.size() < kSize) {
    const int length = 2 + static_cast<int>(random() % 8);
    for (int i = 0; i < length; ++i) {
      if (chinese) {
        text += static_cast<char>(0xB0 + random() % 0x28);
        text += static_cast<char>(0xA1 + random() % 0x5E);
      } else {
        text += static_cast<char>('a' + random() % 26);
      }
    }
    text += random() % 11 == 0 ? "</a><a href=\"/x\">" : " ";
  }
  return text;
}

std::string RandomBytes() {
  std::mt19937 random(11);
  std::string bytes(kSize, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

void Report(const char* what, double ours, double memmemRate) {
  const double ratio = ours / memmemRate;
  std::printf("%-44s %8.0f MiB/s  memmem %8.0f MiB/s  ratio %.2f (goal >= %.2f) %s\n", what, ours, memmemRate, ratio,
              kGoal, ratio >= kGoal ? "met" : "MISSED");
}

void CompareText(const char* what, std::string text, const std::string& sought) {
  text.replace(text.size() - sought.size(), sought.size(), sought);
  Report(what, Throughput([&] { return static_cast<long>(FindText(text, sought)); }),
         Throughput([&] { return MemMem(text, sought); }));
}

void CompareBytes(const char* what, const std::string& data, const std::string& sought) {
  Bytes body(data.begin(), data.end());
  std::copy(sought.begin(), sought.end(), body.end() - static_cast<long>(sought.size()));
  const Bytes marker(sought.begin(), sought.end());
  const std::string copy(body.begin(), body.end());
  Report(what, Throughput([&] { return static_cast<long>(FindBytes(body, marker)); }),
         Throughput([&] { return MemMem(copy, sought); }));
}

}  // namespace

int main() {
  const std::string marker = "\xE7\x99\xBE\xE5\xBA\xA6\xE4\xB8\x80\xE4\xB8\x8B";  // UTF-8 of 百度一下
  std::printf("FindText / FindBytes on 16 MiB, sought text at the end\n");
  CompareText("FindText, ASCII words, 12-byte ASCII", Filler(false), "</nevrolt-1>");
  CompareText("FindText, ASCII words, 2-byte ASCII", Filler(false), "q!");
  CompareText("FindText, GBK words, 8-byte GBK", Filler(true), "联网状况");
  CompareBytes("FindBytes, random bytes, 12-byte marker", RandomBytes(), marker);
  CompareBytes("FindBytes, GBK page, 12-byte marker", Filler(true), marker);
  return 0;
}
