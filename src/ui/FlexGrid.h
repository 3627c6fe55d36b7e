#pragma once
// A grid with one fixed header row and one fixed label column, addressed as
// one table of cells: row 0 is the header row, column 0 the label column. The
// headers are the table's own header views, so they stay put when the data
// scroll. The current cell may be a header cell when code puts it there
// (after start-up it is (0, 1)); the user can only pick data cells.
//
// Cells are never edited by Qt's own editors: key presses and double-clicks
// are handed out as signals for the in-place editor.

#include <QList>
#include <QTableWidget>

namespace zovek {

class FlexGrid : public QTableWidget {
  Q_OBJECT

 public:
  // The column width a new grid gives every column, in twips.
  static constexpr int kDefaultColumnWidthTwips = 900;
  // Row height in twips; 15 pixels fit the 9-point grid font with its margin.
  static constexpr int kRowHeightTwips = 225;

  FlexGrid(int rows, int cols, QWidget* parent = nullptr);

  int rows() const { return rows_; }
  int cols() const { return cols_; }

  QString text(int row, int col) const;
  void setText(int row, int col, const QString& text);
  // A data cell as a screen reader describes it: "row label, column header".
  QString cellDescription(int row, int col) const;

  // A cell without an alignment of its own uses the general rule: numbers to
  // the right, other text to the left, both vertically centred.
  void setCellAlignment(int row, int col, Qt::Alignment alignment);
  Qt::Alignment cellAlignment(int row, int col) const;

  // The current cell.
  int row() const { return currentRow_; }
  int col() const { return currentCol_; }
  void setCurrent(int row, int col);

  int columnWidthTwips(int col) const;
  void setColumnWidthTwips(int col, int twips);

  // The cell's rectangle in the coordinates of the grid's parent widget.
  QRect cellRectInContainer(int row, int col) const;

 Q_SIGNALS:
  // A key that produces a character (Enter, Backspace, Escape and space
  // included; Tab leaves the grid instead).
  void keyTyped(const QString& text);
  // A double-click anywhere on the grid, headers included; a data cell
  // double-clicked has become the current cell first.
  void gridDoubleClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QTableWidgetItem* cellItem(int row, int col) const;
  void applyAlignment(int row, int col);
  // The alignment a cell shows with `text`: its own, or the general rule.
  Qt::Alignment alignmentFor(int row, int col, const QString& text) const;

  int rows_;
  int cols_;
  int currentRow_ = 1;
  int currentCol_ = 1;
  QList<int> widthsTwips_;
  QList<Qt::Alignment> explicitAlignment_;  // row-major; 0 = general rule
};

}  // namespace zovek
