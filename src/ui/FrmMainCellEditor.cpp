// The in-place grid editor: the one box txtFlex, laid over the grid cell being
// edited. It opens on a character key or a double-click on an editable cell,
// rewrites its text by the cell rule at every change, and writes a value
// within the cell's range back into the cell when it closes. Every closing
// commits; there is no cancel.

#include "savedata/ViewNames.h"
#include "ui/FlexGrid.h"
#include "ui/FrmMain.h"
#include "ui/TextBox.h"
#include "savedata/rules/TextRules.h"

namespace zovek {

// A character key typed on grid `grid`, or a double-click (no key): a key's
// digits start the text, anything else is swallowed but still opens the box;
// a double-click opens it all selected.
void FrmMain::GridEditAsked(int grid, const std::optional<QString>& typed) {
  FlexGrid* cells = Fgrid[static_cast<std::size_t>(grid)];
  const int row = cells->row();
  const int col = cells->col();
  if (!IsEditableCell(grid, row, col)) {
    return;
  }
  const std::string text = cells->text(row, col).toStdString();
  BeginCellEdit(typed ? CellEditByKey(col, text, typed->toStdString()) : CellEditByDoubleClick(col, text), grid);
}

void FrmMain::BeginCellEdit(const CellEditStart& start, int grid) {
  // An edit still open would have lost the focus already; commit it in case
  // the focus never moved (an inactive window gets no focus events).
  CommitCellEdit();

  FlexGrid* cells = Fgrid[static_cast<std::size_t>(grid)];
  state_.EditGrid = static_cast<std::int16_t>(grid);
  state_.EditRow = static_cast<std::int16_t>(cells->row());
  state_.EditCol = static_cast<std::int16_t>(cells->col());

  // A current cell scrolled out of sight is brought back first, so that the
  // box covers its own cell and not a neighbouring control.
  cells->scrollTo(cells->model()->index(state_.EditRow - 1, state_.EditCol - 1));
  QWidget* container = cells->parentWidget();
  if (txtFlex->parentWidget() != container) {
    txtFlex->setParent(container);  // hidden until shown below
  }
  txtFlex->setGeometry(cells->cellRectInContainer(state_.EditRow, state_.EditCol));
  txtFlex->setTypingLimit(CellTypingLimit(grid, state_.EditRow));
  txtFlex->setAccessibleName(cells->cellDescription(state_.EditRow, state_.EditCol));
  txtFlex->setText(QString::fromStdString(start.text));  // the change rule runs, finding nothing to do

  txtFlex->show();
  txtFlex->raise();
  txtFlex->setFocus(Qt::OtherFocusReason);
  if (start.selectAll) {
    txtFlex->selectAll();
  } else {
    txtFlex->deselect();
    txtFlex->end(false);
  }
}

// txtFlex changed while an edit is open.
void FrmMain::FlexBoxChanged() {
  if (state_.EditRow == 0) {
    return;
  }
  const RuleResult ruled = CellEditChange(state_.EditCol, txtFlex->text().toStdString());
  txtFlex->rewrite(QString::fromStdString(ruled.text), ruled.selectAll);
}

// Enter in txtFlex: nothing is inserted; the focus goes back to the grid,
// which commits the edit.
void FrmMain::FlexBoxEntered() {
  if (state_.EditRow == 0) {
    return;
  }
  txtFlex->setTypingLimit(0);
  Fgrid[static_cast<std::size_t>(state_.EditGrid)]->setFocus(Qt::OtherFocusReason);
  CommitCellEdit();  // the focus change has normally done it already
}

// The focus-loss handling of txtFlex; commands that read or reload the grids
// call it first. Nothing is pending while EditRow is 0.
void FrmMain::CommitCellEdit() {
  if (state_.EditRow == 0) {
    return;
  }
  const int grid = state_.EditGrid;
  const int row = state_.EditRow;
  const int col = state_.EditCol;
  // Closed before the box is hidden: hiding a focused box moves the focus,
  // and that focus loss must find nothing left to commit.
  state_.EditRow = 0;
  state_.EditCol = 0;

  const std::string committed = CellEditCommit(grid, row, col, txtFlex->text().toStdString());
  SetCellText(grid, row, col, committed);
  if (col == 1 && (grid == 1 || grid == 2)) {
    ShowItemName(*this, static_cast<int>(WholeNumber(NumericReading(committed))), row, grid);
  }
  txtFlex->hide();
}

}  // namespace zovek
