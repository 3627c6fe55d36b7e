#include "cli/EditKeys.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "savedata/FieldRules.h"
#include "savedata/SaveLayout.h"
#include "savedata/ViewNames.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek::cli {

namespace {

std::string Index(int i) { return "[" + std::to_string(i) + "]"; }

EditKey Number(std::string key, EditPlace place, std::int64_t maximum, std::vector<int> bytes) {
  EditKey k{std::move(key), place, EditValue::Number};
  k.maximum = maximum;
  k.bytes = std::move(bytes);
  return k;
}

EditKey CellKey(std::string key, int character, int grid, int row, int col, std::vector<int> bytes) {
  const bool count = col == 2;
  const bool flag = grid == 0 && (kCharacterGrid[static_cast<std::size_t>(row)].kind == CharacterRowKind::Joined ||
                                  kCharacterGrid[static_cast<std::size_t>(row)].kind == CharacterRowKind::Martial);
  EditKey k{std::move(key), flag ? EditPlace::FlagCell : EditPlace::Cell,
            flag ? EditValue::Flag : (count ? EditValue::NumberOrEmpty : EditValue::Number)};
  k.maximum = count ? kCountMaximum : (grid == 0 ? CharacterRowMaximum(row) : kByteMaximum);
  k.character = character;
  k.grid = grid;
  k.row = row;
  k.col = col;
  k.bytes = std::move(bytes);
  return k;
}

EditKey FlagKey(std::string key, EditPlace place, int index, std::vector<int> bytes) {
  EditKey k{std::move(key), place, EditValue::Flag};
  k.index = index;
  k.bytes = std::move(bytes);
  return k;
}

std::vector<int> Span(int first, int width) {
  std::vector<int> bytes;
  for (int i = 0; i < width; ++i) bytes.push_back(first + i);
  return bytes;
}

void AddCharacter(std::vector<EditKey>& keys, int k) {
  const std::string at = "characters" + Index(k) + ".";
  const int record = kRecordsStart + kRecordSize * k;
  for (int row = 1; row < kFirstSkillRow; ++row) {
    const CharacterRow& field = kCharacterGrid[static_cast<std::size_t>(row)];
    std::vector<int> bytes;
    if (field.kind == CharacterRowKind::Joined) {
      if (const auto bit = JoinedBitOf(kRecordSize * k)) bytes.push_back(bit->byteIndex);
    } else {
      bytes = Span(record + field.recordOffset, field.width);
    }
    const std::string name = field.kind == CharacterRowKind::Martial ? "martialArts.on" : std::string(field.key);
    keys.push_back(CellKey(at + name, k, 0, row, 1, bytes));
  }
  for (int i = 0; i < kTechniqueCategories; ++i) {
    const int row = kFirstSkillRow + i;
    const int byte = record + kCharacterGrid[static_cast<std::size_t>(row)].recordOffset;
    keys.push_back(CellKey(at + "skills" + Index(i) + ".level", k, 0, row, 1, {byte}));
    EditKey aptitude = FlagKey(at + "skills" + Index(i) + ".aptitude", EditPlace::Aptitude, i, {byte});
    aptitude.character = k;
    keys.push_back(aptitude);
  }
  for (int slot = 1; slot <= kEquipmentSlots; ++slot) {
    const int code = record + kEquipmentInRecord + 2 * (slot - 1);
    const std::string item = at + "equipment" + Index(slot - 1) + ".";
    keys.push_back(CellKey(item + "code", k, 1, slot, 1, {code}));
    keys.push_back(CellKey(item + "count", k, 1, slot, 2, {code + 1}));
  }
}

std::vector<EditKey> MakeKeys() {
  std::vector<EditKey> keys;
  auto box = [&](std::string key, int boxIndex, std::vector<int> bytes) {
    const std::int64_t maximum = kValueBoxMaximum[static_cast<std::size_t>(boxIndex)];
    EditKey k = Number(std::move(key), EditPlace::ValueBox, maximum, bytes);
    k.index = boxIndex;
    keys.push_back(k);
  };
  box("protagonist", kProtagonistBox, {kProtagonistOffset});
  box("chips", kChipsBox, Span(kChipsOffset, kChipsWidth));
  box("playTime.hours", kHoursBox, Span(kPlayTimeOffset, 4));
  box("playTime.minutes", kMinutesBox, Span(kPlayTimeOffset, 4));
  for (int slot = 0; slot < kPartySlots; ++slot) {
    const bool main = slot < kMainPartySlots;
    EditKey k = Number(std::string(main ? "party.main" : "party.sub") + Index(main ? slot : slot - kMainPartySlots) +
                           ".code",
                       EditPlace::PartyBox, kCountMaximum, {kPartyStart + slot});
    k.value = EditValue::NumberOrEmpty;
    k.index = slot;
    keys.push_back(k);
  }
  for (int slot = 1; slot <= kPossessionSlots; ++slot) {
    const int code = kPossessionsStart + 2 * (slot - 1);
    const std::string item = "possessions" + Index(slot - 1) + ".";
    keys.push_back(CellKey(item + "code", -1, 2, slot, 1, {code}));
    keys.push_back(CellKey(item + "count", -1, 2, slot, 2, {code + 1}));
  }
  for (int k = 0; k < kCharacters; ++k) AddCharacter(keys, k);
  for (int c = 0; c < kTechniqueCategories; ++c) {
    for (int row = 0; row < kTechniqueRowCounts[static_cast<std::size_t>(c)]; ++row) {
      EditKey k = FlagKey("techniques" + Index(c) + ".techniques" + Index(row) + ".mastered", EditPlace::Technique, c,
                          {TechniqueFlag(c, row).byteIndex});
      k.row = row;
      keys.push_back(k);
    }
  }
  for (int e = 0; e < kScenarioEntries; ++e) {
    EditKey k{"scenarios" + Index(e) + ".state", EditPlace::Scenario, EditValue::State};
    k.index = e;
    k.bytes = {ScenarioFieldRef(e).offset};
    keys.push_back(k);
  }
  for (int e = 0; e < kRoleEntries; ++e) {
    keys.push_back(FlagKey("roles" + Index(e) + ".acquired", EditPlace::Role, e, {RoleFlag(e).byteIndex}));
  }
  return keys;
}

int StateOption(const std::string& value) {
  for (std::size_t i = 0; i < kScenarioOptionNames.size(); ++i) {
    if (kScenarioOptionNames[i].key == value) return static_cast<int>(i);
  }
  return -1;
}

std::string FlagText(bool on) { return on ? "true" : "false"; }

}  // namespace

const std::vector<EditKey>& EditKeys() {
  static const std::vector<EditKey> keys = MakeKeys();
  return keys;
}

const EditKey* FindEditKey(const std::string& key) {
  static const std::map<std::string, const EditKey*> byName = [] {
    std::map<std::string, const EditKey*> map;
    for (const EditKey& k : EditKeys()) map.emplace(k.key, &k);
    return map;
  }();
  const auto it = byName.find(key);
  return it == byName.end() ? nullptr : it->second;
}

std::string TakesText(const EditKey& key) {
  switch (key.value) {
    case EditValue::Number: return "a whole number 0.." + std::to_string(key.maximum);
    case EditValue::NumberOrEmpty: return "a whole number 0.." + std::to_string(key.maximum) + " or -";
    case EditValue::Flag: return "true or false";
    case EditValue::State: return "hidden, unvisited, current or finished";
  }
  return "";
}

std::optional<std::int64_t> DigitsValue(const std::string& text, std::int64_t maximum) {
  // Plain decimal digits only: nothing is read into a number it does not spell.
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const std::size_t first = std::min(text.find_first_not_of('0'), text.size());
  const std::string digits = text.substr(first);
  if (digits.size() > 18) return std::nullopt;  // past any maximum, and past what an int64 holds
  const std::int64_t v = digits.empty() ? 0 : std::stoll(digits);
  if (v > maximum) return std::nullopt;
  return v;
}

std::optional<std::string> ValueFromText(const EditKey& key, const std::string& text) {
  switch (key.value) {
    case EditValue::NumberOrEmpty:
      if (text == "-") return text;
      [[fallthrough]];
    case EditValue::Number: {
      const auto v = DigitsValue(text, key.maximum);
      if (!v) return std::nullopt;
      return std::to_string(*v);
    }
    case EditValue::Flag:
      if (text == "true" || text == "false") return text;
      return std::nullopt;
    case EditValue::State:
      if (StateOption(text) >= 0) return text;
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::string> ValueFromJson(const EditKey& key, const QJsonValue& value) {
  switch (key.value) {
    case EditValue::NumberOrEmpty:
      if (value.isNull()) return std::string("-");
      [[fallthrough]];
    case EditValue::Number: {
      if (!value.isDouble()) return std::nullopt;
      const double v = value.toDouble();
      if (v != std::floor(v) || v < 0 || v > static_cast<double>(key.maximum)) return std::nullopt;
      return std::to_string(static_cast<std::int64_t>(v));
    }
    case EditValue::Flag:
      if (!value.isBool()) return std::nullopt;
      return FlagText(value.toBool());
    case EditValue::State:
      if (!value.isString()) return std::nullopt;
      return ValueFromText(key, value.toString().toStdString());
  }
  return std::nullopt;
}

std::string ShownValue(const EditKey& key, const EditorView& view) {
  switch (key.place) {
    case EditPlace::ValueBox: return view.ValueText(key.index);
    case EditPlace::PartyBox: return view.PartyText(key.index);
    case EditPlace::Cell: return view.CellText(key.grid, key.row, key.col);
    case EditPlace::FlagCell: return FlagText(view.CellText(key.grid, key.row, key.col) != "0");
    case EditPlace::Aptitude: return FlagText(view.AptitudeChecked(key.index));
    case EditPlace::Technique: return FlagText(view.TechniqueChecked(key.row));
    case EditPlace::Scenario: {
      const int option = view.ScenarioOption();
      return std::string(kScenarioOptionNames.at(static_cast<std::size_t>(option < 0 ? 0 : option)).key);
    }
    case EditPlace::Role: return FlagText(view.RoleChecked(key.index));
  }
  return "";
}

void EnterValue(const EditKey& key, EditorView& view, const std::string& value) {
  const bool on = value == "true";
  switch (key.place) {
    case EditPlace::ValueBox:
      view.SetValueText(key.index, value);
      return;
    case EditPlace::PartyBox:
      view.SetPartyText(key.index, value);
      ShowPartyLabel(view, value == "-" ? kEmptyCode : std::stoi(value), key.index);
      return;
    case EditPlace::Cell:
      view.SetCellText(key.grid, key.row, key.col, value);
      if (key.grid > 0 && key.col == 1) ShowItemName(view, std::stoi(value), key.row, key.grid);
      return;
    case EditPlace::FlagCell:
      view.SetCellText(key.grid, key.row, key.col, on ? "1" : "0");
      return;
    case EditPlace::Aptitude:
      view.SetAptitudeChecked(key.index, on);
      return;
    case EditPlace::Technique:
      view.SetTechniqueChecked(key.row, on);
      return;
    case EditPlace::Scenario:
      view.SetScenarioOption(StateOption(value));
      return;
    case EditPlace::Role:
      view.SetRoleChecked(key.index, on);
      return;
  }
}

}  // namespace zovek::cli
