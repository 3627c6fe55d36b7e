#pragma once
// The four view walks, each run in load mode (buffer to view) or store mode
// (view to buffer). Commands run them in this order: characters, techniques,
// scenario entry, general fields. A store walk stops at the first StoreError.

#include <array>
#include <cstdint>

#include "savedata/FieldEngine.h"
#include "savedata/SaveLayout.h"

namespace zovek {

// The selected character's fields (CharacterBase in ctx).
void CharacterFieldWalk(FieldContext& ctx, WalkMode mode);

// Mastery flags of the shown technique category (0..11; others do nothing).
void TechniqueWalk(SaveBuffer& buffer, EditorView& view, int category, WalkMode mode);

// The state byte of scenario entry `entry` (0..57).
void ScenarioEntryWalk(FieldContext& ctx, int entry, WalkMode mode);

// Party, possessions, header values and role bits.
void GeneralFieldWalk(FieldContext& ctx, WalkMode mode);


// Byte number k(i) of each scenario entry; its state byte is 516 + k(i).
extern const std::array<std::uint8_t, kScenarioEntries> kScenarioByteNumbers;

// Where one technique row keeps its mastery flag.
using TechniqueBit = FlagBit;
// The row count of each category, and the flag of row `row` of `category`.
extern const std::array<int, kTechniqueCategories> kTechniqueRowCounts;
TechniqueBit TechniqueFlag(int category, int row);

// The byte and bit of role entry 0..27.
using RoleBit = FlagBit;
RoleBit RoleFlag(int entry);

}  // namespace zovek
