#pragma once
// Helpers of the editing tests: picking grid cells with the mouse, typing
// into whatever holds the keyboard, and the save files the tests open.

#include <cstdint>

#include <QString>

#include "savefile/SaveBuffer.h"
#include "ui/FlexGrid.h"
#include "ui/GuiTestSupport.h"
#include "ui/TextBox.h"

namespace zovek::guitest {

// The control that has the keyboard; typing goes there.
QWidget* Focused();
// Keys typed one by one into the control that has the keyboard at each key
// (the first key on a grid opens the cell editor, which takes the rest).
void TypeKeys(const QString& text);
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A click (or double-click) on data cell (row, col), scrolled into sight first.
void ClickCell(FlexGrid* grid, int row, int col);
void DoubleClickCell(FlexGrid* grid, int row, int col);
// Double-click on the cell (the editor opens with everything selected), type
// `text` and press Enter.
void EditCell(FlexGrid* grid, int row, int col, const QString& text);

void DoubleClickBox(TextBox* box);
// Clicks the tab `index` of the tab control in the tab strip.
void ClickTab(FrmMain& window, int index);

// A card image with save 3 in block 2 and save 7 in block 9.
inline constexpr int kSave3Block = 2;
inline constexpr int kSave7Block = 9;
QString WriteTwoSaveCard(const QString& path, const SaveBuffer& save3, const SaveBuffer& save7);
std::uint64_t RegionOffset(int block);
SaveBuffer RegionIn(const Bytes& file, std::uint64_t offset);

// A little-endian number from a region.
std::uint32_t Number(const SaveBuffer& region, std::size_t index, int width);
std::size_t RecordIndex(int character, std::size_t offset);

}  // namespace zovek::guitest
