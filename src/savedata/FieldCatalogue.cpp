#include "savedata/FieldCatalogue.h"

#include <algorithm>
#include <map>

#include "names/NameTables.h"
#include "savedata/SaveLayout.h"
#include "savedata/ViewNames.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {

namespace {

std::string Index(int i) { return "[" + std::to_string(i) + "]"; }

std::vector<int> Span(int first, int width) {
  std::vector<int> bytes;
  for (int i = 0; i < width; ++i) bytes.push_back(first + i);
  return bytes;
}

CatalogueField Field(std::string key, std::string caption, EditPlace place, EditValue value, std::vector<int> bytes) {
  CatalogueField f{std::move(key), std::move(caption), place, value};
  f.bytes = std::move(bytes);
  return f;
}

// A value box, called as ValueBoxName calls it.
CatalogueField Box(int box) {
  const ValueBox& b = kValueBoxes.at(static_cast<std::size_t>(box));
  const std::string caption = ValueBoxName(box);
  CatalogueField f = Field(std::string(b.key), caption, EditPlace::ValueBox, EditValue::Number, Span(b.offset, b.width));
  f.maximum = kValueBoxes.at(static_cast<std::size_t>(box)).maximum;
  f.index = box;
  return f;
}

CatalogueField GridCell(std::string key, std::string caption, int character, int grid, int row, int col,
                        std::vector<int> bytes) {
  const bool count = col == 2;
  const CharacterRowKind kind =
      grid == 0 ? kCharacterGrid.at(static_cast<std::size_t>(row)).kind : CharacterRowKind::Number;
  const bool flag = kind == CharacterRowKind::Joined || kind == CharacterRowKind::Martial;
  CatalogueField f = Field(std::move(key), std::move(caption), flag ? EditPlace::FlagCell : EditPlace::Cell,
                           flag ? EditValue::Flag : (count ? EditValue::NumberOrEmpty : EditValue::Number),
                           std::move(bytes));
  f.maximum = CellMaximum(grid, row, col);
  f.character = character;
  f.grid = grid;
  f.row = row;
  f.col = col;
  return f;
}

CatalogueField Flag(std::string key, std::string caption, EditPlace place, int index, int byte) {
  CatalogueField f = Field(std::move(key), std::move(caption), place, EditValue::Flag, {byte});
  f.index = index;
  return f;
}

// The code and count cells of one item row, under `at` ("possessions[3].").
void AddItem(std::vector<CatalogueField>& fields, const std::string& at, const std::string& caption, int character,
             int grid, int slot, int code) {
  fields.push_back(GridCell(at + "code", caption + " " + std::string(kCodeHeader), character, grid, slot, 1, {code}));
  fields.push_back(
      GridCell(at + "count", caption + " " + std::string(kCountHeader), character, grid, slot, 2, {code + 1}));
}

void AddCharacter(std::vector<CatalogueField>& fields, int k) {
  const std::string at = "characters" + Index(k) + ".";
  const std::string name = CharacterNames().at(static_cast<std::size_t>(k)) + " ";
  const int record = RecordStart(k);
  for (int row = 1; row < kFirstSkillRow; ++row) {
    const CharacterRow& field = kCharacterGrid[static_cast<std::size_t>(row)];
    std::vector<int> bytes;
    if (field.kind == CharacterRowKind::Joined) {
      if (const auto bit = JoinedBitOf(kRecordSize * k)) bytes.push_back(bit->byteIndex);
    } else {
      bytes = Span(record + field.recordOffset, field.width);
    }
    const std::string key = field.kind == CharacterRowKind::Martial ? "martialArts.on" : std::string(field.key);
    fields.push_back(GridCell(at + key, name + std::string(field.caption), k, 0, row, 1, bytes));
  }
  for (int i = 0; i < kTechniqueCategories; ++i) {
    const int row = kFirstSkillRow + i;
    const int byte = record + kCharacterGrid[static_cast<std::size_t>(row)].recordOffset;
    const std::string skill = at + "skills" + Index(i) + ".";
    fields.push_back(GridCell(skill + "level", name + CharacterRowCaption(row), k, 0, row, 1, {byte}));
    CatalogueField aptitude = Flag(skill + "aptitude", name + std::string(kAptitudeCaption) + " " + TechniqueCategoryNames().at(i),
                                   EditPlace::Aptitude, i, byte);
    aptitude.character = k;
    fields.push_back(aptitude);
  }
  for (int slot = 1; slot <= kEquipmentSlots; ++slot) {
    AddItem(fields, at + "equipment" + Index(slot - 1) + ".", name + EquipmentCaption(slot), k, 1, slot,
            record + EquipmentCodeInRecord(slot));
  }
}

std::vector<CatalogueField> MakeCatalogue() {
  std::vector<CatalogueField> fields;
  for (int box = 1; box < kValueBoxCount; ++box) fields.push_back(Box(box));
  for (int slot = 0; slot < kPartySlots; ++slot) {
    const bool main = slot < kMainPartySlots;
    const int place = main ? slot : slot - kMainPartySlots;
    CatalogueField f = Field(std::string(main ? "party.main" : "party.sub") + Index(place) + ".code",
                             PartySlotCaption(slot), EditPlace::PartyBox,
                             EditValue::NumberOrEmpty, {kPartyStart + slot});
    f.maximum = kCountMaximum;
    f.index = slot;
    fields.push_back(f);
  }
  for (int slot = 1; slot <= kPossessionSlots; ++slot) {
    AddItem(fields, "possessions" + Index(slot - 1) + ".", PossessionCaption(slot), -1, 2, slot,
            PossessionCodeByte(slot));
  }
  for (int k = 0; k < kCharacters; ++k) AddCharacter(fields, k);
  for (int c = 0; c < kTechniqueCategories; ++c) {
    const auto& names = TechniqueNames(c);
    for (int row = 0; row < kTechniqueRowCounts[static_cast<std::size_t>(c)]; ++row) {
      CatalogueField f = Flag("techniques" + Index(c) + ".techniques" + Index(row) + ".mastered",
                              TechniqueCategoryNames().at(static_cast<std::size_t>(c)) + " " +
                                  names.at(static_cast<std::size_t>(row)),
                              EditPlace::Technique, c, TechniqueFlag(c, row).byteIndex);
      f.row = row;
      fields.push_back(f);
    }
  }
  for (int e = 0; e < kScenarioEntries; ++e) {
    CatalogueField f = Field("scenarios" + Index(e) + ".state", ScenarioCaptions().at(static_cast<std::size_t>(e)),
                             EditPlace::Scenario, EditValue::State, {ScenarioFieldRef(e).offset});
    f.index = e;
    fields.push_back(f);
  }
  for (int e = 0; e < kRoleEntries; ++e) {
    fields.push_back(Flag("roles" + Index(e) + ".acquired", RoleCaptions().at(static_cast<std::size_t>(e)),
                          EditPlace::Role, e, RoleFlag(e).byteIndex));
  }
  for (CatalogueField& f : fields) {
    f.walk = f.character >= 0                   ? FieldWalk::Character
             : f.place == EditPlace::Technique ? FieldWalk::Technique
             : f.place == EditPlace::Scenario  ? FieldWalk::Scenario
                                               : FieldWalk::General;
  }
  return fields;
}

int StateOption(const std::string& value) {
  for (std::size_t i = 0; i < kScenarioOptionNames.size(); ++i) {
    if (kScenarioOptionNames[i].key == value) return static_cast<int>(i);
  }
  return -1;
}

std::string FlagText(bool on) { return on ? "true" : "false"; }

}  // namespace

const std::vector<CatalogueField>& FieldCatalogue() {
  static const std::vector<CatalogueField> fields = MakeCatalogue();
  return fields;
}

const std::vector<CatalogueField>& StoredOnlyFields() {
  static const std::vector<CatalogueField> fields = [] {
    CatalogueField count = Field("party.mainCount", std::string(kMainPartyCaption), EditPlace::StoredOnly,
                                 EditValue::Number, {kMainPartyCountOffset});
    count.maximum = kMainPartySlots;
    count.index = 1;  // the slot the walk has always handed it over in
    return std::vector<CatalogueField>{count};
  }();
  return fields;
}

const CatalogueField* FindField(std::string_view key) {
  static const std::map<std::string, const CatalogueField*, std::less<>> byKey = [] {
    std::map<std::string, const CatalogueField*, std::less<>> map;
    for (const CatalogueField& f : FieldCatalogue()) map.emplace(f.key, &f);
    return map;
  }();
  const auto it = byKey.find(key);
  return it == byKey.end() ? nullptr : it->second;
}

std::string ParentKey(std::string_view key) {
  const std::size_t dot = key.rfind('.');
  return std::string(dot == std::string_view::npos ? std::string_view() : key.substr(0, dot));
}

std::vector<std::string> StateNames() {
  std::vector<std::string> names;
  for (const ScenarioOptionName& option : kScenarioOptionNames) names.emplace_back(option.key);
  return names;
}

std::string TakesText(const CatalogueField& field) {
  switch (field.value) {
    case EditValue::Number: return "a whole number 0.." + std::to_string(field.maximum);
    case EditValue::NumberOrEmpty: return "a whole number 0.." + std::to_string(field.maximum) + " or -";
    case EditValue::Flag: return "true or false";
    case EditValue::State: return "hidden, unvisited, current or finished";
  }
  return "";
}

std::string RangeText(const CatalogueField& field) {
  switch (field.value) {
    case EditValue::Number: return "0.." + std::to_string(field.maximum);
    case EditValue::NumberOrEmpty: return "0.." + std::to_string(field.maximum) + "|-";
    case EditValue::Flag: return "true|false";
    case EditValue::State: {
      std::string text;
      for (const std::string& name : StateNames()) text += (text.empty() ? "" : "|") + name;
      return text;
    }
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

std::optional<std::string> ValueFromText(const CatalogueField& field, const std::string& text) {
  switch (field.value) {
    case EditValue::NumberOrEmpty:
      if (text == "-") return text;
      [[fallthrough]];
    case EditValue::Number:
      if (const auto v = DigitsValue(text, field.maximum)) return std::to_string(*v);
      break;
    case EditValue::Flag:
      if (text == "true" || text == "false") return text;
      break;
    case EditValue::State:
      if (StateOption(text) >= 0) return text;
      break;
  }
  return std::nullopt;
}

std::string ShownValue(const CatalogueField& field, const EditorView& view) {
  switch (field.place) {
    case EditPlace::ValueBox: return view.ValueText(field.index);
    case EditPlace::PartyBox: return view.PartyText(field.index);
    case EditPlace::Cell: return view.CellText(field.grid, field.row, field.col);
    case EditPlace::FlagCell: return FlagText(view.CellText(field.grid, field.row, field.col) != "0");
    case EditPlace::Aptitude: return FlagText(view.AptitudeChecked(field.index));
    case EditPlace::Technique: return FlagText(view.TechniqueChecked(field.row));
    case EditPlace::Scenario:  // none on shows as optEvt(0)
      return std::string(kScenarioOptionNames.at(static_cast<std::size_t>(std::max(view.ScenarioOption(), 0))).key);
    case EditPlace::Role: return FlagText(view.RoleChecked(field.index));
    case EditPlace::StoredOnly: break;
  }
  return "";
}

void EnterValue(const CatalogueField& field, EditorView& view, const std::string& value) {
  const bool on = value == "true";
  switch (field.place) {
    case EditPlace::ValueBox:
      view.SetValueText(field.index, value);
      return;
    case EditPlace::PartyBox:
      view.SetPartyText(field.index, value);
      ShowPartyLabel(view, value == "-" ? kEmptyCode : std::stoi(value), field.index);
      return;
    case EditPlace::Cell:
      if (field.grid > 0 && field.col == 1) {
        ShowItemCode(view, field.grid, field.row, std::stoi(value));
      } else {
        view.SetCellText(field.grid, field.row, field.col, value);
      }
      return;
    case EditPlace::FlagCell:
      view.SetCellText(field.grid, field.row, field.col, on ? "1" : "0");
      return;
    case EditPlace::Aptitude:
      view.SetAptitudeChecked(field.index, on);
      return;
    case EditPlace::Technique:
      view.SetTechniqueChecked(field.row, on);
      return;
    case EditPlace::Scenario:
      view.SetScenarioOption(StateOption(value));
      return;
    case EditPlace::Role:
      view.SetRoleChecked(field.index, on);
      return;
    case EditPlace::StoredOnly:
      return;
  }
}

}  // namespace zovek
