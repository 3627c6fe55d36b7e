#pragma once
// Helpers shared by the GUI tests: finding controls by name, driving them,
// building test files on disk and reading them back.

#include <cstdint>
#include <vector>

#include <QAction>
#include <QString>
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

// Finds a named child; fails the test (returns nullptr) when it is missing.
template <class T>
T* Find(const QObject* root, const QString& name) {
  return root->findChild<T*>(name);
}

// Chooses the menu item through the window as the user does: the item is
// triggered only when it is enabled.
void Choose(FrmMain& window, const QString& actionName);

// Opens `path` through the file menu and the (seamed) open dialog.
void OpenThroughMenu(FrmMain& window, const QString& path);
// Saves through the file menu, answering the confirmation.
void SaveThroughMenu(FrmMain& window, QMessageBox::StandardButton answer);

// Replaces the whole text of a box by typing, as the user does.
void TypeInto(QWidget* box, const QString& text);

void WriteFile(const QString& path, const Bytes& bytes);
Bytes ReadFile(const QString& path);
bool SetReadOnly(const QString& path, bool readOnly);

// Every control in its state with no file loaded (after start-up when
// `atStartUp`, else after a refused file). Fails the running test otherwise.
void VerifyResetState(FrmMain& window, bool atStartUp);

// The last message box the window showed.
ShownMessage LastMessage();

}  // namespace zovek::guitest
