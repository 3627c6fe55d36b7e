// The file commands: open a file, switch to another save of a card image,
// and write the loaded save back into the opened file.

#include <QAction>
#include <QComboBox>

#include "savedata/Walks.h"
#include "savefile/Checksum.h"
#include "savefile/SaveFileOps.h"
#include "ui/Dialogs.h"
#include "ui/FrmMain.h"
#include "ui/Messages.h"
#include "ui/ProgramData.h"

namespace zovek {

void FrmMain::OpenFile() {
  CommitCellEdit();
  FocusTabControl();
  OpenChosenFile(Dialogs::askOpenFileName(this));
}

// The open command from the file name on: the dialog's answer or a dropped
// file. An empty name (a cancelled dialog) changes nothing at all: the loaded
// save keeps the file it came from, so it can still be saved there.
void FrmMain::OpenChosenFile(const QString& path) {
  if (path.isEmpty()) {
    return;
  }
  state_.ChosenPath = path;
  state_.WorkingCopyPath = WorkingCopyFor(path);

  const OpenOutcome outcome =
      OpenSaveFile(ToFsPath(state_.ChosenPath), ToFsPath(state_.WorkingCopyPath), state_.SelectedSave, buffer_);
  switch (outcome.status) {
    case OpenStatus::Unsupported:
      ShowError(messages::Unsupported());
      ResetWindow(0);
      return;
    case OpenStatus::NoGameSave:
      // The scan has already taken every save item's mark and enabled state.
      ApplySaveMenu(outcome.scan.menu);
      ShowError(messages::NoGameSave());
      ResetWindow(0);
      return;
    case OpenStatus::ReadError:
      // Reset as after a refusal: a save must never write a buffer that was
      // not read whole from the file now named as the one opened.
      ShowError(messages::ReadError(outcome.error));
      ResetWindow(0);
      return;
    case OpenStatus::Loaded:
      break;
  }

  state_.FileKind = outcome.kind;
  state_.SlotTable = outcome.scan.slots;
  state_.SelectedSave = outcome.scan.selectedSave;
  ApplySaveMenu(outcome.scan.menu);
  RunWalks(kLoad);
  EnableLoadedCommands();
}

// The user may open a working copy itself, directly or through a link. That
// file is then theirs: a save switch must not write into it, nor another open
// copy over it, nor the close-down delete it. So the working copy is the first
// of "zovek.tmp", "zovek-2.tmp", ... that the user has not opened.
QString FrmMain::WorkingCopyFor(const QString& chosen) {
  openedFiles_.insert(ResolvedPath(chosen));
  for (int number = 1;; ++number) {
    const QString candidate = WorkingCopyFile(number);
    if (!openedFiles_.contains(ResolvedPath(candidate))) {
      if (!workingCopies_.contains(candidate)) {
        workingCopies_.append(candidate);
      }
      return candidate;
    }
  }
}

void FrmMain::SwitchSave(int s) {
  if (state_.FileKind != kCardImage || s == state_.SelectedSave) {
    return;
  }
  CommitCellEdit();
  FocusTabControl();

  state_.CopySource = -1;
  mnuCharaPaste->setEnabled(false);
  mnuCharaRtn->setEnabled(false);

  const std::int16_t left = state_.SelectedSave;
  CheckOnlySaveItem(s);

  // A failure leaves the save being left loaded, with its mark.
  const std::filesystem::path workingCopy = ToFsPath(state_.WorkingCopyPath);
  try {
    RunWalks(kStore);
  } catch (const StoreError& error) {
    CheckOnlySaveItem(left);
    ShowError(messages::WriteError(error.number()));
    return;
  }
  if (const int error = WriteDataRegion(workingCopy, DataRegionOffset(kCardImage, state_.SlotTable, left), buffer_);
      error != 0) {
    CheckOnlySaveItem(left);
    ShowError(messages::WriteError(error));
    return;
  }
  // The read is staged: when it fails, the buffer still holds the save left.
  const std::int16_t next = static_cast<std::int16_t>(s);
  if (const int error = ReadDataRegion(workingCopy, DataRegionOffset(kCardImage, state_.SlotTable, next), buffer_);
      error != 0) {
    CheckOnlySaveItem(left);
    ShowError(messages::ReadError(error));
    return;
  }
  state_.SelectedSave = next;
  RunWalks(kLoad);
}

void FrmMain::SaveFile() {
  for (int i = 0; i < 8; ++i) {
    PartyBoxLeft(i);
  }
  CommitCellEdit();
  FocusTabControl();

  const int named = LastCheckedSaveItem();
  const QMessageBox::StandardButton answer =
      Dialogs::message(this, QMessageBox::Question, messages::SaveConfirmTitle(), messages::SaveConfirm(named),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  if (answer != QMessageBox::Yes) {
    return;
  }

  try {
    RunWalks(kStore);
  } catch (const StoreError& error) {
    ShowError(messages::WriteError(error.number()));
    return;
  }
  ComputeChecksum(buffer_);

  SaveTarget target;
  target.path = ToFsPath(state_.ChosenPath);
  target.backupDirectory = ToFsPath(BackupDirectory());
  target.kind = state_.FileKind;
  if (state_.FileKind == kCardImage) {
    target.saveNumber = state_.SelectedSave;
    target.block = state_.SelectedSave >= 1 ? state_.SlotTable[state_.SelectedSave] : 0;
  } else {
    // A single save keeps SelectedSave as it was; its own number is in the table.
    for (int s = 1; s <= kSaveNumbers; ++s) {
      if (state_.SlotTable[s] != 0) {
        target.saveNumber = static_cast<std::int16_t>(s);
      }
    }
  }
  if (const int error = WriteSaveToFile(target, buffer_); error != 0) {
    ShowError(messages::WriteError(error));
  }
}

}  // namespace zovek
