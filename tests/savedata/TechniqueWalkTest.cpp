// Technique mastery: the row -> bit map of the twelve categories, and the
// walk that moves the marks of the shown category.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "savedata/MemoryView.h"
#include "savedata/Walks.h"

namespace zovek {
namespace {

// A run of rows stored in one byte from `highBit` downwards.
struct BitRun {
  int firstRow, lastRow, byteIndex, highBit;
};

// The map as the layout document lists it, run by run.
const std::map<int, std::vector<BitRun>> kExpectedRuns{
    {0, {{0, 7, 85, 7}, {8, 14, 86, 7}, {15, 20, 87, 7}}},
    {1, {{0, 4, 88, 7}, {5, 6, 88, 1}, {7, 14, 89, 7}, {15, 15, 90, 7}, {16, 19, 90, 3}, {20, 20, 91, 7}, {21, 23, 108, 3}}},
    {2, {{0, 7, 92, 7}, {8, 14, 93, 7}, {15, 15, 109, 6}}},
    {3, {{0, 1, 94, 7}, {2, 5, 94, 3}, {6, 6, 95, 7}, {7, 10, 95, 5}, {11, 11, 109, 4}}},
    {4, {{0, 7, 96, 7}, {8, 14, 97, 7}, {15, 17, 109, 2}}},
    {5, {{0, 7, 98, 7}, {8, 10, 99, 7}, {11, 17, 110, 6}}},
    {6, {{0, 7, 100, 7}}},
    {7, {{0, 4, 101, 7}}},
    {8, {{0, 4, 102, 7}}},
    {9, {{0, 5, 103, 7}}},
    {10, {{0, 4, 104, 7}}},
    {11, {{0, 4, 105, 7}}},
};

// Bits of the technique bytes that no row uses, as the document lists them.
const std::map<int, std::vector<int>> kUnmappedBits{
    {85, {}},        {86, {0}},        {87, {1, 0}},       {88, {2}},  {89, {}},         {90, {6, 5, 4}},
    {91, {6, 5, 4, 3, 2, 1, 0}},       {92, {}},           {93, {0}},  {94, {5, 4}},     {95, {6, 1, 0}},
    {96, {}},        {97, {0}},        {98, {}},           {99, {4, 3, 2, 1, 0}},        {100, {}},
    {101, {2, 1, 0}}, {102, {2, 1, 0}}, {103, {1, 0}},     {104, {2, 1, 0}},             {105, {2, 1, 0}},
    {108, {7, 6, 5, 4, 0}},            {109, {7, 5, 3}},   {110, {7}},
};

// Mask of the bits a category owns, per byte.
std::map<int, int> OwnedBits(int category) {
  std::map<int, int> owned;
  for (int row = 0; row < kTechniqueRowCounts[static_cast<std::size_t>(category)]; ++row) {
    const TechniqueBit f = TechniqueFlag(category, row);
    owned[f.byteIndex] |= 1 << f.bit;
  }
  return owned;
}

SaveBuffer RandomBuffer(std::uint32_t seed) {
  std::mt19937 rng(seed);
  SaveBuffer b{};
  for (auto& byte : b) byte = static_cast<std::uint8_t>(rng() & 0xFF);
  return b;
}

TEST(TechniqueMap, RowCountsOfTheTwelveCategories) {
  const std::array<int, kTechniqueCategories> expected{21, 24, 16, 12, 18, 18, 8, 5, 5, 6, 5, 5};
  EXPECT_EQ(kTechniqueRowCounts, expected);
}

TEST(TechniqueMap, EveryRowHasTheDocumentedByteAndBit) {
  int rows = 0;
  for (const auto& [category, runs] : kExpectedRuns) {
    int next = 0;
    for (const BitRun& run : runs) {
      ASSERT_EQ(run.firstRow, next) << "category " << category;
      for (int row = run.firstRow; row <= run.lastRow; ++row) {
        const TechniqueBit f = TechniqueFlag(category, row);
        EXPECT_EQ(f.byteIndex, run.byteIndex) << "category " << category << " row " << row;
        EXPECT_EQ(f.bit, run.highBit - (row - run.firstRow)) << "category " << category << " row " << row;
      }
      next = run.lastRow + 1;
    }
    EXPECT_EQ(next, kTechniqueRowCounts[static_cast<std::size_t>(category)]) << "category " << category;
    rows += next;
  }
  EXPECT_EQ(rows, 143);
}

TEST(TechniqueMap, MappedAndUnmappedBitsSplitTheTechniqueBytesExactly) {
  std::set<std::pair<int, int>> mapped;
  for (int c = 0; c < kTechniqueCategories; ++c) {
    for (int row = 0; row < kTechniqueRowCounts[static_cast<std::size_t>(c)]; ++row) {
      const TechniqueBit f = TechniqueFlag(c, row);
      EXPECT_TRUE(mapped.insert({f.byteIndex, f.bit}).second) << "bit used twice: " << f.byteIndex << ":" << f.bit;
    }
  }
  for (const auto& [byteIndex, bits] : kUnmappedBits) {
    for (int bit = 0; bit < 8; ++bit) {
      const bool unmapped = std::find(bits.begin(), bits.end(), bit) != bits.end();
      EXPECT_NE(mapped.count({byteIndex, bit}) == 1, unmapped) << byteIndex << ":" << bit;
    }
  }
  for (const auto& [byteIndex, bit] : mapped) EXPECT_EQ(kUnmappedBits.count(byteIndex), 1u) << byteIndex;
}

TEST(TechniqueMap, Byte109IsSharedByThreeCategories) {
  EXPECT_EQ(OwnedBits(2).at(109), 0x40);
  EXPECT_EQ(OwnedBits(3).at(109), 0x10);
  EXPECT_EQ(OwnedBits(4).at(109), 0x07);
}

TEST(TechniqueMap, RowsOutsideACategoryDoNotExist) {
  EXPECT_THROW(TechniqueFlag(0, 21), std::out_of_range);
  EXPECT_THROW(TechniqueFlag(1, -1), std::out_of_range);
  EXPECT_THROW(TechniqueFlag(12, 0), std::out_of_range);
}

class TechniqueWalkTest : public ::testing::Test {
 protected:
  SaveBuffer buffer{};
  MemoryView view;

  void Show(int category) { view.SetTechniqueRowCount(kTechniqueRowCounts[static_cast<std::size_t>(category)]); }
  void MarkOnly(std::initializer_list<int> rows) {
    std::fill(view.techniques.begin(), view.techniques.end(), false);
    for (int r : rows) view.techniques.at(static_cast<std::size_t>(r)) = true;
  }
};

TEST_F(TechniqueWalkTest, LoadingAndStoringWithoutEditKeepsEveryBit) {
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    buffer = RandomBuffer(seed);
    const SaveBuffer before = buffer;
    for (int c = 0; c < kTechniqueCategories; ++c) {
      Show(c);
      TechniqueWalk(buffer, view, c, kLoad);
      TechniqueWalk(buffer, view, c, kStore);
    }
    ASSERT_EQ(buffer, before) << "seed " << seed;
  }
}

TEST_F(TechniqueWalkTest, LoadMarksExactlyTheSetFlags) {
  buffer = RandomBuffer(7);
  for (int c = 0; c < kTechniqueCategories; ++c) {
    Show(c);
    TechniqueWalk(buffer, view, c, kLoad);
    for (int row = 0; row < kTechniqueRowCounts[static_cast<std::size_t>(c)]; ++row) {
      const TechniqueBit f = TechniqueFlag(c, row);
      EXPECT_EQ(view.techniques[static_cast<std::size_t>(row)], ((buffer[static_cast<std::size_t>(f.byteIndex)] >> f.bit) & 1) == 1);
    }
  }
}

TEST_F(TechniqueWalkTest, StoreTouchesOnlyTheCategorysOwnBits) {
  for (int c = 0; c < kTechniqueCategories; ++c) {
    for (bool mark : {true, false}) {
      buffer = RandomBuffer(100 + static_cast<std::uint32_t>(c));
      const SaveBuffer before = buffer;
      Show(c);
      std::fill(view.techniques.begin(), view.techniques.end(), mark);
      TechniqueWalk(buffer, view, c, kStore);
      const auto owned = OwnedBits(c);
      for (std::size_t i = 0; i < buffer.size(); ++i) {
        const auto it = owned.find(static_cast<int>(i));
        const int mask = it == owned.end() ? 0 : it->second;
        EXPECT_EQ(buffer[i] & ~mask, before[i] & ~mask) << "category " << c << " byte " << i;
        EXPECT_EQ(buffer[i] & mask, mark ? mask : 0) << "category " << c << " byte " << i;
      }
    }
  }
}

TEST_F(TechniqueWalkTest, SwordOverflowRowsUseByte108) {
  Show(1);
  buffer[108] = 0;
  MarkOnly({21});
  TechniqueWalk(buffer, view, 1, kStore);
  EXPECT_EQ(buffer[108], 8);

  buffer[108] = 255;
  MarkOnly({});
  TechniqueWalk(buffer, view, 1, kStore);
  EXPECT_EQ(buffer[108], 241);
}

TEST_F(TechniqueWalkTest, OverflowBitsLoadIntoTheirRows) {
  buffer[110] = 0x40;
  Show(5);
  TechniqueWalk(buffer, view, 5, kLoad);
  EXPECT_TRUE(view.techniques[11]);
  for (int row = 12; row <= 17; ++row) EXPECT_FALSE(view.techniques[static_cast<std::size_t>(row)]) << row;

  buffer[109] = 0x01;
  Show(4);
  TechniqueWalk(buffer, view, 4, kLoad);
  EXPECT_TRUE(view.techniques[17]);
  EXPECT_FALSE(view.techniques[15]);
  EXPECT_FALSE(view.techniques[16]);
}

TEST_F(TechniqueWalkTest, AxeOverflowLeavesTheOtherCategoriesBitsOfByte109) {
  for (int others : {0x00, 0x17, 0xBF & ~0x40}) {
    buffer[109] = static_cast<std::uint8_t>(others);
    Show(2);
    MarkOnly({15});
    TechniqueWalk(buffer, view, 2, kStore);
    EXPECT_EQ(buffer[109], others | 0x40);
    MarkOnly({});
    TechniqueWalk(buffer, view, 2, kStore);
    EXPECT_EQ(buffer[109], others);
  }
}

TEST_F(TechniqueWalkTest, CurrentRowIsTheFirstMarkedOrRowZero) {
  Show(0);
  TechniqueWalk(buffer, view, 0, kLoad);
  EXPECT_EQ(view.techniqueCurrent, 0);
  EXPECT_EQ(view.techniqueRedraws, 1);

  const TechniqueBit row9 = TechniqueFlag(0, 9);
  buffer[static_cast<std::size_t>(row9.byteIndex)] = static_cast<std::uint8_t>(1 << row9.bit);
  const TechniqueBit row14 = TechniqueFlag(0, 14);
  buffer[static_cast<std::size_t>(row14.byteIndex)] |= static_cast<std::uint8_t>(1 << row14.bit);
  TechniqueWalk(buffer, view, 0, kLoad);
  EXPECT_EQ(view.techniqueCurrent, 9);
  EXPECT_EQ(view.techniqueRedraws, 2);
}

TEST_F(TechniqueWalkTest, NothingHappensForAWrongCategoryModeOrList) {
  buffer = RandomBuffer(3);
  const SaveBuffer before = buffer;
  Show(0);
  std::fill(view.techniques.begin(), view.techniques.end(), true);
  view.recording = true;
  TechniqueWalk(buffer, view, -1, kStore);
  TechniqueWalk(buffer, view, 12, kStore);
  TechniqueWalk(buffer, view, 1, kStore);  // the list still holds 体術's 21 rows
  TechniqueWalk(buffer, view, 1, kLoad);
  EXPECT_EQ(buffer, before);
  for (const auto& call : view.calls) EXPECT_EQ(call, "TechniqueRowCount()");
}

}  // namespace
}  // namespace zovek
