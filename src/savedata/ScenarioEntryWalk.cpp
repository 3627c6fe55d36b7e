// The state byte of the scenario entry selected in lstEvt.

#include "savedata/SaveLayout.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"

namespace zovek {

// Entry i of lstEvt keeps its state in byte 516 + k(i). The bytes of
// k = 5, 13, 35, 41, 45, 48, 58, 60, 65 belong to no entry.
const std::array<std::uint8_t, kScenarioEntries> kScenarioByteNumbers{
    63, 64, 47, 59, 0, 6, 7, 3, 23, 1,       // entries 0..9
    4, 10, 61, 11, 12, 8, 2, 56, 14, 9,      // 10..19
    15, 21, 27, 40, 42, 44, 43, 34, 51, 62,  // 20..29
    66, 57, 31, 50, 16, 17, 24, 20, 30, 29,  // 30..39
    32, 26, 25, 33, 19, 22, 28, 18, 36, 37,  // 40..49
    38, 52, 49, 55, 39, 54, 53, 46,          // 50..57
};

FieldRef ScenarioFieldRef(int entry) {
  return MakeFieldRef(kScenarioStatesStart + kScenarioByteNumbers.at(static_cast<std::size_t>(entry)), 1, entry);
}

void ScenarioEntryWalk(FieldContext& ctx, int entry, WalkMode mode) {
  if (entry < 0 || entry >= kScenarioEntries) return;
  WalkField(ctx, ScenarioFieldRef(entry), mode);
}

}  // namespace zovek
