#include <gtest/gtest.h>

#include "savefile/Checksum.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"

namespace zovek {
namespace {

TEST(Checksum, WorkedExamples) {
  SaveBuffer buffer{};
  EXPECT_EQ(ChecksumOf(buffer), 0);

  buffer[0] = 0xFF;
  buffer[2] = 0x02;
  EXPECT_EQ(ChecksumOf(buffer), 0x01);
  buffer[1] = 0x77;  // the checksum byte itself is not summed
  EXPECT_EQ(ChecksumOf(buffer), 0x01);

  buffer[7807] = 0x10;  // the last byte is
  EXPECT_EQ(ChecksumOf(buffer), 0x11);
}

TEST(Checksum, WrapsAroundAndStoresIntoByteOne) {
  SaveBuffer buffer;
  buffer.fill(0xFF);  // 7807 * 255 = 1990785 = 0x1E6081
  ComputeChecksum(buffer);
  EXPECT_EQ(buffer[1], 0x81);
  EXPECT_EQ(buffer[0], 0xFF);
  EXPECT_EQ(buffer[2], 0xFF);
}

TEST(Checksum, AgreesWithTheGeneratorsOwnSum) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SaveBuffer region = savegen::DemoRegion(seed);
    region[1] ^= 0x5A;
    ComputeChecksum(region);
    EXPECT_EQ(region[1], savegen::RegionChecksum(region)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace zovek
