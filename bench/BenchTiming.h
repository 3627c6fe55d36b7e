#pragma once
// Timing helpers shared by the benchmark programs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace zovek::bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0.0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// The value below which the fraction q of the values lie (nearest rank).
inline double Quantile(std::vector<double> values, double q) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(rank, values.size() - 1)];
}

// One line of the table that bench/run.sh gathers:
// "RESULT|name|measured|limit|ratio|target|note"
inline void PrintResult(const std::string& name, const std::string& measured, const std::string& limit, double ratio,
                        const std::string& target, const std::string& note) {
  std::printf("RESULT|%s|%s|%s|%.2f|%s|%s\n", name.c_str(), measured.c_str(), limit.c_str(), ratio, target.c_str(),
              note.c_str());
  std::fflush(stdout);
}

inline std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace zovek::bench
