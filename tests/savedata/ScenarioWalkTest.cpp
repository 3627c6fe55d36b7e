// Scenario entries: the byte number of each lstEvt entry and the walk that
// moves one entry's state between its byte and the option buttons.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "EngineTestSupport.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {
namespace {

class ScenarioWalk : public ::testing::Test, public EngineFixture {};

TEST(ScenarioByteNumbers, EntriesInListOrder) {
  const int expected[kScenarioEntries] = {
      63, 64, 47, 59, 0, 6, 7, 3, 23, 1, 4, 10, 61, 11, 12, 8, 2, 56, 14, 9,
      15, 21, 27, 40, 42, 44, 43, 34, 51, 62, 66, 57, 31, 50, 16, 17, 24, 20, 30, 29,
      32, 26, 25, 33, 19, 22, 28, 18, 36, 37, 38, 52, 49, 55, 39, 54, 53, 46};
  for (int i = 0; i < kScenarioEntries; ++i) {
    EXPECT_EQ(kScenarioByteNumbers[static_cast<std::size_t>(i)], expected[i]) << "entry " << i;
    const FieldRef ref = ScenarioFieldRef(i);
    EXPECT_EQ(ref.offset, 516 + expected[i]);
    EXPECT_EQ(ref.width, 1);
    EXPECT_EQ(ref.slot, i);
  }
}

TEST(ScenarioByteNumbers, EachByteOnceAndNineUnused) {
  const std::set<int> used(kScenarioByteNumbers.begin(), kScenarioByteNumbers.end());
  EXPECT_EQ(used.size(), 58u);
  std::set<int> unused;
  for (int k = 0; k <= 66; ++k) {
    if (used.count(k) == 0) unused.insert(k);
  }
  EXPECT_EQ(unused, (std::set<int>{5, 13, 35, 41, 45, 48, 58, 60, 65}));
  EXPECT_EQ(*used.rbegin(), 66);
}

TEST_F(ScenarioWalk, EntriesShowTheirOwnBytes) {
  Put(579, 1, 2);
  Put(582, 1, 254);
  Put(516, 1, 3);
  ScenarioEntryWalk(ctx, 0, kLoad);
  EXPECT_EQ(view.scenarioOption, 1);
  ScenarioEntryWalk(ctx, 30, kLoad);
  EXPECT_EQ(view.scenarioOption, 3);
  ScenarioEntryWalk(ctx, 4, kLoad);
  EXPECT_EQ(view.scenarioOption, 2);
}

TEST_F(ScenarioWalk, LeavingAnEntryStoresItsOptionBeforeTheNextIsShown) {
  Put(522, 1, 2);  // entry 5 "未踏"
  Put(523, 1, 3);  // entry 6 "該当"
  ScenarioEntryWalk(ctx, 5, kLoad);
  EXPECT_EQ(view.scenarioOption, 1);
  view.scenarioOption = 3;  // "終了"
  ScenarioEntryWalk(ctx, 5, kStore);
  ScenarioEntryWalk(ctx, 6, kLoad);
  EXPECT_EQ(At(522), 254);
  EXPECT_EQ(At(523), 3);
  EXPECT_EQ(view.scenarioOption, 2);
}

TEST_F(ScenarioWalk, StoringEveryEntryLeavesTheUnusedBytesAndEverythingElse) {
  for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<std::uint8_t>(i % 7 == 0 ? 2 : 100 + i % 50);
  const SaveBuffer before = buffer;
  for (int option : {1, 2, 3}) {
    view.scenarioOption = option;
    for (int i = 0; i < kScenarioEntries; ++i) ScenarioEntryWalk(ctx, i, kStore);
  }
  const int finalState = 254;
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    const int k = static_cast<int>(i) - 516;
    const bool used = k >= 0 && k <= 66 &&
                      std::find(kScenarioByteNumbers.begin(), kScenarioByteNumbers.end(), k) != kScenarioByteNumbers.end();
    EXPECT_EQ(buffer[i], used ? finalState : before[i]) << i;
  }
}

TEST_F(ScenarioWalk, EntriesOutsideTheListAndOtherModesDoNothing) {
  buffer.fill(9);
  view.scenarioOption = 3;
  view.recording = true;
  ScenarioEntryWalk(ctx, -1, kStore);
  ScenarioEntryWalk(ctx, 58, kStore);
  ScenarioEntryWalk(ctx, 58, kLoad);
  EXPECT_TRUE(view.calls.empty());
  for (const auto byte : buffer) ASSERT_EQ(byte, 9);
}

}  // namespace
}  // namespace zovek
