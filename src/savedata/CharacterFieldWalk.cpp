// The fields of the selected character, in the order the grid expects them:
// the joined bit, rows 4..24, the equipment pairs, the martial-arts flag and
// the age, all taken from the character grid's table.

#include "savedata/SaveLayout.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {

namespace {

struct CharacterFieldRow {
  bool inRecord;  // index relative to the record (4600 + CharacterBase + r)
  int index;      // absolute buffer index, or r inside the record
  int width;
  int slot;       // grid row; equipment pair p for the equipment rows
};

constexpr CharacterFieldRow GridRow(int row) {
  const CharacterRow& field = kCharacterGrid[static_cast<std::size_t>(row)];
  if (field.kind == CharacterRowKind::Joined) return {false, kJoinedFlagsStart, 1, row};
  return {true, field.recordOffset, field.width, row};
}

constexpr std::array<CharacterFieldRow, kCharacterFieldCount> WalkOrder() {
  std::array<CharacterFieldRow, kCharacterFieldCount> rows{};
  std::size_t i = 0;
  rows[i++] = GridRow(2);  // 仲間加入
  for (int row = 4; row <= kCharacterRows; ++row) rows[i++] = GridRow(row);
  for (int pair = 1; pair <= kEquipmentSlots; ++pair) {
    const int code = EquipmentCodeInRecord(pair);
    rows[i++] = {true, code, 1, pair};
    rows[i++] = {true, code + 1, 1, pair};
  }
  rows[i++] = GridRow(3);  // 体術使用
  rows[i++] = GridRow(1);  // 年齢
  return rows;
}

constexpr auto kRows = WalkOrder();
static_assert(kCharacterRows + 2 * kEquipmentSlots == kCharacterFieldCount, "every row and pair once");

}  // namespace

std::array<FieldRef, kCharacterFieldCount> CharacterFieldRefs(int characterBase) {
  std::array<FieldRef, kCharacterFieldCount> refs{};
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    const CharacterFieldRow& row = kRows[i];
    const int offset = row.inRecord ? kRecordsStart + characterBase + row.index : row.index;
    refs[i] = MakeFieldRef(offset, row.width, row.slot);
  }
  return refs;
}

void CharacterFieldWalk(FieldContext& ctx, WalkMode mode) {
  for (const FieldRef ref : CharacterFieldRefs(ctx.characterBase)) {
    if (mode == kLoad) {
      LoadField(ctx, ref);
    } else {
      StoreField(ctx, ref);
    }
  }
}

}  // namespace zovek
