#pragma once
// Files and buffers the save and backup tests both start from.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "savefile/SaveBuffer.h"
#include "savegen/ByteFiles.h"
#include "savegen/SaveImages.h"

namespace zovek::testfiles {

inline constexpr auto kReadOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                  std::filesystem::perms::others_read;

inline SaveBuffer Filled(std::uint8_t value) {
  SaveBuffer buffer;
  buffer.fill(value);
  return buffer;
}

// Noise everywhere, so every byte of the file is told apart from its neighbours.
inline savegen::Bytes CardWithSaveTwoInBlockFive() {
  savegen::CardImage card(2024);
  card.Frame(5, "ZOVEK", '1');
  return card.bytes();
}

inline savegen::Bytes SingleWithDigit(std::uint8_t digit) {
  savegen::SingleSave single(88);
  single.Frame("ZOVEK", digit);
  return single.bytes();
}

// Every byte that differs between two files of the same length.
inline std::vector<std::size_t> Differences(const savegen::Bytes& before, const savegen::Bytes& after) {
  EXPECT_EQ(before.size(), after.size());
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i) {
    if (before[i] != after[i]) positions.push_back(i);
  }
  return positions;
}

}  // namespace zovek::testfiles
