#pragma once
// Generated save files on disk for the zovek-cli tests.

#include <cstdint>
#include <filesystem>
#include <string>

#include "savefile/TempDir.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"

namespace zovek::clitest {

using savegen::Bytes;
using savegen::CardImage;
using savegen::ChecksumMode;
using savegen::DigitForSave;
using savegen::SingleSave;
using testfiles::TempDir;

// A card with saves 1, 3 and 12 in the first, a middle and the last block.
inline CardImage ThreeSaveCard(ChecksumMode third = ChecksumMode::Correct) {
  CardImage card(7);
  card.GameSave(1, DigitForSave(1), savegen::DemoRegion(11))
      .GameSave(8, DigitForSave(3), savegen::DemoRegion(33), third)
      .GameSave(15, DigitForSave(12), savegen::DemoRegion(1212));
  return card;
}

inline std::filesystem::path Write(const TempDir& dir, const std::string& name, const Bytes& bytes) {
  const std::filesystem::path path = dir / name;
  savegen::WriteWholeFile(path, bytes);
  return path;
}

// Flips one bit of a byte of the file's bytes.
inline Bytes Flipped(Bytes bytes, std::uint64_t position, int bit) {
  bytes.at(position) = static_cast<std::uint8_t>(bytes.at(position) ^ (1u << bit));
  return bytes;
}

}  // namespace zovek::clitest
