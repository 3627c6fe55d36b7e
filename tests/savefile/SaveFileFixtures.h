#pragma once
// Files and buffers the save and backup tests both start from.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "savefile/Backups.h"
#include "savefile/SaveBuffer.h"
#include "savefile/TempDir.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoSave.h"
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

// A card with saves 1, 3 and 12 in the first, a middle and the last block.
inline savegen::CardImage ThreeSaveCard(savegen::ChecksumMode third = savegen::ChecksumMode::Correct) {
  savegen::CardImage card(7);
  card.GameSave(1, savegen::DigitForSave(1), savegen::DemoRegion(11))
      .GameSave(8, savegen::DigitForSave(3), savegen::DemoRegion(33), third)
      .GameSave(15, savegen::DigitForSave(12), savegen::DemoRegion(1212));
  return card;
}

inline std::filesystem::path Write(const TempDir& dir, const std::string& name, const savegen::Bytes& bytes) {
  const std::filesystem::path path = dir / name;
  savegen::WriteWholeFile(path, bytes);
  return path;
}

// The backup a save would make of the file as it stands.
inline int BackUp(const std::filesystem::path& file, const std::filesystem::path& directory,
                  std::chrono::system_clock::time_point now) {
  const savegen::Bytes bytes = savegen::ReadWholeFile(file);
  return BackUpBytes(file, bytes, directory, now);
}

// Flips one bit of a byte of the file's bytes.
inline savegen::Bytes Flipped(savegen::Bytes bytes, std::uint64_t position, int bit) {
  bytes.at(position) = static_cast<std::uint8_t>(bytes.at(position) ^ (1u << bit));
  return bytes;
}

}  // namespace zovek::testfiles
