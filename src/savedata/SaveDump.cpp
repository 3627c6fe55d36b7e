#include "savedata/SaveDump.h"

#include "names/NameTables.h"
#include "savedata/FieldCatalogue.h"
#include "savedata/FieldEngine.h"
#include "savedata/MemoryView.h"
#include "savedata/SaveLayout.h"
#include "savedata/ViewNames.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {

namespace {

// A stored byte, read by the field engine's own reader.
std::int64_t Byte(const SaveBuffer& buffer, int index) { return ReadNumber(buffer, index, 1); }

// Whether a number's bytes hold more than the window shows (CR, chips):
// then the stored number stands beside the shown one. The play time's two
// boxes share four bytes and have their sixtieths beside instead.
bool MayBeClamped(const CatalogueField& f) {
  return f.value == EditValue::Number && !f.bytes.empty() && f.bytes.size() < 4 &&
         f.maximum < (std::int64_t{1} << (8 * f.bytes.size())) - 1;
}

// What stands beside field `f`, taken from the view right after its walk.
std::vector<DumpMember> Beside(const CatalogueField& f, const SaveBuffer& buffer, const MemoryView& view) {
  const std::string at = ParentKey(f.key) + (ParentKey(f.key).empty() ? "" : ".");
  std::vector<DumpMember> m;
  const auto put = [&](const std::string& leaf, DumpValue v) { m.push_back({at + leaf, std::move(v)}); };
  const std::int64_t first = f.bytes.empty() ? 0 : f.bytes.front();
  if (MayBeClamped(f)) m.push_back({f.key + "Stored", ReadNumber(buffer, static_cast<int>(first), static_cast<int>(f.bytes.size()))});
  switch (f.place) {
    case EditPlace::ValueBox:
      if (f.index == kHoursBox) {
        put("sixtieths", PlayTimeSixtieths(buffer));
        put("highByte", Byte(buffer, kPlayTimeHighByte));
      }
      break;
    case EditPlace::PartyBox:
      put("slot", std::int64_t{f.index});
      put("offset", first);
      put("stored", Byte(buffer, static_cast<int>(first)));
      put("label", view.partyLabels.at(static_cast<std::size_t>(f.index)));
      break;
    case EditPlace::Cell:
      if (f.grid > 0 && f.col == 1) {  // an item row: its code cell opens it
        put("slot", std::int64_t{f.row});
        put("label", f.grid == 1 ? EquipmentCaption(f.row) : PossessionCaption(f.row));
        put("offset", first);
        put("name", view.Cell(f.grid, f.row, kItemNameColumn));
        put("countStored", Byte(buffer, static_cast<int>(first) + 1));
      } else if (f.grid == 0 && f.row == 1) {  // the first row opens the character
        put("index", std::int64_t{f.character});
        put("name", CharacterNames().at(static_cast<std::size_t>(f.character)));
        put("recordOffset", std::int64_t{RecordStart(f.character)});
      } else if (f.grid == 0 && f.row >= kFirstSkillRow) {
        put("category", std::int64_t{f.row - kFirstSkillRow});
        put("caption", CharacterRowCaption(f.row));
        put("offset", first);
        put("stored", Byte(buffer, static_cast<int>(first)));
      }
      break;
    case EditPlace::FlagCell:
      if (kCharacterGrid.at(static_cast<std::size_t>(f.row)).kind == CharacterRowKind::Martial) {
        put("stored", Byte(buffer, static_cast<int>(first)));
      } else if (const auto bit = JoinedBitOf(kRecordSize * f.character)) {
        m.push_back({f.key + "Stored", ((Byte(buffer, bit->byteIndex) >> bit->bit) & 1) != 0});
      } else {
        m.push_back({f.key + "Stored", nullptr});  // the soldiers have no joined bit
      }
      break;
    case EditPlace::Aptitude:
    case EditPlace::StoredOnly:
      break;
    case EditPlace::Technique: {
      const TechniqueBit flag = TechniqueFlag(f.index, f.row);
      put("row", std::int64_t{f.row});
      put("name", TechniqueNames(f.index).at(static_cast<std::size_t>(f.row)));
      put("byte", std::int64_t{flag.byteIndex});
      put("bit", std::int64_t{flag.bit});
      if (f.row == 0) {  // the first technique opens its category
        const std::string category = ParentKey(ParentKey(f.key)) + ".";
        m.push_back({category + "index", std::int64_t{f.index}});
        m.push_back({category + "name", TechniqueCategoryNames().at(static_cast<std::size_t>(f.index))});
      }
      break;
    }
    case EditPlace::Scenario:
      put("entry", std::int64_t{f.index});
      put("caption", f.caption);
      put("offset", first);
      put("stored", Byte(buffer, static_cast<int>(first)));
      put("stateCaption", std::string(kScenarioOptionNames.at(static_cast<std::size_t>(view.scenarioOption)).caption));
      break;
    case EditPlace::Role: {
      const RoleBit flag = RoleFlag(f.index);
      put("entry", std::int64_t{f.index});
      put("caption", f.caption);
      put("byte", std::int64_t{flag.byteIndex});
      put("bit", std::int64_t{flag.bit});
      break;
    }
  }
  return m;
}

}  // namespace

// The walks run in the order the editor's commands run them; each field is
// taken from the view right after its walk.
SaveDump DecodeSave(const SaveBuffer& saved) {
  SaveBuffer buffer = saved;  // the walks take a buffer they could store into; load never does
  MemoryView view;
  FieldContext ctx{buffer, view, 0};
  SaveDump dump;
  const std::vector<CatalogueField>& fields = FieldCatalogue();
  dump.values.resize(fields.size());
  dump.beside.resize(fields.size());
  // The catalogue's fields that the view shows now.
  const auto take = [&](auto shownNow) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (!shownNow(fields[i])) continue;
      dump.values[i] = ShownValue(fields[i], view);
      dump.beside[i] = Beside(fields[i], buffer, view);
    }
  };
  for (int k = 0; k < kCharacters; ++k) {
    ctx.characterBase = static_cast<std::int16_t>(kRecordSize * k);
    CharacterFieldWalk(ctx, kLoad);
    take([k](const CatalogueField& f) { return f.character == k; });
  }
  for (int c = 0; c < kTechniqueCategories; ++c) {
    view.SetTechniqueRowCount(kTechniqueRowCounts.at(static_cast<std::size_t>(c)));
    TechniqueWalk(buffer, view, c, kLoad);
    take([c](const CatalogueField& f) { return f.walk == FieldWalk::Technique && f.index == c; });
  }
  for (int e = 0; e < kScenarioEntries; ++e) {
    ScenarioEntryWalk(ctx, e, kLoad);
    take([e](const CatalogueField& f) { return f.walk == FieldWalk::Scenario && f.index == e; });
  }
  GeneralFieldWalk(ctx, kLoad);
  take([](const CatalogueField& f) { return f.walk == FieldWalk::General; });
  return dump;
}

}  // namespace zovek
