#pragma once
// Where the window's editable fields live in the data region, and what the
// window calls them: one table per part of the window. The field classes, the
// walks' field lists, the ranges and typing limits of the boxes and the grid,
// the grids' captions and the command-line dump all derive from these.
// Header only (constexpr), so that the text rules use it without linking the
// field engine or the name tables.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "names/NameTables.h"

namespace zovek {

// ---- the data region ----

inline constexpr int kRecordsStart = 4600;     // record of character k at 4600 + 112 k
inline constexpr int kRecordSize = 112;
inline constexpr int kMartialFlagInRecord = 64;  // the byte after it is raised to 255 with the flag

inline constexpr int kJoinedFlagsStart = 412;  // bytes 412..414, character 0 in bit 7 of 412
inline constexpr int kJoinedCharacters = 24;   // the soldier entries 24..26 have no bit

inline constexpr int kScenarioStatesStart = 516;
inline constexpr int kScenarioStatesLast = 582;

inline constexpr int kPlayTimeOffset = 964;     // bytes 964..967, in sixtieths of a second
inline constexpr int kRoleBytesStart = 976;     // role groups 0..3 in bytes 976..979
inline constexpr int kRoleBytes = 4;
inline constexpr int kChipsOffset = 1005;
inline constexpr int kPlayTimeHighByte = kPlayTimeOffset + 3;  // counted whole when not 0

// Numbers that the value boxes and the CR row cannot show are shown as this.
inline constexpr long kShownMaximum = 999999;

// Written into an empty martial-arts byte when the flag is turned on: an item
// code the game accepts there.
inline constexpr int kMartialDefaultCode = 79;
inline constexpr int kAptitudeBit = 128;
inline constexpr int kEmptyCode = 255;  // empty party slot, empty count: shown as "-"

inline constexpr long kSixtiethsPerMinute = 3600;
inline constexpr long kSixtiethsPerHour = 216000;
// Any non-zero byte 967 counts as this many sixtieths when the play time is read.
inline constexpr long kPlayTimeHighByteValue = 16777216;

// Where a flag lives: a byte of the data region and a bit in it.
struct FlagBit {
  int byteIndex;
  int bit;
};
// Where the joined flag of the character with this record base lives; nothing
// for the soldier entries (and for any base that names no character).
inline std::optional<FlagBit> JoinedBitOf(int characterBase) {
  if (characterBase < 0 || characterBase % kRecordSize != 0) return std::nullopt;
  const int k = characterBase / kRecordSize;
  if (k >= kJoinedCharacters) return std::nullopt;
  return FlagBit{kJoinedFlagsStart + k / 8, 7 - k % 8};
}

inline constexpr int kCharacters = 27;
inline constexpr int kTechniqueCategories = 12;
inline constexpr int kScenarioEntries = 58;
inline constexpr int kRoleEntries = 28;

// Where character k's 112-byte record starts.
constexpr int RecordStart(int character) { return kRecordsStart + kRecordSize * character; }

// ---- the character grid, Fgrid(0) ----

enum class CharacterRowKind {
  Number,  // a number of `width` bytes at `recordOffset`
  Joined,  // the character's joined bit (JoinedBitOf), 0 or 1
  Martial, // the martial-arts flag byte, shown as 0 or 1
  Skill,   // level in bits 0..6, aptitude (chkSitu) in bit 7
};

struct CharacterRow {
  std::string_view key;      // the dump's name of the row; "" for the skill rows
  std::string_view caption;  // the row's label in column 0; CharacterRowCaption for the skill rows
  CharacterRowKind kind;
  int recordOffset;          // inside the 112-byte record; -1 for the joined bit
  int width;
};

inline constexpr int kCharacterRows = 24;  // rows 1..24; row 0 is the header
inline constexpr int kFirstSkillRow = 13;  // rows 13..24: the twelve skill levels, chkSitu(row - 13)
inline constexpr int kAptitudeBoxes = kCharacterRows - kFirstSkillRow + 1;  // chkSitu(0..11)

// A skill row: its level and aptitude byte in the record.
constexpr CharacterRow SkillRow(int recordOffset) { return {"", "", CharacterRowKind::Skill, recordOffset, 1}; }

// Index = grid row; entry 0 stands for the header row.
inline constexpr std::array<CharacterRow, kCharacterRows + 1> kCharacterGrid{{
    {"", "", CharacterRowKind::Number, -1, 0},
    {"age", "年齢", CharacterRowKind::Number, 86, 1},
    {"joined", "仲間加入", CharacterRowKind::Joined, -1, 1},
    {"martialArts", "体術使用", CharacterRowKind::Martial, kMartialFlagInRecord, 1},
    {"cr", "CR", CharacterRowKind::Number, 0, 3},
    {"hp", "HP", CharacterRowKind::Number, 4, 2},
    {"maxHp", "最大HP", CharacterRowKind::Number, 6, 2},
    {"lp", "LP", CharacterRowKind::Number, 8, 1},
    {"maxLp", "最大LP", CharacterRowKind::Number, 9, 1},
    {"wp", "WP", CharacterRowKind::Number, 12, 1},
    {"maxWp", "最大WP", CharacterRowKind::Number, 13, 1},
    {"jp", "JP", CharacterRowKind::Number, 16, 1},
    {"maxJp", "最大JP", CharacterRowKind::Number, 17, 1},
    SkillRow(21), SkillRow(22), SkillRow(23), SkillRow(24), SkillRow(25), SkillRow(26),
    SkillRow(28), SkillRow(29), SkillRow(30), SkillRow(31), SkillRow(32), SkillRow(33),  // record byte 27 is not shown
}};

inline constexpr std::string_view kCharacterGridHeader = "データ";

// The label of row 1..24: a skill row is its category's name and "LV".
inline std::string CharacterRowCaption(int row) {
  const CharacterRow& field = kCharacterGrid.at(static_cast<std::size_t>(row));
  if (field.kind != CharacterRowKind::Skill) return std::string(field.caption);
  return TechniqueCategoryNames().at(static_cast<std::size_t>(row - kFirstSkillRow)) + "LV";
}

// ---- the item grids: equipment Fgrid(1), possessions Fgrid(2) ----

inline constexpr int kEquipmentSlots = 6;          // rows 1..6
inline constexpr int kEquipmentInRecord = 52;      // slot p: code at 50 + 2p, count at 51 + 2p
inline constexpr int kPossessionSlots = 64;        // rows 1..64
inline constexpr int kPossessionsStart = 180;      // slot r: code at 178 + 2r, count at 179 + 2r
inline constexpr int kPossessionsLast = kPossessionsStart + 2 * kPossessionSlots - 1;
inline constexpr int kWeaponSlots = 2;             // equipment rows 1..2 are weapons, 3..6 armour

// The code byte of equipment slot 1..6 (inside the record) and of possession
// slot 1..64; each count is the byte after its code.
constexpr int EquipmentCodeInRecord(int slot) { return kEquipmentInRecord + 2 * (slot - 1); }
constexpr int PossessionCodeByte(int slot) { return kPossessionsStart + 2 * (slot - 1); }

inline constexpr std::string_view kCodeHeader = "コード";
inline constexpr std::string_view kCountHeader = "回 数";
inline constexpr std::string_view kEquipmentNameHeader = "装備品名";
inline constexpr std::string_view kPossessionNameHeader = "アイテム名";

// "武器1", "武器2", "防具1".."防具4".
inline std::string EquipmentCaption(int slot) {
  return slot <= kWeaponSlots ? "武器" + std::to_string(slot) : "防具" + std::to_string(slot - kWeaponSlots);
}

// "持物01".."持物64".
inline constexpr std::string_view kPossessionCaption = "持物";
inline std::string PossessionCaption(int slot) {
  return std::string(kPossessionCaption) + (slot < 10 ? "0" : "") + std::to_string(slot);
}

// ---- the header values and the party ----

inline constexpr int kMainPartyCountOffset = 32;  // written from the four main slots, never shown
inline constexpr int kProtagonistOffset = 33;     // txtValue(1)
inline constexpr int kPartyStart = 36;            // txtParty(0..7): main 0..3, sub 4..7
inline constexpr int kPartySlots = 8;
inline constexpr int kMainPartySlots = 4;
// The party frame's caption, and what it calls the main and the sub slots.
inline constexpr std::string_view kPartyCaption = "パーティ構成";
inline constexpr std::string_view kMainPartyCaption = "メイン";
inline constexpr std::string_view kSubPartyCaption = "サブ";
// The aptitude boxes' frame, chkSitu(0..11).
inline constexpr std::string_view kAptitudeCaption = "資質";
// The tabs and the frames around the lists, which the text dump's sections
// are headed by too.
inline constexpr std::string_view kCharacterTabCaption = "キャラクター";
inline constexpr std::string_view kScenarioTabCaption = "技術・シナリオ";
inline constexpr std::string_view kItemTabCaption = "アイテム・その他";
inline constexpr std::string_view kTechniqueCaption = "技・術の極意修得";
inline constexpr std::string_view kScenarioCaption = "シナリオ設定";
inline constexpr std::string_view kRoleCaption = "ロール取得";

inline constexpr int kChipsWidth = 3;

// txtValue(0..): the dump's key of each box, the window's label before it
// exactly as shown, the largest number it takes and the bytes it is stored
// in. Box 0 shows the selected character, never the save; 3 and 4 are the
// hours and minutes of the play time, "時間 :" before both.
struct ValueBox {
  std::string_view key;
  std::string_view label;
  std::int64_t maximum;
  int offset = -1;
  int width = 0;
};
inline constexpr std::array<ValueBox, 5> kValueBoxes{{
    {"", "", 255},
    {"protagonist", "主人公コード :", 255, kProtagonistOffset, 1},
    {"chips", "チップ : ", kShownMaximum, kChipsOffset, kChipsWidth},
    {"playTime.hours", "時間 :", 99, kPlayTimeOffset, 4},
    {"playTime.minutes", "：", 59, kPlayTimeOffset, 4},
}};
inline constexpr int kValueBoxCount = static_cast<int>(kValueBoxes.size());
// The box that shows the whole number stored at `offset` (not the play
// time's, which two boxes share); -1 for none.
constexpr int NumberBoxAt(int offset) {
  for (int box = 1; box < kValueBoxCount; ++box) {
    const ValueBox& b = kValueBoxes[static_cast<std::size_t>(box)];
    if (b.offset == offset && offset != kPlayTimeOffset) return box;
  }
  return -1;
}
// The label without the colon and the spaces around it: "チップ".
constexpr std::string_view ValueBoxCaption(int box) {
  std::string_view label = kValueBoxes.at(static_cast<std::size_t>(box)).label;
  while (!label.empty() && (label.back() == ' ' || label.back() == ':')) label.remove_suffix(1);
  return label;
}
inline constexpr int kProtagonistBox = 1;
inline constexpr int kChipsBox = 2;
inline constexpr int kHoursBox = 3;
inline constexpr int kMinutesBox = 4;

// ---- the scenario states: optEvt(0..3) ----

struct ScenarioOptionName {
  std::string_view key;      // the dump's name of the state
  std::string_view caption;  // the option button's caption
};
// optEvt(i) is on for the state byte kOptionState[i] (FieldEngine.h).
inline constexpr std::array<ScenarioOptionName, 4> kScenarioOptionNames{{
    {"hidden", "非表示"}, {"unvisited", "未踏"}, {"current", "該当"}, {"finished", "終了"}}};

// ---- ranges ----

inline constexpr std::int64_t kByteMaximum = 255;
inline constexpr std::int64_t kCountMaximum = kEmptyCode - 1;  // the byte value 255 is "-"

// The largest number a grid cell takes: a count stays below the empty byte
// and an item code is a byte; a character row takes 0/1 for the flags, what
// its bytes hold otherwise, and for CR what the grid can show.
constexpr std::int64_t CellMaximum(int grid, int row, int col) {
  if (col == 2) return kCountMaximum;
  if (grid != 0 || row < 1 || row > kCharacterRows) return kByteMaximum;
  const CharacterRow& r = kCharacterGrid[static_cast<std::size_t>(row)];
  if (r.kind == CharacterRowKind::Joined || r.kind == CharacterRowKind::Martial) return 1;
  if (r.width >= 3) return kShownMaximum;
  return (std::int64_t{1} << (8 * r.width)) - 1;
}

// How many digits the largest number has: the typing limit of its box.
constexpr int DecimalDigits(std::int64_t maximum) {
  int digits = 1;
  while (maximum >= 10) {
    maximum /= 10;
    ++digits;
  }
  return digits;
}

}  // namespace zovek
