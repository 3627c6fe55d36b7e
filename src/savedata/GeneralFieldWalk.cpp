// The save-wide fields: party, possessions, protagonist, play time, roles, chips.

#include "savedata/FieldRules.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {

std::vector<FieldRef> GeneralFieldRefs(WalkMode mode) {
  std::vector<FieldRef> refs;
  refs.reserve(144);
  if (mode == kStore) refs.push_back(MakeFieldRef(32, 1, 1));  // main party count, never shown
  refs.push_back(MakeFieldRef(33, 1, 1));                        // protagonist code, txtValue(1)
  for (int index = 36; index <= 43; ++index) refs.push_back(MakeFieldRef(index, 1, index - 36));  // party slots
  for (int index = 180; index <= 307; ++index) {
    // possession slot r: code at 178 + 2r, count at 179 + 2r
    const int slot = index % 2 == 0 ? (index - 178) / 2 : (index - 179) / 2;
    refs.push_back(MakeFieldRef(index, 1, slot));
  }
  refs.push_back(MakeFieldRef(kPlayTimeOffset, mode == kStore ? 4 : 3, 1));  // hours and minutes
  for (int index = kRoleBytesStart; index <= kRoleBytesStart + 3; ++index) {
    refs.push_back(MakeFieldRef(index, 1, index - kRoleBytesStart));  // role groups 0..3
  }
  refs.push_back(MakeFieldRef(kChipsOffset, 3, 2));  // chips, txtValue(2)
  return refs;
}

void GeneralFieldWalk(FieldContext& ctx, WalkMode mode) {
  if (mode != kLoad && mode != kStore) return;
  for (const FieldRef ref : GeneralFieldRefs(mode)) {
    if (mode == kLoad) {
      LoadField(ctx, ref);
    } else {
      StoreField(ctx, ref);
    }
  }
}

}  // namespace zovek
