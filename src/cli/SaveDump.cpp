#include "cli/SaveDump.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "names/NameTables.h"
#include "savedata/FieldEngine.h"
#include "savedata/FieldRules.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek::cli {

namespace {

constexpr int kFirstSkillRow = 13;  // grid rows 13..24 are the twelve skill levels

struct RowName {
  const char* key;
  const char* caption;
};

// Rows 1..12 of the character grid; rows 2 and 3 are the two flags.
constexpr std::array<RowName, 13> kRowNames{{
    {"", ""},
    {"age", "年齢"},
    {"joined", "仲間加入"},
    {"martialArts", "体術使用"},
    {"cr", "CR"},
    {"hp", "HP"},
    {"maxHp", "最大HP"},
    {"lp", "LP"},
    {"maxLp", "最大LP"},
    {"wp", "WP"},
    {"maxWp", "最大WP"},
    {"jp", "JP"},
    {"maxJp", "最大JP"},
}};

int Byte(const SaveBuffer& buffer, int index) { return buffer.at(static_cast<std::size_t>(index)); }
int Number(const SaveBuffer& buffer, FieldRef ref) {
  return static_cast<int>(ReadNumber(buffer, ref.offset, ref.width));
}

[[noreturn]] void Unexpected(const char* walk, FieldRef ref) {
  // The walk tables and the field classes disagree: a build that must not ship.
  throw std::logic_error(std::string(walk) + ": no field class for offset " + std::to_string(ref.offset));
}

ItemSlot& SlotOf(std::vector<ItemSlot>& slots, int slot) {
  auto it = std::find_if(slots.begin(), slots.end(), [slot](const ItemSlot& s) { return s.slot == slot; });
  if (it != slots.end()) return *it;
  slots.push_back(ItemSlot{});
  slots.back().slot = slot;
  return slots.back();
}

void SetCode(ItemSlot& item, const SaveBuffer& buffer, FieldRef ref) {
  item.offset = ref.offset;
  item.code = Number(buffer, ref);
  item.name = ItemName(item.code);
}

CharacterDump DecodeCharacter(const SaveBuffer& buffer, int index) {
  const int base = kRecordSize * index;
  CharacterDump c;
  c.index = index;
  c.name = CharacterNames().at(static_cast<std::size_t>(index));
  c.recordOffset = kRecordsStart + base;

  for (const FieldRef ref : CharacterFieldRefs(base)) {
    switch (ClassifyField(ref.offset, base)) {
      case FieldClass::JoinedFlag:
        if (const auto bit = JoinedBitOf(base)) {
          c.joinedByte = bit->byteIndex;
          c.joinedBit = bit->bit;
          c.joined = ((Byte(buffer, bit->byteIndex) >> bit->bit) & 1) != 0;
        }
        break;
      case FieldClass::CharacterNumber: {
        CharacterNumber n;
        n.row = ref.slot;
        n.key = CharacterRowKey(ref.slot);
        n.caption = CharacterRowCaption(ref.slot);
        n.offset = ref.offset;
        n.width = ref.width;
        n.value = ReadNumber(buffer, ref.offset, ref.width);
        c.numbers.push_back(n);
        break;
      }
      case FieldClass::SkillLevel: {
        SkillLevel s;
        s.category = ref.slot - kFirstSkillRow;
        s.caption = TechniqueCategoryNames().at(static_cast<std::size_t>(s.category)) + "LV";
        s.offset = ref.offset;
        s.stored = Number(buffer, ref);
        s.level = s.stored % kAptitudeBit;
        s.aptitude = (s.stored & kAptitudeBit) != 0;
        c.skills.push_back(s);
        break;
      }
      case FieldClass::EquipCode:
        SetCode(SlotOf(c.equipment, ref.slot), buffer, ref);
        break;
      case FieldClass::EquipCount:
        SlotOf(c.equipment, ref.slot).count = Number(buffer, ref);
        break;
      case FieldClass::MartialFlag:
        c.martialByte = Byte(buffer, ref.offset);
        c.martialArts = c.martialByte != 0;
        break;
      default:
        Unexpected("character walk", ref);
    }
  }

  std::sort(c.numbers.begin(), c.numbers.end(), [](const auto& a, const auto& b) { return a.row < b.row; });
  std::sort(c.skills.begin(), c.skills.end(), [](const auto& a, const auto& b) { return a.category < b.category; });
  std::sort(c.equipment.begin(), c.equipment.end(), [](const auto& a, const auto& b) { return a.slot < b.slot; });
  for (ItemSlot& item : c.equipment) item.caption = EquipmentCaption(item.slot);
  return c;
}

void DecodeGeneral(const SaveBuffer& buffer, SaveDump& dump) {
  for (const FieldRef ref : GeneralFieldRefs(kLoad)) {
    switch (ClassifyField(ref.offset, 0)) {
      case FieldClass::HeaderNumber:
        if (ref.slot == 1) dump.protagonist = Number(buffer, ref);
        if (ref.slot == 2) dump.chips = ReadNumber(buffer, ref.offset, ref.width);
        break;
      case FieldClass::PartyMember: {
        PartySlot p;
        p.slot = ref.slot;
        p.offset = ref.offset;
        p.code = Number(buffer, ref);
        p.label = PartyLabel(p.code);
        dump.party.push_back(p);
        break;
      }
      case FieldClass::ItemCode:
        SetCode(SlotOf(dump.possessions, ref.slot), buffer, ref);
        break;
      case FieldClass::ItemCount:
        SlotOf(dump.possessions, ref.slot).count = Number(buffer, ref);
        break;
      case FieldClass::PlayTime: {
        PlayTimeDump& t = dump.playTime;
        t.highByte = Byte(buffer, ref.offset + 3);
        t.sixtieths = ReadNumber(buffer, ref.offset, 3) + (t.highByte != 0 ? kPlayTimeHighByteValue : 0);
        t.hours = t.sixtieths / kSixtiethsPerHour;
        t.minutes = (t.sixtieths / kSixtiethsPerMinute) % 60;
        break;
      }
      case FieldClass::RoleBits:
        for (int entry = 0; entry < kRoleEntries; ++entry) {
          const RoleBit flag = RoleFlag(entry);
          if (flag.byteIndex != ref.offset) continue;
          RoleDump r;
          r.entry = entry;
          r.caption = RoleCaptions().at(static_cast<std::size_t>(entry));
          r.byteIndex = flag.byteIndex;
          r.bit = flag.bit;
          r.acquired = ((Byte(buffer, flag.byteIndex) >> flag.bit) & 1) != 0;
          dump.roles.push_back(r);
        }
        break;
      default:
        Unexpected("general walk", ref);
    }
  }
  std::sort(dump.possessions.begin(), dump.possessions.end(), [](const auto& a, const auto& b) { return a.slot < b.slot; });
  for (ItemSlot& item : dump.possessions) item.caption = PossessionCaption(item.slot);
}

ScenarioDump DecodeScenario(const SaveBuffer& buffer, int entry) {
  const FieldRef ref = ScenarioFieldRef(entry);
  if (ClassifyField(ref.offset, 0) != FieldClass::ScenarioState) Unexpected("scenario walk", ref);
  ScenarioDump s;
  s.entry = entry;
  s.caption = ScenarioCaptions().at(static_cast<std::size_t>(entry));
  s.offset = ref.offset;
  s.stored = Number(buffer, ref);
  switch (s.stored) {
    case kStateUnvisited: s.state = "unvisited"; s.stateCaption = "未踏"; break;
    case kStateCurrent: s.state = "current"; s.stateCaption = "該当"; break;
    case kStateFinished: s.state = "finished"; s.stateCaption = "終了"; break;
    default: s.state = "hidden"; s.stateCaption = "非表示"; break;
  }
  return s;
}

CategoryDump DecodeCategory(const SaveBuffer& buffer, int category) {
  CategoryDump c;
  c.index = category;
  c.name = TechniqueCategoryNames().at(static_cast<std::size_t>(category));
  const auto& names = TechniqueNames(category);
  const int rows = kTechniqueRowCounts.at(static_cast<std::size_t>(category));
  for (int row = 0; row < rows; ++row) {
    const TechniqueBit flag = TechniqueFlag(category, row);
    TechniqueDump t;
    t.row = row;
    t.name = names.at(static_cast<std::size_t>(row));
    t.byteIndex = flag.byteIndex;
    t.bit = flag.bit;
    t.mastered = ((Byte(buffer, flag.byteIndex) >> flag.bit) & 1) != 0;
    c.techniques.push_back(t);
  }
  return c;
}

}  // namespace

const char* CharacterRowKey(int row) {
  return row >= 1 && row < static_cast<int>(kRowNames.size()) ? kRowNames[static_cast<std::size_t>(row)].key : "";
}

const char* CharacterRowCaption(int row) {
  return row >= 1 && row < static_cast<int>(kRowNames.size()) ? kRowNames[static_cast<std::size_t>(row)].caption : "";
}

std::string EquipmentCaption(int slot) {
  return slot <= 2 ? "武器" + std::to_string(slot) : "防具" + std::to_string(slot - 2);
}

std::string PossessionCaption(int slot) {
  return std::string("持物") + (slot < 10 ? "0" : "") + std::to_string(slot);
}

SaveDump DecodeSave(const SaveBuffer& buffer) {
  SaveDump dump;
  for (int k = 0; k < kCharacters; ++k) dump.characters.push_back(DecodeCharacter(buffer, k));
  for (int c = 0; c < kTechniqueCategories; ++c) dump.techniques.push_back(DecodeCategory(buffer, c));
  for (int e = 0; e < kScenarioEntries; ++e) dump.scenarios.push_back(DecodeScenario(buffer, e));
  DecodeGeneral(buffer, dump);
  return dump;
}

}  // namespace zovek::cli
