// Loading every part of a save into the view and storing it back without an
// edit changes no byte, except for the few normalisations the view cannot
// avoid: CR and chips above 999999, the play time cut to whole minutes, the
// byte after a set martial-arts flag raised from 0 to 255, and the main party
// count recounted from the slots. The expected bytes are computed here from
// the layout, not by the engine.

#include <gtest/gtest.h>

#include <random>

#include "WholeSaveWalk.h"

namespace zovek {
namespace {

using wholesave::Le;
using wholesave::LoadAndStoreEverything;
using wholesave::PutLe;

constexpr int kBuffers = 300;

// Bytes drawn towards the values with a meaning of their own: 0, 255, the
// scenario states and the aptitude bit, besides plain random ones.
SaveBuffer BiasedRandomBuffer(std::uint32_t seed) {
  std::mt19937 rng(seed);
  SaveBuffer b{};
  for (auto& byte : b) {
    const auto r = static_cast<std::uint32_t>(rng());
    switch (r % 8) {
      case 0: byte = 0; break;
      case 1: byte = 255; break;
      case 2: byte = static_cast<std::uint8_t>(std::array<int, 3>{2, 3, 254}[(r >> 8) % 3]); break;
      case 3: byte = static_cast<std::uint8_t>(128 | ((r >> 8) & 0x7F)); break;
      default: byte = static_cast<std::uint8_t>(r >> 8); break;
    }
  }
  return b;
}

struct Normalisations {
  int clampedCr = 0, clampedChips = 0, trimmedPlayTime = 0, raisedMartialNext = 0, recountedParty = 0;
};

SaveBuffer ExpectedAfterRoundTrip(SaveBuffer b, Normalisations& seen) {
  for (int k = 0; k < 27; ++k) {
    const int record = 4600 + 112 * k;
    if (Le(b, record, 3) > 999999) {
      PutLe(b, record, 3, 999999);
      ++seen.clampedCr;
    }
    if (b[static_cast<std::size_t>(record + 64)] != 0 && b[static_cast<std::size_t>(record + 65)] == 0) {
      b[static_cast<std::size_t>(record + 65)] = 255;
      ++seen.raisedMartialNext;
    }
  }
  if (Le(b, 1005, 3) > 999999) {
    PutLe(b, 1005, 3, 999999);
    ++seen.clampedChips;
  }
  const std::uint32_t sixtieths = Le(b, 964, 3) + (b[967] != 0 ? 16777216u : 0u);
  const std::uint32_t wholeMinutes = sixtieths / 3600 * 3600;
  if (wholeMinutes != Le(b, 964, 4)) ++seen.trimmedPlayTime;
  PutLe(b, 964, 4, wholeMinutes);
  int filled = 0;
  for (int slot = 36; slot <= 39; ++slot) filled += b[static_cast<std::size_t>(slot)] != 255 ? 1 : 0;
  if (b[32] != filled) ++seen.recountedParty;
  b[32] = static_cast<std::uint8_t>(filled);
  return b;
}

testing::AssertionResult SameBytes(const SaveBuffer& actual, const SaveBuffer& expected) {
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] != expected[i]) {
      return testing::AssertionFailure() << "byte " << i << " is " << int{actual[i]} << ", expected "
                                         << int{expected[i]};
    }
  }
  return testing::AssertionSuccess();
}

TEST(RoundTrip, OnlyTheDocumentedNormalisationsChangeBytes) {
  Normalisations seen;
  for (std::uint32_t seed = 1; seed <= kBuffers; ++seed) {
    SaveBuffer buffer = BiasedRandomBuffer(seed);
    const SaveBuffer expected = ExpectedAfterRoundTrip(buffer, seen);
    MemoryView view{MemoryView::BoxTexts::AsGiven};
    LoadAndStoreEverything(buffer, view);
    ASSERT_TRUE(SameBytes(buffer, expected)) << "seed " << seed;
  }
  // The buffers must actually exercise every normalisation, and not only once.
  EXPECT_GT(seen.clampedCr, 100);
  EXPECT_GT(seen.clampedChips, 10);
  EXPECT_GT(seen.trimmedPlayTime, 10);
  EXPECT_GT(seen.raisedMartialNext, 10);
  EXPECT_GT(seen.recountedParty, 10);
}

TEST(RoundTrip, ASecondRoundTripChangesNothing) {
  for (std::uint32_t seed = 1000; seed < 1000 + kBuffers / 3; ++seed) {
    SaveBuffer buffer = BiasedRandomBuffer(seed);
    MemoryView view{MemoryView::BoxTexts::AsGiven};
    LoadAndStoreEverything(buffer, view);
    const SaveBuffer once = buffer;
    LoadAndStoreEverything(buffer, view);
    ASSERT_TRUE(SameBytes(buffer, once)) << "seed " << seed;
  }
}

TEST(RoundTrip, ASaveOfZerosOnlyGainsItsPartyCount) {
  SaveBuffer buffer{};
  MemoryView view{MemoryView::BoxTexts::AsGiven};
  LoadAndStoreEverything(buffer, view);
  SaveBuffer expected{};
  expected[32] = 4;  // four main slots holding code 0
  EXPECT_TRUE(SameBytes(buffer, expected));
}

TEST(RoundTrip, ASaveOfOnesIsNormalisedAsDocumented) {
  SaveBuffer buffer;
  buffer.fill(255);
  MemoryView view{MemoryView::BoxTexts::AsGiven};
  LoadAndStoreEverything(buffer, view);
  SaveBuffer expected;
  expected.fill(255);
  for (int k = 0; k < 27; ++k) PutLe(expected, 4600 + 112 * k, 3, 999999);
  PutLe(expected, 1005, 3, 999999);
  PutLe(expected, 964, 4, (16777216u + 16777215u) / 3600 * 3600);
  expected[32] = 0;
  EXPECT_TRUE(SameBytes(buffer, expected));
}

}  // namespace
}  // namespace zovek
