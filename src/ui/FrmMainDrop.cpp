// A single file dropped on the window is opened as if the open dialog had
// returned it. Several files, a folder or anything that is not a local file
// is not taken.

#include <filesystem>
#include <string_view>
#include <system_error>

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "savefile/PathEncoding.h"
#include "ui/FrmMain.h"
#include "ui/ProgramData.h"

namespace zovek {

namespace {

// A local file's URL as a path. On POSIX its percent-encoded bytes are the
// name's, which need not be UTF-8: toLocalFile() would make U+FFFD of them.
QString LocalPath(const QUrl& url) {
  if (!kPathsAreBytes) {
    return url.toLocalFile();
  }
  const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
  const QString path = QString::fromStdU16String(TextFromBytes(std::string_view(bytes.constData(), bytes.size())));
  // As toLocalFile(): a host names a network share.
  return url.host().isEmpty() ? path : QStringLiteral("//") + url.host() + path;
}

// The one local file a drop carries; empty when it carries anything else.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) {
    return {};
  }
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) {
    return {};
  }
  const QString path = LocalPath(urls.front());
  std::error_code error;
  return std::filesystem::is_regular_file(ToFsPath(path), error) ? path : QString();
}

}  // namespace

// A drag entering is a drag moving onto the window.
void FrmMain::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

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
  QMetaObject::invokeMethod(this, [this, path] { OpenRequestedFile(path); }, Qt::QueuedConnection);
}

}  // namespace zovek
