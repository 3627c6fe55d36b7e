// A file named on the command line or handed over by a later start of the
// program is opened as the open command opens the file its dialog returns.

#include "ui/FrmMain.h"

namespace zovek {

void FrmMain::OpenRequestedFile(const QString& path) {
  if (closedDown_) {
    return;
  }
  CommitCellEdit();
  FocusTabControl();
  OpenChosenFile(path);
}

}  // namespace zovek
