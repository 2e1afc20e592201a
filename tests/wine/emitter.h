// The output of "emitter bytes N": numbered lines, so order and losses show.
#pragma once

#include <cstdio>
#include <string>

inline std::string EmitterPattern(unsigned long long size) {
  std::string all;
  all.reserve(size + 16);
  char line[16];
  for (unsigned long long n = 0; all.size() < size; ++n) {
    std::snprintf(line, sizeof line, "%010llu\n", n);
    all += line;
  }
  all.resize(size);
  return all;
}
