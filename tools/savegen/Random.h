#pragma once
// A small deterministic generator (SplitMix64): the same seed gives the same
// bytes on every compiler and system, unlike the standard distributions.

#include <cstdint>

namespace zovek::savegen {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 56); }

  // A value in lo..hi, both included (lo <= hi).
  std::uint32_t Range(std::uint32_t lo, std::uint32_t hi) {
    return lo + static_cast<std::uint32_t>(Next() % (static_cast<std::uint64_t>(hi) - lo + 1));
  }

  bool Chance(std::uint32_t percent) { return Range(0, 99) < percent; }

 private:
  std::uint64_t state_;
};

}  // namespace zovek::savegen
