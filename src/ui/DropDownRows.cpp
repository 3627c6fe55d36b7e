#include "ui/DropDownRows.h"

#include <QComboBox>

namespace zovek {

void SetDropDownRows(QComboBox* list, std::int16_t n) {
  if (list == nullptr || n < 1) {
    return;
  }
  list->setMaxVisibleItems(n);
  // Styles that open a non-editable list around the current entry (Fusion,
  // macOS) ignore the row count; the plain drop-down list honours it.
  const QString sheet = QStringLiteral("QComboBox { combobox-popup: 0; }");
  if (list->styleSheet() != sheet) {
    list->setStyleSheet(sheet);
  }
}

}  // namespace zovek
