#include <gtest/gtest.h>

#include <set>

#include "savefile/Checksum.h"
#include "savefile/SaveSlots.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"

namespace zovek {
namespace {

using namespace savegen;
using namespace savegen::layout;

ScanResult ScanCard(const Bytes& card) { return ScanCardDirectory(std::span(card).first(kCardDirectoryBytes), 0); }

// Play time as the window reads it: three bytes, plus 2^24 for any non-zero fourth byte.
std::uint32_t ShownPlayTime(const SaveBuffer& region) {
  return GetNumber(region, kPlayTime, 3) + (region[kPlayTime + 3] != 0 ? 16777216u : 0u);
}

TEST(SaveImages, PutFramesAndRegionsWhereTheFileFormatHasThem) {
  SaveBuffer region = DemoRegion(1);
  CardImage card;
  card.GameSave(5, '1', region);
  ASSERT_EQ(card.bytes().size(), kCardImageSize);
  EXPECT_EQ(std::string(card.bytes().begin() + 128 * 5 + 23, card.bytes().begin() + 128 * 5 + 28), "ZOVEK");
  EXPECT_EQ(card.bytes()[128 * 5 + 29], '1');
  EXPECT_EQ(card.bytes()[41344], region[0]);
  EXPECT_EQ(card.bytes()[49151], region[7807]);
  EXPECT_EQ(card.RegionAt(5), region);

  SingleSave single;
  single.GameSave('4', region);
  ASSERT_EQ(single.bytes().size(), kSingleSaveSize);
  EXPECT_EQ(single.bytes()[29], '4');
  EXPECT_EQ(single.bytes()[512], region[0]);
  EXPECT_EQ(single.bytes()[8319], region[7807]);
}

TEST(SaveImages, ChecksumRightWrongOrKept) {
  SaveBuffer region = DemoRegion(2);
  region[1] = 0x42;
  CardImage card;
  card.Region(1, region, ChecksumMode::Correct).Region(2, region, ChecksumMode::Wrong).Region(3, region, ChecksumMode::Keep);
  EXPECT_EQ(card.RegionAt(1)[1], ChecksumOf(card.RegionAt(1)));
  EXPECT_NE(card.RegionAt(2)[1], ChecksumOf(card.RegionAt(2)));
  EXPECT_EQ(card.RegionAt(3)[1], 0x42);
}

TEST(SaveImages, DigitsForEverySaveNumberScanBackToIt) {
  for (int save = 1; save <= 15; ++save) {
    CardImage card;
    card.Frame(16 - save, kGameCode, DigitForSave(save));
    EXPECT_EQ(ScanCard(card.bytes()).slots[save], 16 - save) << save;
  }
  EXPECT_EQ(DigitForSave(10), '9');
  EXPECT_EQ(DigitForSave(11), 'A');
  EXPECT_THROW(DigitForSave(16), std::invalid_argument);
}

TEST(SaveImages, NoiseNeverForgesAGameCode) {
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    EXPECT_FALSE(ScanCard(CardImage(seed).bytes()).found) << seed;
  }
  CardImage noisy(9);
  std::set<std::uint8_t> values(noisy.bytes().begin(), noisy.bytes().end());
  EXPECT_EQ(values.size(), 256u) << "noise, not a constant fill";
}

TEST(DemoRegion, IsDeterministicAndDependsOnTheSeed) {
  EXPECT_EQ(DemoRegion(7), DemoRegion(7));
  EXPECT_NE(DemoRegion(7), DemoRegion(8));
  EXPECT_EQ(DemoRegion(7)[1], ChecksumOf(DemoRegion(7)));
}

TEST(DemoRegion, ShownFieldsHoldPlausibleValues) {
  bool sawDashCount = false, sawAptitude = false, sawMartial = false, sawEmptySlot = false;
  std::set<std::uint8_t> scenarioStates;
  for (std::uint32_t seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE(seed);
    const SaveBuffer r = DemoRegion(seed);
    for (int k = 0; k < kCharacters; ++k) {
      const std::size_t b = Record(k);
      EXPECT_LE(GetNumber(r, b + kHp, 2), GetNumber(r, b + kMaxHp, 2));
      EXPECT_LE(GetNumber(r, b + kMaxHp, 2), 999u);
      EXPECT_LE(r[b + kLp], r[b + kMaxLp]);
      EXPECT_LE(r[b + kWp], r[b + kMaxWp]);
      EXPECT_LE(r[b + kJp], r[b + kMaxJp]);
      EXPECT_LE(GetNumber(r, b + kCr, 3), 999999u);
      EXPECT_GE(r[b + kAge], 14);
      for (int skill = 0; skill < 12; ++skill) {
        EXPECT_LE(r[b + SkillOffset(skill)] & 0x7F, 40);
        sawAptitude |= (r[b + SkillOffset(skill)] & 0x80) != 0;
      }
      sawMartial |= r[b + kMartial] != 0;
      if (r[b + kMartial] != 0) {
        EXPECT_EQ(r[b + kMartial + 1], 255);
      }
    }

    int filledMain = 0;
    std::set<std::uint8_t> members;
    for (std::size_t slot = 0; slot < 8; ++slot) {
      const std::uint8_t code = r[kMainParty + slot];
      if (code == 255) continue;
      if (slot < 4) ++filledMain;
      EXPECT_LT(code, kNamedCharacters);
      EXPECT_TRUE(members.insert(code).second) << "a character stands in one slot only";
      EXPECT_TRUE(HasJoined(r, code));
    }
    EXPECT_EQ(r[kPartyCount], filledMain);
    EXPECT_EQ(r[kMainParty], r[kProtagonist]);

    for (int slot = 0; slot < kItemSlots; ++slot) {
      sawDashCount |= r[kItems + 2 * slot + 1] == 255;
      sawEmptySlot |= r[kItems + 2 * slot] == 255;
    }
    for (std::size_t k : {0u, 1u, 2u, 3u, 4u, 6u, 66u}) scenarioStates.insert(r[kScenario + k]);
    EXPECT_LT(ShownPlayTime(r), PlayTime(61, 0));
    EXPECT_LT(GetNumber(r, kChips, 3), 250000u);
  }
  EXPECT_TRUE(sawDashCount && sawAptitude && sawMartial && sawEmptySlot);
  for (int state : {2, 3, 254, 0}) {
    EXPECT_EQ(scenarioStates.count(static_cast<std::uint8_t>(state)), 1u) << state;
  }
}

TEST(DemoFiles, HoldTheDescribedSaves) {
  const Bytes card = DemoCard();
  ASSERT_EQ(card.size(), kCardImageSize);
  const ScanResult scan = ScanCard(card);
  SlotTable expected;
  expected[1] = 2;
  expected[3] = 6;
  expected[12] = 11;
  EXPECT_EQ(scan.slots, expected) << "the other game's save in block 4 is not counted";
  EXPECT_EQ(card[128 * 11 + 29], 'B');
  EXPECT_EQ(std::string(card.begin() + 128 * 4 + 23, card.begin() + 128 * 4 + 28), std::string(kOtherGameCode));

  CardImage view;
  view.bytes() = card;
  const SaveBuffer first = view.RegionAt(2);
  EXPECT_GT(ShownPlayTime(first), PlayTime(99, 59, 59)) << "beyond the hours the window shows";
  EXPECT_EQ(ShownPlayTime(first), GetNumber(first, kPlayTime, 4));
  EXPECT_GT(GetNumber(view.RegionAt(6), kChips, 3), 999999u);
  for (int block : {2, 6, 11}) EXPECT_EQ(view.RegionAt(block)[1], ChecksumOf(view.RegionAt(block)));

  const Bytes single = DemoSingle();
  ASSERT_EQ(single.size(), kSingleSaveSize);
  EXPECT_EQ(ScanSingleHeader(std::span(single).first(kSingleHeaderBytes), 0).slots[5], 1);
}

TEST(DemoFiles, ExamplesInTheRepositoryAreTheGeneratorsOutput) {
  const std::filesystem::path examples = ZOVEK_EXAMPLES_DIR;
  EXPECT_EQ(ReadWholeFile(examples / "demo.mcr"), DemoCard()) << "regenerate with zovek-mkcard demo-card";
  EXPECT_EQ(ReadWholeFile(examples / "demo-single.ps"), DemoSingle()) << "regenerate with zovek-mkcard demo-single";
  EXPECT_EQ(ReadWholeFile(examples / "demo.gme"), DemoGme()) << "regenerate with zovek-mkcard demo-gme";
}

}  // namespace
}  // namespace zovek
