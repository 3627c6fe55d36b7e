#include "ui/GuiTestSupport.h"

#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

#include "savegen/ByteFiles.h"
#include "ui/ProgramData.h"

namespace zovek::guitest {

void PrepareApplication() {
  QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
  Dialogs::setSeamClosed(true);
  Dialogs::clearRecord();
  QDir(ProgramDataDirectory()).removeRecursively();
  QDir().mkpath(ProgramDataDirectory());
}

QString DataDirectory() { return ProgramDataDirectory(); }
QString WorkingCopyPath() { return WorkingCopyFile(); }

void Choose(FrmMain& window, const QString& actionName) {
  auto* action = window.findChild<QAction*>(actionName);
  QVERIFY2(action != nullptr, qPrintable(actionName));
  if (action->isEnabled()) {
    action->trigger();
  }
}

void OpenThroughMenu(FrmMain& window, const QString& path) {
  Dialogs::setNextFileName(path);
  Choose(window, QStringLiteral("mnuFileOpen"));
}

void SaveThroughMenu(FrmMain& window, QMessageBox::StandardButton answer) {
  Dialogs::setNextAnswer(answer);
  Choose(window, QStringLiteral("mnuFileSave"));
}

void TypeInto(QWidget* box, const QString& text) {
  box->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);  // typing replaces the selection
  QTest::keyClicks(box, text);
}

void WriteFile(const QString& path, const Bytes& bytes) { savegen::WriteWholeFile(ToFsPath(path), bytes); }
Bytes ReadFile(const QString& path) { return savegen::ReadWholeFile(ToFsPath(path)); }

bool SetReadOnly(const QString& path, bool readOnly) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(ToFsPath(path), write, readOnly ? fs::perm_options::remove : fs::perm_options::add, error);
  return !error;
}

ShownMessage LastMessage() {
  const QList<ShownMessage>& shown = Dialogs::shownMessages();
  return shown.isEmpty() ? ShownMessage{} : shown.constLast();
}

}  // namespace zovek::guitest
