#include "savefile/Checksum.h"

namespace zovek {

std::uint8_t ChecksumOf(const SaveBuffer& buffer) {
  // Byte 1 holds the checksum itself and is left out of the sum.
  std::uint32_t sum = buffer[0];
  for (std::size_t i = 2; i < buffer.size(); ++i) {
    sum += buffer[i];
  }
  return static_cast<std::uint8_t>(sum & 0xFFu);
}

void ComputeChecksum(SaveBuffer& buffer) { buffer[1] = ChecksumOf(buffer); }

}  // namespace zovek
