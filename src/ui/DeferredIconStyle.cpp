#include "ui/DeferredIconStyle.h"

#include <optional>

#include <QIconEngine>
#include <QPointer>

namespace zovek {

namespace {

// An icon that asks the style for the real one the first time it is drawn
// or measured, and answers from it from then on.
class DeferredStandardIconEngine : public QIconEngine {
 public:
  DeferredStandardIconEngine(QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return loaded().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return loaded().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return loaded().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return loaded().availableSizes(mode, state);
  }
  bool isNull() override { return loaded().isNull(); }
  QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
  QIconEngine* clone() const override { return new DeferredStandardIconEngine(*this); }

 private:
  const QIcon& loaded() {
    if (!icon_) {
      // A style changed since is gone with its icons; the button then has
      // the new style's icon already.
      icon_ = style_ != nullptr ? style_->standardIcon(which_) : QIcon();
    }
    return *icon_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap which_;
  std::optional<QIcon> icon_;
};

}  // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                      const QWidget* widget) const {
  if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton) {
    return QIcon(new DeferredStandardIconEngine(baseStyle(), which));
  }
  return QProxyStyle::standardIcon(which, option, widget);
}

}  // namespace zovek
