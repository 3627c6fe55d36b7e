#pragma once
// The data region of one save, as it sits in its 8192-byte block, and the
// sizes of the two file kinds that carry it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace zovek {

inline constexpr std::size_t kDataRegionSize = 7808;        // block bytes 384..8191
inline constexpr std::size_t kBlockSize = 8192;
inline constexpr std::size_t kDataRegionStartInBlock = 384;
inline constexpr std::size_t kFrameSize = 128;              // one directory frame
inline constexpr std::uint64_t kCardImageSize = 131072;     // directory block + 15 save blocks
inline constexpr std::uint64_t kSingleSaveSize = 8320;      // one frame + one block
inline constexpr std::uint64_t kSingleSaveRegionOffset = 512;
inline constexpr int kSaveNumbers = 15;                     // save numbers 1..15

// SaveBuffer[1] is the checksum byte; every other byte is save data.
using SaveBuffer = std::array<std::uint8_t, kDataRegionSize>;

}  // namespace zovek
