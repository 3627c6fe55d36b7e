// Decoding a save as the editor shows it, checked against byte positions
// and bit places written out here, not taken from the tables under test.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>

#include "savedata/SaveDump.h"
#include "names/NameTables.h"
#include "savegen/DemoSave.h"

namespace zovek::cli {
namespace {

using savegen::PutNumber;

SaveBuffer Base() { return savegen::DemoRegion(77); }

TEST(SaveDump, HasEveryPartOfTheWindowWithItsCount) {
  const SaveDump dump = DecodeSave(Base());
  EXPECT_EQ(dump.characters.size(), 27u);
  EXPECT_EQ(dump.party.size(), 8u);
  EXPECT_EQ(dump.possessions.size(), 64u);
  EXPECT_EQ(dump.scenarios.size(), 58u);
  EXPECT_EQ(dump.roles.size(), 28u);
  ASSERT_EQ(dump.techniques.size(), 12u);
  const int rows[] = {21, 24, 16, 12, 18, 18, 8, 5, 5, 6, 5, 5};
  for (std::size_t c = 0; c < 12; ++c) EXPECT_EQ(dump.techniques[c].techniques.size(), static_cast<std::size_t>(rows[c]));
  for (const CharacterDump& c : dump.characters) {
    EXPECT_EQ(c.name, CharacterNames().at(static_cast<std::size_t>(c.index)));
    EXPECT_EQ(c.numbers.size(), 10u);
    EXPECT_EQ(c.skills.size(), 12u);
    EXPECT_EQ(c.equipment.size(), 6u);
  }
}

// What the dump shows is what the window's boxes and cells make of the stored
// bytes, over saves whose bytes lean towards the values that get rewritten.
TEST(SaveDump, ShownValuesAreTheStoredOnesAsTheWindowShowsThem) {
  std::mt19937 rng(2026);
  for (int round = 0; round < 20; ++round) {
    SaveBuffer b{};
    for (auto& byte : b) byte = static_cast<std::uint8_t>(rng() % 3 == 0 ? 255 : rng());
    const SaveDump dump = DecodeSave(b);
    EXPECT_EQ(dump.chips, std::min<std::int64_t>(dump.chipsStored, 999999));
    EXPECT_EQ(dump.playTime.hours, std::min<std::int64_t>(dump.playTime.sixtieths / 216000, 99));
    EXPECT_EQ(dump.playTime.minutes, dump.playTime.sixtieths / 3600 % 60);
    EXPECT_EQ(dump.protagonist, b[33]);
    for (const PartySlot& p : dump.party) EXPECT_EQ(p.code.value_or(255), p.stored) << p.slot;
    for (const PartySlot& p : dump.party) EXPECT_EQ(p.code.has_value(), p.stored != 255) << p.slot;
    for (const ItemSlot& item : dump.possessions) {
      EXPECT_EQ(item.count.has_value(), item.countStored != 255) << item.caption;
      EXPECT_EQ(item.count.value_or(255), item.countStored) << item.caption;
    }
    for (const CharacterDump& c : dump.characters) {
      for (const CharacterNumber& n : c.numbers) {
        EXPECT_EQ(n.shown, n.key == "cr" ? std::min<std::int64_t>(n.stored, 999999) : n.stored) << n.key;
      }
      for (const SkillLevel& s : c.skills) EXPECT_EQ(s.level + (s.aptitude ? 128 : 0), s.stored);
      EXPECT_EQ(c.martialArts, c.martialByte != 0);
      EXPECT_EQ(c.joined, c.joinedStored.value_or(false));
    }
  }
}

TEST(SaveDump, CharacterNumbersComeFromTheirRecordBytesUnclamped) {
  SaveBuffer b = Base();
  const int record = 4600 + 112 * 3;
  PutNumber(b, record + 0, 3, 16777215);  // CR, shown as 999999 by the window
  PutNumber(b, record + 4, 2, 0x1234);    // HP
  PutNumber(b, record + 6, 2, 0xFFFF);    // 最大HP
  b[record + 86] = 77;                    // 年齢
  const CharacterDump c = DecodeSave(b).characters[3];

  // key, caption, record offset, width, in grid row order
  const std::vector<std::tuple<std::string, std::string, int, int>> expected = {
      {"age", "年齢", 86, 1}, {"cr", "CR", 0, 3},     {"hp", "HP", 4, 2},      {"maxHp", "最大HP", 6, 2},
      {"lp", "LP", 8, 1},     {"maxLp", "最大LP", 9, 1}, {"wp", "WP", 12, 1},     {"maxWp", "最大WP", 13, 1},
      {"jp", "JP", 16, 1},    {"maxJp", "最大JP", 17, 1},
  };
  ASSERT_EQ(c.numbers.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& [key, caption, r, width] = expected[i];
    EXPECT_EQ(c.numbers[i].key, key);
    EXPECT_EQ(c.numbers[i].caption, caption);
    EXPECT_EQ(c.numbers[i].offset, record + r);
    EXPECT_EQ(c.numbers[i].width, width);
    EXPECT_EQ(c.numbers[i].stored, savegen::GetNumber(b, static_cast<std::size_t>(record + r), width)) << key;
  }
  EXPECT_EQ(c.numbers[1].stored, 16777215);
  EXPECT_EQ(c.numbers[1].shown, 999999);  // as the grid shows it
  EXPECT_EQ(c.numbers[2].stored, 0x1234);
  EXPECT_EQ(c.numbers[2].shown, 0x1234);
  EXPECT_EQ(c.numbers[0].stored, 77);
}

TEST(SaveDump, LastCharacterRecordEndsWhereTheLayoutSays) {
  SaveBuffer b = Base();
  b[7598] = 61;  // age of entry 26: 4600 + 2912 + 86
  const CharacterDump c = DecodeSave(b).characters[26];
  EXPECT_EQ(c.recordOffset, 7512);
  EXPECT_EQ(c.numbers[0].stored, 61);
  EXPECT_EQ(c.name, "兵士(3)");
}

TEST(SaveDump, SkillByteSplitsIntoLevelAndAptitude) {
  SaveBuffer b = Base();
  b[4600 + 21] = 200;  // 体術 of character 0: level 72, aptitude
  b[4600 + 26] = 72;   // 弓術: level 72, no aptitude
  b[4600 + 28] = 128;  // 樹術 (after the gap at 27): level 0, aptitude
  b[4600 + 33] = 127;  // 獣術
  const CharacterDump c = DecodeSave(b).characters[0];
  EXPECT_EQ(c.skills[0].stored, 200);
  EXPECT_EQ(c.skills[0].level, 72);
  EXPECT_TRUE(c.skills[0].aptitude);
  EXPECT_EQ(c.skills[0].caption, "体術LV");
  EXPECT_EQ(c.skills[5].level, 72);
  EXPECT_FALSE(c.skills[5].aptitude);
  EXPECT_EQ(c.skills[6].offset, 4628);
  EXPECT_EQ(c.skills[6].level, 0);
  EXPECT_TRUE(c.skills[6].aptitude);
  EXPECT_EQ(c.skills[11].offset, 4633);
  EXPECT_EQ(c.skills[11].level, 127);
  EXPECT_EQ(c.skills[11].caption, "獣術LV");
}

TEST(SaveDump, JoinedBitsRunFromBit7OfByte412AndSoldiersHaveNone) {
  SaveBuffer b = Base();
  b[412] = 0x80;  // character 0
  b[413] = 0x40;  // character 9
  b[414] = 0x01;  // character 23
  const SaveDump dump = DecodeSave(b);
  for (const CharacterDump& c : dump.characters) {
    if (c.index >= 24) {
      EXPECT_FALSE(c.joinedStored.has_value()) << c.index;
      EXPECT_FALSE(c.joined) << c.index;  // the grid shows 0
      continue;
    }
    ASSERT_TRUE(c.joinedStored.has_value());
    EXPECT_EQ(*c.joinedStored, c.index == 0 || c.index == 9 || c.index == 23) << c.index;
    EXPECT_EQ(c.joined, *c.joinedStored) << c.index;
  }
  EXPECT_EQ(dump.characters[9].joinedByte, 413);
  EXPECT_EQ(dump.characters[9].joinedBit, 6);
}

TEST(SaveDump, MartialFlagKeepsTheStoredByte) {
  SaveBuffer b = Base();
  b[4600 + 64] = 34;
  b[4600 + 112 + 64] = 0;
  const SaveDump dump = DecodeSave(b);
  EXPECT_TRUE(dump.characters[0].martialArts);
  EXPECT_EQ(dump.characters[0].martialByte, 34);
  EXPECT_FALSE(dump.characters[1].martialArts);
}

TEST(SaveDump, EquipmentPairsAreCodeThenCountWithNames) {
  SaveBuffer b = Base();
  const int record = 4600 + 112 * 5;
  b[record + 52] = 0;     // 武器1: nothing
  b[record + 53] = 255;
  b[record + 62] = 122;   // 防具4: a placeholder-named armour code
  b[record + 63] = 9;
  const CharacterDump c = DecodeSave(b).characters[5];
  EXPECT_EQ(c.equipment[0].caption, "武器1");
  EXPECT_EQ(c.equipment[0].offset, record + 52);
  EXPECT_EQ(c.equipment[0].name, "（なし）");
  EXPECT_EQ(c.equipment[0].countStored, 255);
  EXPECT_FALSE(c.equipment[0].count.has_value());  // shown as "-"
  EXPECT_EQ(c.equipment[5].caption, "防具4");
  EXPECT_EQ(c.equipment[5].name, "ぼうぐ122");
  EXPECT_EQ(c.equipment[5].countStored, 9);
  EXPECT_EQ(c.equipment[5].count, 9);
}

TEST(SaveDump, HeaderValuesAreAsStoredBeyondTheWindowsLimits) {
  SaveBuffer b = Base();
  b[33] = 250;
  savegen::SetChips(b, 16777215);
  savegen::SetPlayTime(b, savegen::PlayTime(123, 45, 30));
  SaveDump dump = DecodeSave(b);
  EXPECT_EQ(dump.protagonist, 250);
  EXPECT_EQ(dump.chipsStored, 16777215);
  EXPECT_EQ(dump.chips, 999999);  // as the box shows it
  EXPECT_EQ(dump.playTime.sixtieths, savegen::PlayTime(123, 45, 30));
  EXPECT_EQ(dump.playTime.sixtieths / 216000, 123);
  EXPECT_EQ(dump.playTime.hours, 99);  // the hours box takes at most 99
  EXPECT_EQ(dump.playTime.minutes, 45);
  EXPECT_EQ(dump.playTime.highByte, 1);  // 123 hours need the fourth byte

  // Any non-zero byte 967 counts as 2^24 sixtieths, as the editor reads it.
  b[964] = b[965] = b[966] = 0;
  b[967] = 7;
  dump = DecodeSave(b);
  EXPECT_EQ(dump.playTime.sixtieths, 16777216);
  EXPECT_EQ(dump.playTime.hours, 77);
  EXPECT_EQ(dump.playTime.minutes, 40);
  EXPECT_EQ(dump.playTime.highByte, 7);
}

TEST(SaveDump, PartySlotsAndLabels) {
  SaveBuffer b = Base();
  const int codes[8] = {3, 255, 27, 200, 26, 0, 255, 255};
  for (int i = 0; i < 8; ++i) b[static_cast<std::size_t>(36 + i)] = static_cast<std::uint8_t>(codes[i]);
  const SaveDump dump = DecodeSave(b);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(dump.party[static_cast<std::size_t>(i)].slot, i);
    EXPECT_EQ(dump.party[static_cast<std::size_t>(i)].offset, 36 + i);
    EXPECT_EQ(dump.party[static_cast<std::size_t>(i)].stored, codes[i]);
    EXPECT_EQ(dump.party[static_cast<std::size_t>(i)].code.value_or(255), codes[i]);
  }
  EXPECT_EQ(dump.party[0].label, CharacterNames()[3]);
  EXPECT_EQ(dump.party[1].label, "（未加入）");
  EXPECT_EQ(dump.party[2].label, "*兵士");
  EXPECT_EQ(dump.party[3].label, "*" + CharacterNames()[0]);
  EXPECT_EQ(dump.party[4].label, "兵士(3)");
}

TEST(SaveDump, PossessionSlotsAreConsecutivePairsFrom180) {
  SaveBuffer b = Base();
  b[180] = 1;
  b[181] = 255;
  b[306] = 87;
  b[307] = 99;
  const SaveDump dump = DecodeSave(b);
  for (std::size_t i = 0; i < 64; ++i) {
    const ItemSlot& item = dump.possessions[i];
    EXPECT_EQ(item.slot, static_cast<int>(i) + 1);
    EXPECT_EQ(item.offset, 180 + 2 * static_cast<int>(i));
    EXPECT_EQ(item.code, b[180 + 2 * i]);
    EXPECT_EQ(item.countStored, b[181 + 2 * i]);
    EXPECT_EQ(item.name, ItemName(item.code));
  }
  EXPECT_EQ(dump.possessions[0].countStored, 255);
  EXPECT_FALSE(dump.possessions[0].count.has_value());
  EXPECT_EQ(dump.possessions[63].caption, "持物64");
  EXPECT_EQ(dump.possessions[6].caption, "持物07");
  EXPECT_EQ(dump.possessions[63].name, "アイテム87");
}

TEST(SaveDump, ScenarioEntriesReadTheirOwnByteAndState) {
  SaveBuffer b = Base();
  b[579] = 2;    // entry 0 (k = 63)
  b[582] = 254;  // entry 30 (k = 66), the highest
  b[516] = 3;    // entry 4 (k = 0)
  b[522] = 255;  // entry 5 (k = 6)
  b[523] = 4;    // entry 6 (k = 7)
  b[519] = 1;    // entry 7 (k = 3)
  const SaveDump dump = DecodeSave(b);
  const auto& s = dump.scenarios;
  EXPECT_EQ(s[0].offset, 579);
  EXPECT_EQ(s[0].state, "unvisited");
  EXPECT_EQ(s[0].stateCaption, "未踏");
  EXPECT_EQ(s[30].offset, 582);
  EXPECT_EQ(s[30].state, "finished");
  EXPECT_EQ(s[4].offset, 516);
  EXPECT_EQ(s[4].state, "current");
  for (const int e : {5, 6, 7}) {
    EXPECT_EQ(s[static_cast<std::size_t>(e)].state, "hidden") << e;
    EXPECT_EQ(s[static_cast<std::size_t>(e)].stateCaption, "非表示");
  }
  EXPECT_EQ(s[5].stored, 255);  // the stored value stays visible
  EXPECT_EQ(s[6].stored, 4);

  std::set<int> offsets;
  for (const ScenarioDump& e : s) {
    offsets.insert(e.offset);
    EXPECT_EQ(e.caption, ScenarioCaptions().at(static_cast<std::size_t>(e.entry)));
  }
  EXPECT_EQ(offsets.size(), 58u);
  for (const int unused : {521, 529, 551, 557, 561, 564, 574, 576, 581}) EXPECT_EQ(offsets.count(unused), 0u) << unused;
}

TEST(SaveDump, TechniqueFlagsSitWhereTheBitMapPutsThem) {
  SaveBuffer b = Base();
  for (int i = 85; i <= 110; ++i) b[static_cast<std::size_t>(i)] = 0;
  b[108] = 0x08;  // 剣術 row 21
  b[110] = 0x40;  // 弓術 row 11
  b[109] = 0x01;  // 槍術 row 17
  b[85] = 0x80;   // 体術 row 0
  b[87] = 0x04;   // 体術 row 20
  b[103] = 0x04;  // 水術 row 5
  const SaveDump dump = DecodeSave(b);
  std::set<std::pair<int, int>> mastered;
  for (const CategoryDump& c : dump.techniques) {
    EXPECT_EQ(c.name, TechniqueCategoryNames().at(static_cast<std::size_t>(c.index)));
    for (const TechniqueDump& t : c.techniques) {
      EXPECT_EQ(t.name, TechniqueNames(c.index).at(static_cast<std::size_t>(t.row)));
      if (t.mastered) mastered.insert({c.index, t.row});
    }
  }
  const std::set<std::pair<int, int>> expected = {{1, 21}, {5, 11}, {4, 17}, {0, 0}, {0, 20}, {9, 5}};
  EXPECT_EQ(mastered, expected);
}

TEST(SaveDump, AllTechniqueBitsSetMasterEveryRowOnce) {
  SaveBuffer b = Base();
  for (int i = 85; i <= 110; ++i) b[static_cast<std::size_t>(i)] = 0xFF;
  std::set<std::pair<int, int>> places;
  int rows = 0;
  for (const CategoryDump& c : DecodeSave(b).techniques) {
    for (const TechniqueDump& t : c.techniques) {
      EXPECT_TRUE(t.mastered);
      places.insert({t.byteIndex, t.bit});
      ++rows;
    }
  }
  EXPECT_EQ(rows, 143);
  EXPECT_EQ(places.size(), 143u);  // no bit serves two rows
}

TEST(SaveDump, RolesFollowTheShownBitsOfTheFourBytes) {
  SaveBuffer b = Base();
  b[976] = 0x01;  // entry 0
  b[977] = 0x00;
  b[978] = 0x07;  // bits 0, 1 not shown; bit 2 = entry 16
  b[979] = 0x92;  // bits 1, 4 not shown; bit 7 = entry 27
  const SaveDump dump = DecodeSave(b);
  std::set<int> acquired;
  for (const RoleDump& r : dump.roles) {
    EXPECT_EQ(r.caption, RoleCaptions().at(static_cast<std::size_t>(r.entry)));
    if (r.acquired) acquired.insert(r.entry);
  }
  EXPECT_EQ(acquired, (std::set<int>{0, 16, 27}));
  EXPECT_EQ(dump.roles[22].byteIndex, 979);
  EXPECT_EQ(dump.roles[22].bit, 0);
  EXPECT_EQ(dump.roles[23].bit, 2);
}

}  // namespace
}  // namespace zovek::cli
