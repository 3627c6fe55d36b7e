// The save-wide fields: party, possessions, protagonist, play time, roles, chips.

#include "savedata/SaveLayout.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {

std::vector<FieldRef> GeneralFieldRefs(WalkMode mode) {
  std::vector<FieldRef> refs;
  refs.reserve(4 + kPartySlots + 2 * kPossessionSlots + kRoleBytes);
  if (mode == kStore) refs.push_back(MakeFieldRef(kMainPartyCountOffset, 1, 1));  // never shown
  refs.push_back(MakeFieldRef(kProtagonistOffset, 1, kProtagonistBox));
  for (int slot = 0; slot < kPartySlots; ++slot) refs.push_back(MakeFieldRef(kPartyStart + slot, 1, slot));
  for (int slot = 1; slot <= kPossessionSlots; ++slot) {
    const int code = PossessionCodeByte(slot);
    refs.push_back(MakeFieldRef(code, 1, slot));
    refs.push_back(MakeFieldRef(code + 1, 1, slot));
  }
  refs.push_back(MakeFieldRef(kPlayTimeOffset, mode == kStore ? 4 : 3, 1));  // hours and minutes
  for (int group = 0; group < kRoleBytes; ++group) refs.push_back(MakeFieldRef(kRoleBytesStart + group, 1, group));
  refs.push_back(MakeFieldRef(kChipsOffset, kChipsWidth, kChipsBox));
  return refs;
}

void GeneralFieldWalk(FieldContext& ctx, WalkMode mode) {
  for (const FieldRef ref : GeneralFieldRefs(mode)) {
    if (mode == kLoad) {
      LoadField(ctx, ref);
    } else {
      StoreField(ctx, ref);
    }
  }
}

}  // namespace zovek
