// The fields of the selected character, in the order the grid expects them:
// the joined bit, rows 4..24, the equipment pairs, the martial-arts flag and
// the age, all taken from the character grid's table.

#include "savedata/SaveLayout.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {

static_assert(kCharacterRows + 2 * kEquipmentSlots == kCharacterFieldCount, "every row and pair once");

std::array<FieldRef, kCharacterFieldCount> CharacterFieldRefs(int characterBase) {
  const int record = kRecordsStart + characterBase;
  std::array<FieldRef, kCharacterFieldCount> refs{};
  std::size_t i = 0;
  const auto gridRow = [&](int row) {
    const CharacterRow& field = kCharacterGrid[static_cast<std::size_t>(row)];
    refs[i++] = field.kind == CharacterRowKind::Joined ? MakeFieldRef(kJoinedFlagsStart, 1, row)
                                                       : MakeFieldRef(record + field.recordOffset, field.width, row);
  };
  gridRow(2);  // 仲間加入
  for (int row = 4; row <= kCharacterRows; ++row) gridRow(row);
  for (int pair = 1; pair <= kEquipmentSlots; ++pair) {
    const int code = record + EquipmentCodeInRecord(pair);
    refs[i++] = MakeFieldRef(code, 1, pair);
    refs[i++] = MakeFieldRef(code + 1, 1, pair);
  }
  gridRow(3);  // 体術使用
  gridRow(1);  // 年齢
  return refs;
}

void CharacterFieldWalk(FieldContext& ctx, WalkMode mode) {
  for (const FieldRef ref : CharacterFieldRefs(ctx.characterBase)) WalkField(ctx, ref, mode);
}

}  // namespace zovek
