#include "ui/DropDownRows.h"

#include <QApplication>
#include <QComboBox>
#include <QProxyStyle>
#include <QStyleFactory>

namespace zovek {

namespace {

// Styles that open a non-editable list around the current entry (Fusion,
// macOS) ignore the row count; the plain drop-down list honours it. This
// style asks for the plain list and leaves everything else to the
// application's style. (A `combobox-popup: 0` style sheet does the same, but
// puts the control and its list under Qt's style-sheet engine, which costs
// start-up time and every paint.)
class DropDownListStyle : public QProxyStyle {
 public:
  DropDownListStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    return hint == SH_ComboBox_Popup ? 0 : QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

void SetDropDownRows(QComboBox* list, std::int16_t n) {
  if (list == nullptr || n < 1) {
    return;
  }
  list->setMaxVisibleItems(n);
  if (dynamic_cast<DropDownListStyle*>(list->style()) == nullptr) {
    auto* style = new DropDownListStyle;
    style->setParent(list);  // lives as long as the control
    list->setStyle(style);
  }
}

}  // namespace zovek
