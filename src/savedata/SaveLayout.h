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
#include "names/TextMark.h"

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
    {"age", ZOVEK_TR_NOOP("Captions", "年齢"), CharacterRowKind::Number, 86, 1},
    {"joined", ZOVEK_TR_NOOP("Captions", "仲間加入"), CharacterRowKind::Joined, -1, 1},
    {"martialArts", ZOVEK_TR_NOOP("Captions", "体術使用"), CharacterRowKind::Martial, kMartialFlagInRecord, 1},
    {"cr", ZOVEK_TR_NOOP("Captions", "CR"), CharacterRowKind::Number, 0, 3},
    {"hp", ZOVEK_TR_NOOP("Captions", "HP"), CharacterRowKind::Number, 4, 2},
    {"maxHp", ZOVEK_TR_NOOP("Captions", "最大HP"), CharacterRowKind::Number, 6, 2},
    {"lp", ZOVEK_TR_NOOP("Captions", "LP"), CharacterRowKind::Number, 8, 1},
    {"maxLp", ZOVEK_TR_NOOP("Captions", "最大LP"), CharacterRowKind::Number, 9, 1},
    {"wp", ZOVEK_TR_NOOP("Captions", "WP"), CharacterRowKind::Number, 12, 1},
    {"maxWp", ZOVEK_TR_NOOP("Captions", "最大WP"), CharacterRowKind::Number, 13, 1},
    {"jp", ZOVEK_TR_NOOP("Captions", "JP"), CharacterRowKind::Number, 16, 1},
    {"maxJp", ZOVEK_TR_NOOP("Captions", "最大JP"), CharacterRowKind::Number, 17, 1},
    SkillRow(21), SkillRow(22), SkillRow(23), SkillRow(24), SkillRow(25), SkillRow(26),
    SkillRow(28), SkillRow(29), SkillRow(30), SkillRow(31), SkillRow(32), SkillRow(33),  // record byte 27 is not shown
}};

inline constexpr std::string_view kCharacterGridHeader = ZOVEK_TR_NOOP("Captions", "データ");

// The label of row 1..24: a skill row is its category's name and "LV".
inline constexpr std::string_view kSkillRowCaption = ZOVEK_TR_NOOP("Captions", "%1LV");
inline std::string CharacterRowCaption(int row, TextTranslation translate = nullptr) {
  const CharacterRow& field = kCharacterGrid.at(static_cast<std::size_t>(row));
  if (field.kind != CharacterRowKind::Skill) return Translated(translate, "Captions", field.caption);
  return Filled(Translated(translate, "Captions", kSkillRowCaption),
                TechniqueCategoryNames().at(static_cast<std::size_t>(row - kFirstSkillRow)));
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

inline constexpr std::string_view kCodeHeader = ZOVEK_TR_NOOP("Captions", "コード");
inline constexpr std::string_view kCountHeader = ZOVEK_TR_NOOP("Captions", "回 数");
inline constexpr std::string_view kEquipmentNameHeader = ZOVEK_TR_NOOP("Captions", "装備品名");
inline constexpr std::string_view kPossessionNameHeader = ZOVEK_TR_NOOP("Captions", "アイテム名");

// "武器1", "武器2", "防具1".."防具4".
inline constexpr std::string_view kWeaponSlotCaption = ZOVEK_TR_NOOP("Captions", "武器%1");
inline constexpr std::string_view kArmourSlotCaption = ZOVEK_TR_NOOP("Captions", "防具%1");
inline std::string EquipmentCaption(int slot, TextTranslation translate = nullptr) {
  const bool weapon = slot <= kWeaponSlots;
  return Filled(Translated(translate, "Captions", weapon ? kWeaponSlotCaption : kArmourSlotCaption),
                std::to_string(weapon ? slot : slot - kWeaponSlots));
}

// "持物01".."持物64", under the heading "持物".
inline constexpr std::string_view kPossessionCaption = ZOVEK_TR_NOOP("Captions", "持物");
inline constexpr std::string_view kPossessionSlotCaption = ZOVEK_TR_NOOP("Captions", "持物%1");
inline std::string PossessionCaption(int slot, TextTranslation translate = nullptr) {
  return Filled(Translated(translate, "Captions", kPossessionSlotCaption),
                (slot < 10 ? "0" : "") + std::to_string(slot));
}

// ---- the header values and the party ----

inline constexpr int kMainPartyCountOffset = 32;  // written from the four main slots, never shown
inline constexpr int kProtagonistOffset = 33;     // txtValue(1)
inline constexpr int kPartyStart = 36;            // txtParty(0..7): main 0..3, sub 4..7
inline constexpr int kPartySlots = 8;
inline constexpr int kMainPartySlots = 4;
// The party frame's caption, and what it calls the main and the sub slots.
inline constexpr std::string_view kPartyCaption = ZOVEK_TR_NOOP("Captions", "パーティ構成");
inline constexpr std::string_view kMainPartyCaption = ZOVEK_TR_NOOP("Captions", "メイン");
inline constexpr std::string_view kSubPartyCaption = ZOVEK_TR_NOOP("Captions", "サブ");
// txtParty(slot) by its place: "メイン1".."メイン4", "サブ1".."サブ4".
inline constexpr std::string_view kMainSlotCaption = ZOVEK_TR_NOOP("Captions", "メイン%1");
inline constexpr std::string_view kSubSlotCaption = ZOVEK_TR_NOOP("Captions", "サブ%1");
inline std::string PartySlotCaption(int slot, TextTranslation translate = nullptr) {
  const bool main = slot < kMainPartySlots;
  return Filled(Translated(translate, "Captions", main ? kMainSlotCaption : kSubSlotCaption),
                std::to_string(main ? slot + 1 : slot - kMainPartySlots + 1));
}
// The aptitude boxes' frame, chkSitu(0..11).
inline constexpr std::string_view kAptitudeCaption = ZOVEK_TR_NOOP("Captions", "資質");
// The tabs and the frames around the lists, which the text dump's sections
// are headed by too.
inline constexpr std::string_view kCharacterTabCaption = ZOVEK_TR_NOOP("Captions", "キャラクター");
inline constexpr std::string_view kScenarioTabCaption = ZOVEK_TR_NOOP("Captions", "技術・シナリオ");
inline constexpr std::string_view kItemTabCaption = ZOVEK_TR_NOOP("Captions", "アイテム・その他");
inline constexpr std::string_view kTechniqueCaption = ZOVEK_TR_NOOP("Captions", "技・術の極意修得");
inline constexpr std::string_view kScenarioCaption = ZOVEK_TR_NOOP("Captions", "シナリオ設定");
inline constexpr std::string_view kRoleCaption = ZOVEK_TR_NOOP("Captions", "ロール取得");

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
    {"protagonist", ZOVEK_TR_NOOP("Captions", "主人公コード :"), 255, kProtagonistOffset, 1},
    {"chips", ZOVEK_TR_NOOP("Captions", "チップ : "), kShownMaximum, kChipsOffset, kChipsWidth},
    {"playTime.hours", ZOVEK_TR_NOOP("Captions", "時間 :"), 99, kPlayTimeOffset, 4},
    {"playTime.minutes", ZOVEK_TR_NOOP("Captions", "："), 59, kPlayTimeOffset, 4},
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
inline constexpr int kProtagonistBox = 1;
inline constexpr int kChipsBox = 2;
inline constexpr int kHoursBox = 3;
inline constexpr int kMinutesBox = 4;

// A label without the colon and the spaces after it: "チップ : " -> "チップ".
constexpr std::string_view WithoutColon(std::string_view label) {
  while (!label.empty() && (label.back() == ' ' || label.back() == ':')) label.remove_suffix(1);
  return label;
}
constexpr std::string_view ValueBoxCaption(int box) {
  return WithoutColon(kValueBoxes.at(static_cast<std::size_t>(box)).label);
}
// What box 1..4 is called: its caption; the play time's two by the caption
// before both and which part they are.
inline constexpr std::array<std::string_view, 2> kPlayTimeParts{ZOVEK_TR_NOOP("Captions", " (時)"),
                                                                ZOVEK_TR_NOOP("Captions", " (分)")};
inline std::string ValueBoxName(int box, TextTranslation translate = nullptr) {
  const bool playTime = kValueBoxes.at(static_cast<std::size_t>(box)).offset == kPlayTimeOffset;
  const std::string label =
      Translated(translate, "Captions", kValueBoxes.at(static_cast<std::size_t>(playTime ? kHoursBox : box)).label);
  const std::string name(WithoutColon(label));
  return playTime ? name + Translated(translate, "Captions", kPlayTimeParts.at(box == kHoursBox ? 0 : 1)) : name;
}

// ---- the scenario states: optEvt(0..3) ----

struct ScenarioOptionName {
  std::string_view key;      // the dump's name of the state
  std::string_view caption;  // the option button's caption
};
// optEvt(i) is on for the state byte kOptionState[i] (FieldEngine.h).
inline constexpr std::array<ScenarioOptionName, 4> kScenarioOptionNames{{
    {"hidden", ZOVEK_TR_NOOP("Captions", "非表示")}, {"unvisited", ZOVEK_TR_NOOP("Captions", "未踏")}, {"current", ZOVEK_TR_NOOP("Captions", "該当")}, {"finished", ZOVEK_TR_NOOP("Captions", "終了")}}};

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
