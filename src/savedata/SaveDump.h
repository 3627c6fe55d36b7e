#pragma once
// Every field the editor shows for one save: the editor's own load walks run
// on the core's in-memory view, and what that view then shows is taken here,
// so the dump shows what the window shows. Beside the shown values stand the
// raw ones (stored bytes, the whole CR and chips, the play time in
// sixtieths), read through the core's field lists and tables.
// The decoding of a save: the command line's dump and the comparison of two
// saves both read it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "savefile/SaveBuffer.h"

namespace zovek {

// A number row of the character grid (age, CR, HP, ...).
struct CharacterNumber {
  int row = 0;             // row of the character grid: 1 and 4..12
  std::string key;         // stable name for scripts: "age", "cr", "maxHp", ...
  std::string caption;     // the grid row's label: "年齢", "CR", "最大HP", ...
  int offset = 0;          // buffer index of the first byte
  int width = 0;
  std::int64_t shown = 0;  // the grid's cell (CR at most 999999)
  std::int64_t stored = 0; // all `width` bytes as stored
};

struct SkillLevel {
  int category = 0;       // 0..11, also the aptitude box chkSitu(category)
  std::string caption;    // "体術LV", ...
  int offset = 0;
  int stored = 0;         // the byte: level in bits 0..6, aptitude in bit 7
  int level = 0;          // the grid's cell
  bool aptitude = false;  // chkSitu(category)
};

struct ItemSlot {
  int slot = 0;              // equipment 1..6, possessions 1..64
  std::string caption;       // "武器1", "防具3", "持物07"
  int offset = 0;            // of the code byte; the count follows it
  int code = 0;              // the code cell
  std::string name;          // the name cell
  std::optional<int> count;  // the count cell; none where it shows "-"
  int countStored = 0;       // the count byte (255 is shown as "-")
};

struct CharacterDump {
  int index = 0;          // 0..26, the entry of the character list
  std::string name;
  int recordOffset = 0;   // 4600 + 112 * index
  bool joined = false;    // the 仲間加入 cell (0 for the soldier entries)
  std::optional<bool> joinedStored;  // the joined bit; none for the soldiers 24..26, who have none
  int joinedByte = 0;     // where the joined bit lives (0 for the soldiers)
  int joinedBit = 0;
  bool martialArts = false;  // the 体術使用 cell
  int martialByte = 0;       // as stored; the flag is on for any value but 0
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
  std::string state;      // the option on: "hidden", "unvisited", "current", "finished"
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
  int slot = 0;              // 0..3 main, 4..7 sub (the party boxes' indices)
  int offset = 0;
  std::optional<int> code;   // the party box; none where it shows "-"
  int stored = 0;            // the byte (255 = empty)
  std::string label;         // lblValue(slot)
};

struct PlayTimeDump {
  // The editor's reading: bytes 964..966, plus 2^24 when byte 967 is not 0.
  std::int64_t sixtieths = 0;
  std::int64_t hours = 0;    // txtValue(3): at most 99
  std::int64_t minutes = 0;  // txtValue(4)
  int highByte = 0;          // byte 967 as stored
};

struct SaveDump {
  int protagonist = 0;           // txtValue(1)
  std::int64_t chips = 0;        // txtValue(2): at most 999999
  std::int64_t chipsStored = 0;  // the three bytes as stored
  PlayTimeDump playTime;
  std::vector<PartySlot> party;          // 8 slots
  std::vector<ItemSlot> possessions;     // 64 slots
  std::vector<CharacterDump> characters; // 27
  std::vector<CategoryDump> techniques;  // 12
  std::vector<ScenarioDump> scenarios;   // 58
  std::vector<RoleDump> roles;           // 28
  // What the window shows for each field of FieldCatalogue(), in its order,
  // as canonical text.
  std::vector<std::string> values;
};

SaveDump DecodeSave(const SaveBuffer& buffer);

}  // namespace zovek
