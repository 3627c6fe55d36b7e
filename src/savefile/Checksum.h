#pragma once
#include <cstdint>

#include "savefile/SaveBuffer.h"

namespace zovek {

inline constexpr std::size_t kChecksumIndex = 1;  // the byte the checksum is kept in

// The checksum of a data region: the sum of byte 0 and bytes 2..7807, mod 256.
std::uint8_t ChecksumOf(const SaveBuffer& buffer);

// Sets SaveBuffer[1] from the other 7807 bytes.
void ComputeChecksum(SaveBuffer& buffer);

}  // namespace zovek
