#pragma once
// The name texts that follow a code shown in the view: the item name beside
// an equipment or possession code, and the label beside a party slot.

#include <string>

#include "names/NameTables.h"
#include "savedata/EditorView.h"

namespace zovek {

inline constexpr int kItemNameColumn = 3;

// Fills the name column of row `row` of Fgrid(grid) (grid 1 or 2).
inline void ShowItemName(EditorView& view, int code, int row, int grid) {
  view.SetCellText(grid, row, kItemNameColumn, ItemName(code));
}

// An item code in column 1 of Fgrid(grid), its item's name beside it.
inline void ShowItemCode(EditorView& view, int grid, int row, int code) {
  view.SetCellText(grid, row, 1, std::to_string(code));
  ShowItemName(view, code, row, grid);
}

// Sets lblValue(slot); 255 is an empty slot.
inline void ShowPartyLabel(EditorView& view, int code, int slot) { view.SetPartyLabel(slot, PartyLabel(code)); }

}  // namespace zovek
