// The character walk: which fields it hands over, in which order, and what a
// load and a store do to the view and the record.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "names/NameTables.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"
#include "savefile/ErrorNumbers.h"

namespace zovek {
namespace {

// The walk's order as the record layout lays it out.
std::vector<Ref> ExpectedRefs(int b) {
  std::vector<Ref> refs{{412, 1, 2},        {b + 4600, 3, 4},  {b + 4604, 2, 5},  {b + 4606, 2, 6},
                        {b + 4608, 1, 7},   {b + 4609, 1, 8},  {b + 4612, 1, 9},  {b + 4613, 1, 10},
                        {b + 4616, 1, 11},  {b + 4617, 1, 12}};
  for (int index = b + 4621; index <= b + 4626; ++index) refs.push_back({index, 1, index - 4608 - b});
  for (int index = b + 4628; index <= b + 4633; ++index) refs.push_back({index, 1, index - 4609 - b});
  for (int p = 1; p <= 6; ++p) {
    refs.push_back({b + 4650 + 2 * p, 1, p});
    refs.push_back({b + 4651 + 2 * p, 1, p});
  }
  refs.push_back({b + 4664, 1, 3});
  refs.push_back({b + 4686, 1, 1});
  return refs;
}

std::vector<Ref> ActualRefs(int b) {
  return RefsOf(CharacterFieldRefs(b));
}

class CharacterWalk : public ::testing::Test, public EngineFixture {
 protected:
  // Record bytes that differ from each other and from their neighbours.
  void FillPattern() {
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<std::uint8_t>((i * 37 + 11) % 251);
  }
  std::vector<std::string> SetCalls() const {
    std::vector<std::string> sets;
    for (const auto& c : view.calls) {
      if (c.rfind("Set", 0) == 0) sets.push_back(c);
    }
    return sets;
  }
};

TEST_F(CharacterWalk, HandsOverTheRecordFieldsInGridOrderForEveryCharacter) {
  for (int k = 0; k < kCharacters; ++k) {
    EXPECT_EQ(ActualRefs(112 * k), ExpectedRefs(112 * k)) << "character " << k;
  }
}

TEST_F(CharacterWalk, EveryFieldOfTheLastCharacterLiesInsideTheBuffer) {
  const auto refs = CharacterFieldRefs(2912);
  int highest = 0;
  for (const FieldRef& f : refs) highest = std::max(highest, f.offset + f.width - 1);
  EXPECT_EQ(highest, 7598);  // the age of entry 26; the record ends at 7623
  EXPECT_EQ(refs[34].offset + 1, 7577);  // the byte after the martial flag
}

TEST_F(CharacterWalk, LoadSetsTheViewInWalkOrderWithTheRecordsValues) {
  FillPattern();
  SelectCharacter(5);
  const int b = RecordStart();
  view.recording = true;
  CharacterFieldWalk(ctx, kLoad);

  auto cell = [](int grid, int row, int col, std::uint32_t v) {
    return "SetCellText(" + std::to_string(grid) + "," + std::to_string(row) + "," + std::to_string(col) + "," +
           std::to_string(v) + ")";
  };
  const int k = 5;
  std::vector<std::string> expected{
      "SetCellText(0,2,1," + std::string(((At(412) >> (7 - k)) & 1) ? "1" : "0") + ")",
      cell(0, 4, 1, std::min<std::uint32_t>(Get(b, 3), 999999)),
      cell(0, 5, 1, Get(b + 4, 2)),
      cell(0, 6, 1, Get(b + 6, 2)),
      cell(0, 7, 1, At(b + 8)),
      cell(0, 8, 1, At(b + 9)),
      cell(0, 9, 1, At(b + 12)),
      cell(0, 10, 1, At(b + 13)),
      cell(0, 11, 1, At(b + 16)),
      cell(0, 12, 1, At(b + 17)),
  };
  for (int i = 0; i < 12; ++i) {
    const int r = i < 6 ? 21 + i : 22 + i;
    expected.push_back("SetAptitudeChecked(" + std::to_string(i) + "," + ((At(b + r) & 128) ? "1" : "0") + ")");
    expected.push_back(cell(0, 13 + i, 1, At(b + r) & 127u));
  }
  for (int p = 1; p <= 6; ++p) {
    const std::uint32_t code = At(b + 50 + 2 * p);
    const std::uint32_t count = At(b + 51 + 2 * p);
    expected.push_back(cell(1, p, 1, code));
    expected.push_back("SetCellText(1," + std::to_string(p) + ",3," + ItemName(static_cast<int>(code)) + ")");
    expected.push_back(count == 255 ? "SetCellText(1," + std::to_string(p) + ",2,-)" : cell(1, p, 2, count));
  }
  expected.push_back(std::string("SetCellText(0,3,1,") + (At(b + 64) ? "1" : "0") + ")");
  expected.push_back(cell(0, 1, 1, At(b + 86)));
  EXPECT_EQ(SetCalls(), expected);
}

TEST_F(CharacterWalk, StoreReadsTheViewInWalkOrder) {
  SelectCharacter(2);
  view.recording = true;
  CharacterFieldWalk(ctx, kStore);
  std::vector<std::string> expected{"CellText(0,2,1)"};
  for (int row = 4; row <= 12; ++row) expected.push_back("CellText(0," + std::to_string(row) + ",1)");
  for (int i = 0; i < 12; ++i) {
    expected.push_back("CellText(0," + std::to_string(13 + i) + ",1)");
    expected.push_back("AptitudeChecked(" + std::to_string(i) + ")");
  }
  for (int p = 1; p <= 6; ++p) {
    expected.push_back("CellText(1," + std::to_string(p) + ",1)");
    expected.push_back("CellText(1," + std::to_string(p) + ",2)");
  }
  expected.push_back("CellText(0,3,1)");
  expected.push_back("CellText(0,1,1)");
  EXPECT_EQ(view.calls, expected);
}

TEST_F(CharacterWalk, StoreWritesEachRowIntoItsRecordBytes) {
  SelectCharacter(3);
  const int b = RecordStart();
  view.cells[{0, 1, 1}] = "17";       // age
  view.cells[{0, 2, 1}] = "1";        // joined
  view.cells[{0, 3, 1}] = "0";        // martial arts off
  view.cells[{0, 4, 1}] = "654321";   // CR
  view.cells[{0, 5, 1}] = "1234";     // HP
  view.cells[{0, 6, 1}] = "4321";     // max HP
  for (int row = 7; row <= 12; ++row) view.cells[{0, row, 1}] = std::to_string(row * 10);
  for (int i = 0; i < 12; ++i) {
    view.cells[{0, 13 + i, 1}] = std::to_string(i + 1);
    view.aptitude[static_cast<std::size_t>(i)] = i % 2 == 0;
  }
  for (int p = 1; p <= 6; ++p) {
    view.cells[{1, p, 1}] = std::to_string(100 + p);
    view.cells[{1, p, 2}] = p == 6 ? "-" : std::to_string(p);
  }
  CharacterFieldWalk(ctx, kStore);

  EXPECT_EQ(At(412), 0x10);  // character 3: bit 4 of byte 412
  EXPECT_EQ(Get(b, 3), 654321u);
  EXPECT_EQ(Get(4940, 2), 1234u);  // 4600 + 336 + 4
  EXPECT_EQ(Get(b + 6, 2), 4321u);
  const int smallRows[] = {8, 9, 12, 13, 16, 17};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(At(b + smallRows[i]), (7 + i) * 10) << smallRows[i];
  for (int i = 0; i < 12; ++i) {
    const int r = i < 6 ? 21 + i : 22 + i;
    EXPECT_EQ(At(b + r), (i + 1) | (i % 2 == 0 ? 128 : 0)) << "skill " << i;
  }
  for (int p = 1; p <= 6; ++p) {
    EXPECT_EQ(At(b + 50 + 2 * p), 100 + p);
    EXPECT_EQ(At(b + 51 + 2 * p), p == 6 ? 255 : p);
  }
  EXPECT_EQ(At(b + 64), 0);
  EXPECT_EQ(At(b + 86), 17);
}

TEST_F(CharacterWalk, StoreLeavesEveryByteItDoesNotShow) {
  for (int k : {0, 13, 23, 24, 26}) {
    buffer.fill(0xC3);
    SelectCharacter(k);
    view.Reset();  // every value cell "0", every count "-", martial arts off
    CharacterFieldWalk(ctx, kStore);

    std::vector<bool> handed(buffer.size(), false);
    for (const FieldRef& f : CharacterFieldRefs(ctx.characterBase)) {
      for (int i = 0; i < f.width; ++i) handed[static_cast<std::size_t>(f.offset + i)] = true;
    }
    for (std::size_t i = 0; i < buffer.size(); ++i) {
      if (i == 412 || i == 413 || i == 414) continue;  // joined bits, checked below
      if (!handed[i]) {
        EXPECT_EQ(buffer[i], 0xC3) << "character " << k << " byte " << i;
      }
    }
    const std::uint32_t joinedMask = k < 24 ? (1u << (7 - k % 8)) << (8 * (k / 8)) : 0u;
    EXPECT_EQ(Get(412, 3), 0xC3C3C3u & ~joinedMask) << "character " << k;
  }
}

TEST_F(CharacterWalk, TheLastEntryUsesTheEndOfTheRecordArea) {
  SelectCharacter(26);
  EXPECT_EQ(ctx.characterBase, 2912);
  Put(7598, 1, 44);
  Put(7512, 3, 1000001);
  CharacterFieldWalk(ctx, kLoad);
  EXPECT_EQ(view.Cell(0, 1, 1), "44");
  EXPECT_EQ(view.Cell(0, 4, 1), "999999");
  EXPECT_EQ(view.Cell(0, 2, 1), "0");
}

TEST_F(CharacterWalk, AnEditSurvivesSwitchingAwayAndBack) {
  FillPattern();
  SelectCharacter(3);
  CharacterFieldWalk(ctx, kLoad);
  view.cells[{0, 5, 1}] = "777";
  CharacterFieldWalk(ctx, kStore);  // leaving character 3
  SelectCharacter(5);
  CharacterFieldWalk(ctx, kLoad);
  EXPECT_EQ(Get(4940, 2), 777u);
  EXPECT_NE(view.Cell(0, 5, 1), "777");
  CharacterFieldWalk(ctx, kStore);
  SelectCharacter(3);
  CharacterFieldWalk(ctx, kLoad);
  EXPECT_EQ(view.Cell(0, 5, 1), "777");
}

TEST_F(CharacterWalk, AStoreErrorStopsTheWalkAtThatField) {
  SelectCharacter(1);
  const int b = RecordStart();
  buffer.fill(0x11);
  view.cells[{0, 4, 1}] = "500";  // CR, before the bad field
  view.cells[{0, 6, 1}] = "x";     // max HP
  view.cells[{0, 7, 1}] = "9";     // LP, after it
  try {
    CharacterFieldWalk(ctx, kStore);
    FAIL() << "the walk went through a text that is not a number";
  } catch (const StoreError& e) {
    EXPECT_EQ(e.number(), kErrTextNotANumber);
  }
  EXPECT_EQ(Get(b, 3), 500u);
  EXPECT_EQ(Get(b + 6, 2), 0x1111u);
  EXPECT_EQ(At(b + 8), 0x11);
}

}  // namespace
}  // namespace zovek
