#include "ui/FlexGrid.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "ui/Twips.h"

namespace zovek {

namespace {

bool LooksNumeric(const QString& text) {
  bool ok = false;
  (void)text.trimmed().toDouble(&ok);
  return ok;
}

// The grid fixes the thickness of both headers (the label column's width, the
// header row's height). Qt's header measures up to 200 of its labels for a
// size hint each time one of them changes, only for the fixed size to win;
// a header of fixed thickness answers with that thickness instead.
class FixedHeaderView : public QHeaderView {
 public:
  using QHeaderView::QHeaderView;

  QSize sizeHint() const override {
    if (orientation() == Qt::Horizontal && minimumHeight() == maximumHeight()) {
      return {defaultSectionSize(), minimumHeight()};
    }
    if (orientation() == Qt::Vertical && minimumWidth() == maximumWidth()) {
      return {minimumWidth(), defaultSectionSize()};
    }
    return QHeaderView::sizeHint();
  }
};

// A data cell tells a screen reader where it is: its row's label and its
// column's header ("HP, データ"), read from the grid as they are now.
class DataCell : public QTableWidgetItem {
 public:
  QVariant data(int role) const override {
    if (role == Qt::AccessibleDescriptionRole) {
      if (const auto* grid = static_cast<const FlexGrid*>(tableWidget()); grid != nullptr) {
        return grid->cellDescription(row() + 1, column() + 1);
      }
    }
    return QTableWidgetItem::data(role);
  }
  QTableWidgetItem* clone() const override { return new DataCell(*this); }
};

}  // namespace

FlexGrid::FlexGrid(int rows, int cols, QWidget* parent)
    : QTableWidget(parent), rows_(rows), cols_(cols), explicitAlignment_(rows * cols, Qt::Alignment()) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);  // the grid is one stop of the focus order
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  // The headers get their fixed thickness before the table gets its rows and
  // columns, so that no size hint is ever measured from their labels.
  setHorizontalHeader(new FixedHeaderView(Qt::Horizontal, this));
  setVerticalHeader(new FixedHeaderView(Qt::Vertical, this));
  const int rowHeight = TwipsToPixels(kRowHeightTwips);
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionsClickable(false);  // fixed cells can't be selected
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    header->setTextElideMode(Qt::ElideNone);
    // The fixed cells can't be picked, but a double-click on them is still
    // one on the grid, for its current cell.
    connect(header, &QHeaderView::sectionDoubleClicked, this, [this] { Q_EMIT gridDoubleClicked(); });
  }
  verticalHeader()->setDefaultSectionSize(rowHeight);
  horizontalHeader()->setFixedHeight(rowHeight);
  widthsTwips_.fill(0, cols_);
  setColumnWidthTwips(0, kDefaultColumnWidthTwips);
  setRowCount(rows_ - 1);
  setColumnCount(cols_ - 1);

  // Every cell starts empty, aligned by the general rule. The items carry
  // their alignment before they join the table, so no change is signalled.
  auto newCell = [this](int row, int col) {
    QTableWidgetItem* cell = row > 0 && col > 0 ? new DataCell() : new QTableWidgetItem();
    cell->setTextAlignment(alignmentFor(row, col, QString()));
    return cell;
  };
  for (int c = 1; c < cols_; ++c) {
    setHorizontalHeaderItem(c - 1, newCell(0, c));
  }
  for (int r = 1; r < rows_; ++r) {
    setVerticalHeaderItem(r - 1, newCell(r, 0));
    for (int c = 1; c < cols_; ++c) {
      QTableWidgetItem* item = newCell(r, c);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      setItem(r - 1, c - 1, item);
    }
  }

  for (int c = 1; c < cols_; ++c) {
    setColumnWidthTwips(c, kDefaultColumnWidthTwips);
  }

  connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
    if (row >= 0 && col >= 0) {
      currentRow_ = row + 1;
      currentCol_ = col + 1;
    }
  });
}

QTableWidgetItem* FlexGrid::cellItem(int row, int col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_ || (row == 0 && col == 0)) {
    return nullptr;
  }
  if (row == 0) {
    return horizontalHeaderItem(col - 1);
  }
  if (col == 0) {
    return verticalHeaderItem(row - 1);
  }
  return item(row - 1, col - 1);
}

QString FlexGrid::text(int row, int col) const {
  const QTableWidgetItem* cell = cellItem(row, col);
  return cell != nullptr ? cell->text() : QString();
}

QString FlexGrid::cellDescription(int row, int col) const {
  return text(row, 0) + QStringLiteral(", ") + text(0, col);
}

void FlexGrid::setText(int row, int col, const QString& text) {
  QTableWidgetItem* cell = cellItem(row, col);
  if (cell == nullptr) {
    return;  // the corner cell is never shown
  }
  cell->setText(text);
  applyAlignment(row, col);
}

void FlexGrid::setCellAlignment(int row, int col, Qt::Alignment alignment) {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
    return;
  }
  explicitAlignment_[row * cols_ + col] = alignment;
  applyAlignment(row, col);
}

Qt::Alignment FlexGrid::cellAlignment(int row, int col) const {
  if (row == 0 && col == 0) {
    return explicitAlignment_[0];  // the corner cell is never drawn
  }
  const QTableWidgetItem* cell = cellItem(row, col);
  return cell != nullptr ? Qt::Alignment(cell->textAlignment()) : Qt::Alignment();
}

void FlexGrid::applyAlignment(int row, int col) {
  if (QTableWidgetItem* cell = cellItem(row, col); cell != nullptr) {
    cell->setTextAlignment(alignmentFor(row, col, cell->text()));
  }
}

Qt::Alignment FlexGrid::alignmentFor(int row, int col, const QString& text) const {
  const Qt::Alignment alignment = explicitAlignment_[row * cols_ + col];
  if (alignment != Qt::Alignment()) {
    return alignment;
  }
  return (LooksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

void FlexGrid::setCurrent(int row, int col) {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
    return;
  }
  // Setting the cell from code does not scroll the grid.
  const int top = verticalScrollBar()->value();
  const int left = horizontalScrollBar()->value();
  if (row >= 1 && col >= 1) {
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);  // also keeps a hidden grid from scrolling when shown
    setCurrentCell(row - 1, col - 1);
    setAutoScroll(scrolls);
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
  } else {
    // A header cell: no data cell is current in the table itself.
    setCurrentIndex(QModelIndex());
  }
  currentRow_ = row;
  currentCol_ = col;
}

int FlexGrid::columnWidthTwips(int col) const {
  return col >= 0 && col < cols_ ? widthsTwips_[col] : 0;
}

void FlexGrid::setColumnWidthTwips(int col, int twips) {
  if (col < 0 || col >= cols_) {
    return;
  }
  twips = std::max(twips, 0);
  widthsTwips_[col] = twips;
  const int pixels = TwipsToPixels(twips);
  if (col == 0) {
    verticalHeader()->setFixedWidth(pixels);
  } else {
    setColumnWidth(col - 1, pixels);
  }
}

QRect FlexGrid::cellRectInContainer(int row, int col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
    return {};
  }
  if (row >= 1 && col >= 1) {
    // The cell inside its grid lines, as the table draws it.
    const QRect cell = visualRect(model()->index(row - 1, col - 1));
    return cell.translated(viewport()->geometry().topLeft() + pos());
  }
  const QRect labels = verticalHeader()->geometry();
  const QRect headers = horizontalHeader()->geometry();
  const QRect cells = viewport()->geometry();
  const int x = col == 0 ? labels.x() : cells.x() + columnViewportPosition(col - 1);
  const int width = col == 0 ? labels.width() : columnWidth(col - 1);
  const int y = row == 0 ? headers.y() : cells.y() + rowViewportPosition(row - 1);
  const int height = row == 0 ? headers.height() : rowHeight(row - 1);
  return QRect(x, y, width, height).translated(pos());
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool commandKey = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
  // X11 gives the Delete key the DEL character; it is no typing key on the
  // other systems, and it opens no edit here either.
  const bool deleteKey = event->key() == Qt::Key_Delete;
  if (!typed.isEmpty() && typed != QStringLiteral("\t") && !commandKey && !deleteKey) {
    event->accept();
    Q_EMIT keyTyped(typed);
    return;
  }
  QTableWidget::keyPressEvent(event);
}

// Wherever the double-click lands (a cell, the empty part below the rows),
// the edit is of the current cell; a click on a cell has made it current.
void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableWidget::mouseDoubleClickEvent(event);
  Q_EMIT gridDoubleClicked();
}

}  // namespace zovek
