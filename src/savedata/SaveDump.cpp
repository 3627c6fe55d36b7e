#include "savedata/SaveDump.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "names/NameTables.h"
#include "savedata/FieldCatalogue.h"
#include "savedata/FieldEngine.h"
#include "savedata/MemoryView.h"
#include "savedata/SaveLayout.h"
#include "savedata/TextNumber.h"
#include "savedata/WalkTables.h"
#include "savedata/ViewNames.h"
#include "savedata/Walks.h"

namespace zovek {

namespace {

// A stored byte, read by the field engine's own reader.
int Byte(const SaveBuffer& buffer, int index) { return static_cast<int>(ReadNumber(buffer, index, 1)); }

// The number a shown text stands for, read as the store reads it.
std::int64_t Shown(const std::string& text) {
  if (const auto v = WholeNumberFromText(text)) return *v;
  throw std::logic_error("the view shows \"" + text + "\" where a number belongs");
}

std::optional<int> ShownOrEmpty(const std::string& text) {
  if (text == "-") return std::nullopt;
  return static_cast<int>(Shown(text));
}

ItemSlot ShownItem(const SaveBuffer& buffer, const MemoryView& view, int grid, int slot, int codeOffset,
                   std::string caption) {
  ItemSlot item;
  item.slot = slot;
  item.caption = std::move(caption);
  item.offset = codeOffset;
  item.code = static_cast<int>(Shown(view.Cell(grid, slot, 1)));
  item.name = view.Cell(grid, slot, kItemNameColumn);
  item.count = ShownOrEmpty(view.Cell(grid, slot, 2));
  item.countStored = Byte(buffer, codeOffset + 1);
  return item;
}

CharacterDump DecodeCharacter(FieldContext& ctx, MemoryView& view, int index) {
  const SaveBuffer& buffer = ctx.buffer;
  const int base = kRecordSize * index;
  const int record = RecordStart(index);
  ctx.characterBase = static_cast<std::int16_t>(base);
  CharacterFieldWalk(ctx, kLoad);

  CharacterDump c;
  c.index = index;
  c.name = CharacterNames().at(static_cast<std::size_t>(index));
  c.recordOffset = record;
  for (int row = 1; row <= kCharacterRows; ++row) {
    const CharacterRow& field = kCharacterGrid[static_cast<std::size_t>(row)];
    const std::string& cell = view.Cell(0, row, 1);
    switch (field.kind) {
      case CharacterRowKind::Joined:
        c.joined = Shown(cell) != 0;
        if (const auto bit = JoinedBitOf(base)) {
          c.joinedByte = bit->byteIndex;
          c.joinedBit = bit->bit;
          c.joinedStored = ((Byte(buffer, bit->byteIndex) >> bit->bit) & 1) != 0;
        }
        break;
      case CharacterRowKind::Martial:
        c.martialArts = Shown(cell) != 0;
        c.martialByte = Byte(buffer, record + field.recordOffset);
        break;
      case CharacterRowKind::Number:
        c.numbers.push_back(CharacterNumber{row, std::string(field.key), std::string(field.caption),
                                            record + field.recordOffset, field.width, Shown(cell),
                                            ReadNumber(buffer, record + field.recordOffset, field.width)});
        break;
      case CharacterRowKind::Skill: {
        SkillLevel s;
        s.category = row - kFirstSkillRow;
        s.caption = CharacterRowCaption(row);
        s.offset = record + field.recordOffset;
        s.stored = Byte(buffer, s.offset);
        s.level = static_cast<int>(Shown(cell));
        s.aptitude = view.aptitude.at(static_cast<std::size_t>(s.category));
        c.skills.push_back(s);
        break;
      }
    }
  }
  for (int slot = 1; slot <= kEquipmentSlots; ++slot) {
    c.equipment.push_back(ShownItem(buffer, view, 1, slot, record + EquipmentCodeInRecord(slot), EquipmentCaption(slot)));
  }
  return c;
}

CategoryDump DecodeCategory(SaveBuffer& buffer, MemoryView& view, int category) {
  const int rows = kTechniqueRowCounts.at(static_cast<std::size_t>(category));
  view.SetTechniqueRowCount(rows);
  TechniqueWalk(buffer, view, category, kLoad);

  CategoryDump c;
  c.index = category;
  c.name = TechniqueCategoryNames().at(static_cast<std::size_t>(category));
  const auto& names = TechniqueNames(category);
  for (int row = 0; row < rows; ++row) {
    const TechniqueBit flag = TechniqueFlag(category, row);
    c.techniques.push_back(TechniqueDump{row, names.at(static_cast<std::size_t>(row)), flag.byteIndex, flag.bit,
                                        static_cast<bool>(view.techniques.at(static_cast<std::size_t>(row)))});
  }
  return c;
}

ScenarioDump DecodeScenario(FieldContext& ctx, const MemoryView& view, int entry) {
  ScenarioEntryWalk(ctx, entry, kLoad);
  const ScenarioOptionName& option = kScenarioOptionNames.at(static_cast<std::size_t>(view.scenarioOption));
  ScenarioDump s;
  s.entry = entry;
  s.caption = ScenarioCaptions().at(static_cast<std::size_t>(entry));
  s.offset = ScenarioFieldRef(entry).offset;
  s.stored = Byte(ctx.buffer, s.offset);
  s.state = option.key;
  s.stateCaption = option.caption;
  return s;
}

void DecodeGeneral(FieldContext& ctx, const MemoryView& view, SaveDump& dump) {
  const SaveBuffer& buffer = ctx.buffer;
  GeneralFieldWalk(ctx, kLoad);

  dump.protagonist = static_cast<int>(Shown(view.values[kProtagonistBox]));
  dump.chips = Shown(view.values[kChipsBox]);
  dump.chipsStored = ReadNumber(buffer, kChipsOffset, kChipsWidth);
  dump.playTime.sixtieths = PlayTimeSixtieths(buffer);
  dump.playTime.hours = Shown(view.values[kHoursBox]);
  dump.playTime.minutes = Shown(view.values[kMinutesBox]);
  dump.playTime.highByte = Byte(buffer, kPlayTimeHighByte);

  for (int slot = 0; slot < kPartySlots; ++slot) {
    const auto i = static_cast<std::size_t>(slot);
    dump.party.push_back(PartySlot{slot, kPartyStart + slot, ShownOrEmpty(view.party[i]),
                                   Byte(buffer, kPartyStart + slot), view.partyLabels[i]});
  }
  for (int slot = 1; slot <= kPossessionSlots; ++slot) {
    dump.possessions.push_back(ShownItem(buffer, view, 2, slot, PossessionCodeByte(slot), PossessionCaption(slot)));
  }
  for (int entry = 0; entry < kRoleEntries; ++entry) {
    const RoleBit flag = RoleFlag(entry);
    dump.roles.push_back(RoleDump{entry, RoleCaptions().at(static_cast<std::size_t>(entry)), flag.byteIndex, flag.bit,
                                  view.roles.at(static_cast<std::size_t>(entry))});
  }
}

}  // namespace

// The walks run in the order the editor's commands run them; each part is
// taken from the view right after its walk.
SaveDump DecodeSave(const SaveBuffer& saved) {
  SaveBuffer buffer = saved;  // the walks take a buffer they could store into; load never does
  MemoryView view;
  FieldContext ctx{buffer, view, 0};
  SaveDump dump;
  dump.values.resize(FieldCatalogue().size());
  // The catalogue's fields that the view shows now.
  const auto takeShown = [&](auto shownNow) {
    for (std::size_t i = 0; i < dump.values.size(); ++i) {
      const CatalogueField& field = FieldCatalogue()[i];
      if (shownNow(field)) dump.values[i] = ShownValue(field, view);
    }
  };
  for (int k = 0; k < kCharacters; ++k) {
    dump.characters.push_back(DecodeCharacter(ctx, view, k));
    takeShown([k](const CatalogueField& f) { return f.character == k; });
  }
  for (int c = 0; c < kTechniqueCategories; ++c) {
    dump.techniques.push_back(DecodeCategory(buffer, view, c));
    takeShown([c](const CatalogueField& f) { return f.place == EditPlace::Technique && f.index == c; });
  }
  for (int e = 0; e < kScenarioEntries; ++e) {
    dump.scenarios.push_back(DecodeScenario(ctx, view, e));
    takeShown([e](const CatalogueField& f) { return f.place == EditPlace::Scenario && f.index == e; });
  }
  DecodeGeneral(ctx, view, dump);
  takeShown([](const CatalogueField& f) {
    return f.character < 0 && f.place != EditPlace::Technique && f.place != EditPlace::Scenario;
  });
  return dump;
}

}  // namespace zovek
