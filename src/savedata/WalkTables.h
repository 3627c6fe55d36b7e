#pragma once
// The fields that the engine-driven walks hand over, in their order. The
// walks run exactly these lists; they are open here so that the order can be
// checked against the layout.

#include <array>
#include <vector>

#include "savedata/FieldEngine.h"

namespace zovek {

inline constexpr FieldRef MakeFieldRef(int offset, int width, int slot) {
  return FieldRef{static_cast<std::int16_t>(offset), static_cast<std::int16_t>(width), static_cast<std::int16_t>(slot)};
}

inline constexpr int kCharacterFieldCount = 36;
// The fields of the character whose record starts at 4600 + characterBase.
std::array<FieldRef, kCharacterFieldCount> CharacterFieldRefs(int characterBase);

// Party, possessions, header values and role groups; the main party count at
// 32 and the four-byte play time only in store mode.
std::vector<FieldRef> GeneralFieldRefs(WalkMode mode);

// The state byte of scenario entry 0..57.
FieldRef ScenarioFieldRef(int entry);

}  // namespace zovek
