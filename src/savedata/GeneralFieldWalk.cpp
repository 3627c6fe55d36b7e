// The save-wide fields: party, possessions, protagonist, play time, roles, chips.

#include <map>

#include "savedata/FieldCatalogue.h"
#include "savedata/SaveLayout.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {

namespace {

// The catalogue's save-wide fields by their first byte, the order the walk
// goes in; fields that share bytes (a role group, the play time) share a
// walk field. The stored-only ones (the main party's count) go on store only.
std::vector<FieldRef> RefsOf(WalkMode mode) {
  std::map<int, FieldRef> refs;
  for (const auto* fields : {&FieldCatalogue(), &StoredOnlyFields()}) {
    for (const CatalogueField& f : *fields) {
      if (f.walk != FieldWalk::General || f.bytes.empty() || (f.place == EditPlace::StoredOnly && mode == kLoad)) continue;
      const int first = f.bytes.front();
      const int slot = f.place == EditPlace::Cell ? f.row : f.place == EditPlace::Role ? first - kRoleBytesStart : f.index;
      // The play time is read as three bytes and the rule of the fourth.
      refs.emplace(first, first == kPlayTimeOffset ? MakeFieldRef(first, mode == kStore ? 4 : 3, 1)
                                                   : MakeFieldRef(first, static_cast<int>(f.bytes.size()), slot));
    }
  }
  std::vector<FieldRef> list;
  for (const auto& [first, ref] : refs) list.push_back(ref);
  return list;
}

}  // namespace

std::vector<FieldRef> GeneralFieldRefs(WalkMode mode) {
  static const std::vector<FieldRef> load = RefsOf(kLoad), store = RefsOf(kStore);
  return mode == kStore ? store : load;
}

void GeneralFieldWalk(FieldContext& ctx, WalkMode mode) {
  for (const FieldRef ref : GeneralFieldRefs(mode)) WalkField(ctx, ref, mode);
}

}  // namespace zovek
