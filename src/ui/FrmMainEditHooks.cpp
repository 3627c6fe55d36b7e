// Where in-place grid editing and the rules of the number boxes attach to the
// window. The grids hand out their key presses and double-clicks, the boxes
// their text changes (by typing or by the program) and focus losses.

#include "ui/FlexGrid.h"
#include "ui/FrmMain.h"
#include "ui/TextBox.h"

namespace zovek {

// The focus-loss handling of txtFlex; commands that read or reload the grids
// call it first. Nothing is pending while EditRow is 0.
void FrmMain::CommitCellEdit() {
  if (state_.EditRow == 0) {
    return;
  }
  // The in-place editor writes its value into cell (EditRow, EditCol) here.
  txtFlex->hide();
  state_.EditRow = 0;
  state_.EditCol = 0;
}

// A character key on grid `grid`: the in-place editor starts from here.
void FrmMain::GridKeyTyped(int grid, const QString& typed) {
  (void)grid;
  (void)typed;
}

// A double-click on a data cell of grid `grid`.
void FrmMain::GridDoubleClicked(int grid) { (void)grid; }

// txtValue(i) changed, by typing or by the program.
void FrmMain::ValueBoxChanged(int i) { (void)i; }

// txtParty(i) changed, by typing or by the program.
void FrmMain::PartyBoxChanged(int i) { (void)i; }

// txtParty(i) lost the focus; the save command runs this for all eight.
void FrmMain::PartyBoxLeft(int i) { (void)i; }

// txtFlex changed while an edit is open.
void FrmMain::FlexBoxChanged() {}

}  // namespace zovek
