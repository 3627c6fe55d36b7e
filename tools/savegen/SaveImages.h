#pragma once
// Builds memory-card images (131072 bytes) and single-save files (8320 bytes)
// byte by byte, for tests and example files: frames with any 5-byte game code
// and any digit byte, data regions with a right or a deliberately wrong
// checksum. Independent of the save-file library, so tests can check one
// against the other.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "savefile/SaveBuffer.h"

namespace zovek::savegen {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::string_view kGameCode = "ZOVEK";
inline constexpr std::size_t kCodeOffsetInFrame = 23;   // bytes 23..27
inline constexpr std::size_t kDigitOffsetInFrame = 29;

enum class ChecksumMode {
  Correct,  // byte 1 := sum of byte 0 and bytes 2..7807, mod 256
  Wrong,    // byte 1 := the correct value plus 1, mod 256
  Keep,     // byte 1 as the region holds it
};

// The digit byte the game writes for save number 1..15: "0".."9", then "A".."E".
std::uint8_t DigitForSave(int saveNumber);

// The checksum byte of a region, computed here on its own.
std::uint8_t RegionChecksum(const SaveBuffer& region);
void ApplyChecksum(SaveBuffer& region, ChecksumMode mode);

// Writes the code (exactly 5 characters) at bytes 23..27 and the digit at
// byte 29 of a frame (at least 30 bytes); no other byte changes.
void PutFrame(std::span<std::uint8_t> frame, std::string_view code, std::uint8_t digit);

class CardImage {
 public:
  // Seed 0: every byte 0. Any other seed: every byte noise from that seed,
  // except that byte 23 of each frame is 0, so no frame carries a code by chance.
  explicit CardImage(std::uint32_t noiseSeed = 0);

  // Directory frame n = 0..15 with any code and digit; the block is untouched.
  CardImage& Frame(int n, std::string_view code, std::uint8_t digit);
  // The data region of block 1..15 (file bytes 8192*block+384 ..+7807).
  CardImage& Region(int block, const SaveBuffer& region, ChecksumMode mode = ChecksumMode::Correct);
  // A save of the game in block 1..15: its frame with "ZOVEK" and the digit,
  // noise (seeded by block and digit) in the block's first 384 bytes, and the region.
  CardImage& GameSave(int block, std::uint8_t digit, const SaveBuffer& region,
                      ChecksumMode mode = ChecksumMode::Correct);
  // A save of another game in block 1..15: its frame, and the whole block noise.
  CardImage& OtherGameSave(int block, std::string_view code, std::uint8_t digit, std::uint32_t seed);

  SaveBuffer RegionAt(int block) const;
  static std::uint64_t RegionOffset(int block) { return static_cast<std::uint64_t>(block) * kBlockSize + kDataRegionStartInBlock; }
  static std::uint64_t FrameOffset(int n) { return static_cast<std::uint64_t>(n) * kFrameSize; }

  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }

 private:
  Bytes bytes_;
};

class SingleSave {
 public:
  // Same noise rule as CardImage; byte 23 stays 0 until Frame is called.
  explicit SingleSave(std::uint32_t noiseSeed = 0);

  SingleSave& Frame(std::string_view code, std::uint8_t digit);
  SingleSave& Region(const SaveBuffer& region, ChecksumMode mode = ChecksumMode::Correct);
  // Frame with "ZOVEK" and the digit, and the region.
  SingleSave& GameSave(std::uint8_t digit, const SaveBuffer& region, ChecksumMode mode = ChecksumMode::Correct);

  SaveBuffer RegionAt() const;
  static constexpr std::uint64_t kRegionOffset = kSingleSaveRegionOffset;

  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }

 private:
  Bytes bytes_;
};

// A card image inside the .gme container: a 3904-byte header that begins
// with the ASCII text "123-456-STD" (the rest noise from the seed, so that a
// write into the header shows), then the 131072 bytes of the card.
inline constexpr std::string_view kGmeSignature = "123-456-STD";
inline constexpr std::size_t kGmeHeaderSize = 3904;
Bytes GmeContainer(std::span<const std::uint8_t> card, std::uint32_t headerSeed = 1);

}  // namespace zovek::savegen
