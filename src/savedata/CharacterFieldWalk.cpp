// The fields of the selected character, in the order the grid expects them.

#include "savedata/FieldRules.h"
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

constexpr bool kAbsolute = false;
constexpr bool kRecord = true;

constexpr std::array<CharacterFieldRow, kCharacterFieldCount> kRows{{
    {kAbsolute, 412, 1, 2},  // joined bit of this character ("仲間加入")
    {kRecord, 0, 3, 4},      // CR
    {kRecord, 4, 2, 5},      // HP
    {kRecord, 6, 2, 6},      // 最大HP
    {kRecord, 8, 1, 7},      // LP
    {kRecord, 9, 1, 8},      // 最大LP
    {kRecord, 12, 1, 9},     // WP
    {kRecord, 13, 1, 10},    // 最大WP
    {kRecord, 16, 1, 11},    // JP
    {kRecord, 17, 1, 12},    // 最大JP
    {kRecord, 21, 1, 13},    // skill levels 体 剣 斧 杖 槍 弓
    {kRecord, 22, 1, 14},
    {kRecord, 23, 1, 15},
    {kRecord, 24, 1, 16},
    {kRecord, 25, 1, 17},
    {kRecord, 26, 1, 18},
    {kRecord, 28, 1, 19},    // skill levels 樹 石 火 水 音 獣
    {kRecord, 29, 1, 20},
    {kRecord, 30, 1, 21},
    {kRecord, 31, 1, 22},
    {kRecord, 32, 1, 23},
    {kRecord, 33, 1, 24},
    {kRecord, 52, 1, 1},     // equipment pairs: code, count
    {kRecord, 53, 1, 1},
    {kRecord, 54, 1, 2},
    {kRecord, 55, 1, 2},
    {kRecord, 56, 1, 3},
    {kRecord, 57, 1, 3},
    {kRecord, 58, 1, 4},
    {kRecord, 59, 1, 4},
    {kRecord, 60, 1, 5},
    {kRecord, 61, 1, 5},
    {kRecord, 62, 1, 6},
    {kRecord, 63, 1, 6},
    {kRecord, 64, 1, 3},     // 体術使用
    {kRecord, 86, 1, 1},     // 年齢
}};

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
  if (mode != kLoad && mode != kStore) return;
  for (const FieldRef ref : CharacterFieldRefs(ctx.characterBase)) {
    if (mode == kLoad) {
      LoadField(ctx, ref);
    } else {
      StoreField(ctx, ref);
    }
  }
}

}  // namespace zovek
