#pragma once
// The application's own style, with one difference: the overflow button of
// the menu bar gets its icon only when the button is first drawn.
//
// Qt gives every menu bar a hidden overflow button, and loading its icon at
// start-up reads the list of Qt's image-format plug-ins, a few milliseconds
// before the window can show. The button appears only when the menus do not
// fit across the window, which this window's always do.

#include <QProxyStyle>

namespace zovek {

class DeferredIconStyle : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace zovek
