#include "ui/OpenRequestQueue.h"

#include <QApplication>

#include "ui/FrmMain.h"

namespace zovek {

namespace {

// Brings the window to the front. activateWindow asks the window system by
// QWindow::requestActivate, which is what X11 window managers take.
void BringForward(QWidget& window) {
  if (window.isMinimized()) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  }
  window.raise();
  window.activateWindow();
}

}  // namespace

OpenRequestQueue::OpenRequestQueue(QObject* parent) : QObject(parent) {
  retry_.setInterval(kRetryMs);
  connect(&retry_, &QTimer::timeout, this, [this] { TryDeliver(); });
}

void OpenRequestQueue::SetWindow(FrmMain* window) {
  window_ = window;
  QMetaObject::invokeMethod(this, [this] { TryDeliver(); }, Qt::QueuedConnection);
}

void OpenRequestQueue::Add(const QString& path, bool activate) {
  if (!path.isEmpty()) {
    pendingPath_ = path;
  }
  pendingActivation_ = pendingActivation_ || activate;
  // Never inside the caller: it may be the server reading its socket.
  QMetaObject::invokeMethod(this, [this] { TryDeliver(); }, Qt::QueuedConnection);
}

bool OpenRequestQueue::ApplicationBusy() {
  return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr;
}

void OpenRequestQueue::TryDeliver() {
  const bool waiting = !pendingPath_.isEmpty() || pendingActivation_;
  if (waiting && (window_ == nullptr || !window_->isVisible() || ApplicationBusy())) {
    if (!retry_.isActive()) {
      retry_.start();
    }
    return;
  }
  retry_.stop();
  const QString path = std::exchange(pendingPath_, QString());
  if (std::exchange(pendingActivation_, false)) {
    BringForward(*window_);
  }
  if (!path.isEmpty()) {
    window_->OpenRequestedFile(path);
  }
}

}  // namespace zovek
