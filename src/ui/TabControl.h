#pragma once
// The tab control SSTab. Its tabs share the width of the control equally, in
// one row. Each page carries a canvas the size of the whole control, kept at
// the control's own top-left corner, so that the controls of a page are placed
// relative to the tab control as the layout gives them (below the tab strip
// because their positions say so), not relative to Qt's page.

#include <QList>
#include <QTabBar>
#include <QTabWidget>

namespace zovek {

class EvenTabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit EvenTabBar(QWidget* parent = nullptr) : QTabBar(parent) {}

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

class TabControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit TabControl(QWidget* parent = nullptr);

  // Adds a tab and returns its canvas, the parent of the tab's controls.
  QWidget* addCanvasTab(const QString& caption);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placeCanvases();

  QList<QWidget*> pages_;
  QList<QWidget*> canvases_;
};

}  // namespace zovek
