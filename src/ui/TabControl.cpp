#include "ui/TabControl.h"

#include <QEvent>

namespace zovek {

QSize EvenTabBar::tabSizeHint(int index) const {
  QSize size = QTabBar::tabSizeHint(index);
  const QWidget* control = parentWidget();
  if (control != nullptr && count() > 0) {
    // The last tab takes what the division leaves over.
    const int share = control->width() / count();
    size.setWidth(index == count() - 1 ? control->width() - share * (count() - 1) : share);
  }
  return size;
}

TabControl::TabControl(QWidget* parent) : QTabWidget(parent) {
  setTabBar(new EvenTabBar(this));
  tabBar()->setExpanding(false);
  tabBar()->setUsesScrollButtons(false);
  tabBar()->setElideMode(Qt::ElideNone);
}

QWidget* TabControl::addCanvasTab(const QString& caption) {
  auto* page = new QWidget();
  auto* canvas = new QWidget(page);
  canvas->setObjectName(QStringLiteral("canvas%1").arg(pages_.size()));
  addTab(page, caption);
  page->installEventFilter(this);
  pages_.append(page);
  canvases_.append(canvas);
  placeCanvases();
  return canvas;
}

bool TabControl::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) && pages_.contains(watched)) {
    placeCanvases();
  }
  return QTabWidget::eventFilter(watched, event);
}

void TabControl::resizeEvent(QResizeEvent* event) {
  QTabWidget::resizeEvent(event);
  tabBar()->updateGeometry();
  placeCanvases();
}

void TabControl::placeCanvases() {
  for (qsizetype i = 0; i < pages_.size(); ++i) {
    // The page's top-left as seen from the tab control; the canvas sits that
    // far up and left inside the page, which puts it on the control's corner.
    const QPoint pageOrigin = pages_[i]->mapTo(this, QPoint(0, 0));
    canvases_[i]->setGeometry(-pageOrigin.x(), -pageOrigin.y(), width(), height());
  }
}

}  // namespace zovek
