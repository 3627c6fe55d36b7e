#pragma once
// The 28 entries of lstRoll as bits of the four role bytes 976..979, one
// group per byte. A few bits of groups 2 and 3 are not shown; they are
// carried through every store unchanged.

#include <array>
#include <cstdint>

#include "savedata/EditorView.h"

namespace zovek {

struct RoleGroup {
  int byteIndex;
  std::uint8_t shownBits;  // entries take these bits in ascending order
  int firstEntry;
};

inline constexpr int kRoleGroups = 4;

// Checks the entries of `group` from `byteValue`; after the last group also
// makes the first checked entry (or entry 0) current and redraws the list.
// A group outside 0..3 does nothing.
void ShowRoleGroup(EditorView& view, int group, int byteValue);

// The byte of `group`: shown bits from the entries, the other bits from
// `presentValue`. A group outside 0..3 keeps `presentValue`.
int ComposeRoleGroup(const EditorView& view, int group, int presentValue);

}  // namespace zovek
