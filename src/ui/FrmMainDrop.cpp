// A single file dropped on the window is opened as if the open dialog had
// returned it. Several files, a folder or anything that is not a local file
// is not taken.

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "ui/FrmMain.h"

namespace zovek {

namespace {

// The one local file a drop carries; empty when it carries anything else.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) {
    return {};
  }
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) {
    return {};
  }
  const QString path = urls.front().toLocalFile();
  return QFileInfo(path).isFile() ? path : QString();
}

}  // namespace

void FrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

void FrmMain::dragMoveEvent(QDragMoveEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

void FrmMain::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  if (path.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  // Opened after the drop has ended: a message box shown inside the drop
  // would keep the application the file came from waiting for its answer.
  QMetaObject::invokeMethod(this, [this, path] { OpenDroppedFile(path); }, Qt::QueuedConnection);
}

void FrmMain::OpenDroppedFile(const QString& path) {
  if (closedDown_) {
    return;  // the window closed while the drop was queued
  }
  CommitCellEdit();
  FocusTabControl();
  OpenChosenFile(path);
}

}  // namespace zovek
