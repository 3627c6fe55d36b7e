#pragma once
// What every fuzz target does with its check's verdict: a broken property is
// a crash, so libFuzzer saves the input and stops.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zovek::fuzzcheck {

inline void RequireHolds(const std::string& failure) {
  if (!failure.empty()) {
    std::fprintf(stderr, "property broken: %s\n", failure.c_str());
    std::abort();
  }
}

}  // namespace zovek::fuzzcheck
