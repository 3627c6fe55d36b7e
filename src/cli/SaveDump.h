#pragma once
// Every field the editor shows for one save, decoded from its data region by
// the editor's own field lists (the walks' FieldRefs), field classes, bit maps
// and name tables. Values are as stored: nothing is clamped for display.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "savefile/SaveBuffer.h"

namespace zovek::cli {

// A number of the character grid (age, CR, HP, ...).
struct CharacterNumber {
  int row = 0;            // row of the character grid, 1..12
  std::string key;        // stable name for scripts: "age", "cr", "maxHp", ...
  std::string caption;    // the grid row's label: "年齢", "CR", "最大HP", ...
  int offset = 0;         // buffer index of the first byte
  int width = 0;
  std::int64_t value = 0; // as stored, all `width` bytes
};

struct SkillLevel {
  int category = 0;       // 0..11, also the aptitude box chkSitu(category)
  std::string caption;    // "体術LV", ...
  int offset = 0;
  int stored = 0;         // the byte: level in bits 0..6, aptitude in bit 7
  int level = 0;
  bool aptitude = false;
};

struct ItemSlot {
  int slot = 0;           // equipment 1..6, possessions 1..64
  std::string caption;    // "武器1", "防具3", "持物07"
  int offset = 0;         // of the code byte; the count follows it
  int code = 0;
  std::string name;       // ItemName(code)
  int count = 0;          // as stored; 255 is shown as "-"
};

struct CharacterDump {
  int index = 0;          // 0..26, the entry of the character list
  std::string name;
  int recordOffset = 0;   // 4600 + 112 * index
  std::optional<bool> joined;  // none for the soldier entries 24..26
  int joinedByte = 0;     // where the joined bit lives (0 for the soldiers)
  int joinedBit = 0;
  int martialByte = 0;    // as stored; the flag is on for any value but 0
  bool martialArts = false;
  std::vector<CharacterNumber> numbers;  // grid rows 1 and 4..12, in row order
  std::vector<SkillLevel> skills;        // the twelve categories in order
  std::vector<ItemSlot> equipment;       // slots 1..6
};

struct TechniqueDump {
  int row = 0;
  std::string name;
  int byteIndex = 0;
  int bit = 0;
  bool mastered = false;
};

struct CategoryDump {
  int index = 0;
  std::string name;       // "体術", ...
  std::vector<TechniqueDump> techniques;
};

struct ScenarioDump {
  int entry = 0;          // 0..57, list order
  std::string caption;
  int offset = 0;         // 516 + the entry's byte number
  int stored = 0;
  std::string state;      // "hidden", "unvisited", "current", "finished"
  std::string stateCaption;  // "非表示", "未踏", "該当", "終了"
};

struct RoleDump {
  int entry = 0;          // 0..27
  std::string caption;
  int byteIndex = 0;
  int bit = 0;
  bool acquired = false;
};

struct PartySlot {
  int slot = 0;           // 0..3 main, 4..7 sub (the party boxes' indices)
  int offset = 0;
  int code = 0;           // as stored; 255 = empty, shown as "-"
  std::string label;      // PartyLabel(code)
};

struct PlayTimeDump {
  // The editor's reading: bytes 964..966, plus 2^24 when byte 967 is not 0.
  std::int64_t sixtieths = 0;
  std::int64_t hours = 0;    // not limited to the 99 hours the window shows
  std::int64_t minutes = 0;
  int highByte = 0;          // byte 967 as stored
};

struct SaveDump {
  int protagonist = 0;
  std::int64_t chips = 0;    // as stored, also above the 999999 the window shows
  PlayTimeDump playTime;
  std::vector<PartySlot> party;          // 8 slots
  std::vector<ItemSlot> possessions;     // 64 slots
  std::vector<CharacterDump> characters; // 27
  std::vector<CategoryDump> techniques;  // 12
  std::vector<ScenarioDump> scenarios;   // 58
  std::vector<RoleDump> roles;           // 28
};

SaveDump DecodeSave(const SaveBuffer& buffer);

// Texts shared by the printers.
std::string EquipmentCaption(int slot);   // "武器1", "防具1", ...
std::string PossessionCaption(int slot);  // "持物01", ...
// The key and caption of a number row of the character grid (1, 4..12).
const char* CharacterRowKey(int row);
const char* CharacterRowCaption(int row);

}  // namespace zovek::cli
