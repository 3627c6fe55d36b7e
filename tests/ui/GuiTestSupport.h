#pragma once
// Helpers shared by the GUI tests: finding controls by name, driving them,
// building test files on disk and reading them back.

#include <cstdint>
#include <memory>
#include <vector>

#include <QAction>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include "savefile/SaveBuffer.h"
#include "ui/Dialogs.h"
#include "ui/FrmMain.h"

namespace zovek::guitest {

using Bytes = std::vector<std::uint8_t>;

// Sets the application name (the data directory follows it), closes the
// dialog seam so nothing modal runs, and empties the data directory.
void PrepareApplication();
QString DataDirectory();
QString WorkingCopyPath();
// Creates the window into `window` and shows it; when `activate`, also waits
// until it is the active window (typing needs that). Fails the running test
// when the window never shows.
void ShowWindow(std::unique_ptr<FrmMain>& window, bool activate);
// Fails the running test when the window showed an error message.
void VerifyNoErrorShown();

// Finds a named child, nullptr when it is missing. It does not fail the test:
// the caller checks the result (QVERIFY) or uses FindOrWarn.
template <class T>
T* Find(const QObject* root, const QString& name) {
  return root->findChild<T*>(name);
}
// As Find, and names the missing control in the test log.
template <class T>
T* FindOrWarn(const QObject* root, const QString& name) {
  T* found = Find<T>(root, name);
  if (found == nullptr) qWarning("missing %s", qPrintable(name));
  return found;
}

// What every window test holds: the window and a folder for its files.
class WindowTest : public QObject {
 protected:
  std::unique_ptr<FrmMain> window_;
  std::unique_ptr<QTemporaryDir> files_;

  template <class T>
  T* get(const QString& name) {
    return FindOrWarn<T>(window_.get(), name);
  }
  QString path(const QString& name) const { return files_->filePath(name); }
  // Fresh program data, a fresh folder, and the window shown (see ShowWindow).
  void openWindow(bool activate) {
    PrepareApplication();
    files_ = std::make_unique<QTemporaryDir>();
    ShowWindow(window_, activate);
  }
  // The window closed (its close-down runs) and the test's folder removed.
  void closeWindow() {
    window_.reset();
    files_.reset();
  }
};

// Chooses the menu item through the window as the user does: the item is
// triggered only when it is enabled.
void Choose(FrmMain& window, const QString& actionName);

// Opens `path` through the file menu and the (seamed) open dialog.
void OpenThroughMenu(FrmMain& window, const QString& path);
// Saves through the file menu, answering the confirmation.
void SaveThroughMenu(FrmMain& window, QMessageBox::StandardButton answer);

// Replaces the whole text of a box by typing, as the user does.
void TypeInto(QWidget* box, const QString& text);

// Saves 3 (block 2) and 7 (block 9) with different protagonists, another
// game's save in block 5, noise everywhere else.
Bytes TwoSavesAndAnotherGame();

// Drags one local file onto the window and drops it, as the user does, then
// lets the queued open run. False when the window did not take it.
bool DropFile(FrmMain& window, const QString& path);

// A file name that is not UTF-8 (Shift-JIS bytes), held losslessly
// (savefile/PathEncoding.h).
QString NameNotUtf8();

void WriteFile(const QString& path, const Bytes& bytes);
Bytes ReadFile(const QString& path);
bool SetReadOnly(const QString& path, bool readOnly);

// The file positions where two files of the same length differ (one
// impossible position when the lengths differ).
QList<std::size_t> Differences(const Bytes& before, const Bytes& after);
bool AllWithin(const QList<std::size_t>& positions, std::uint64_t start, std::uint64_t length);

// Every control in its state with no file loaded (after start-up when
// `atStartUp`, else after a refused file). Fails the running test otherwise.
void VerifyResetState(FrmMain& window, bool atStartUp);

// The last message box the window showed.
ShownMessage LastMessage();

}  // namespace zovek::guitest
