// The file commands: open a file, switch to another save of a card image,
// and write the loaded save back into the opened file. The session does the
// work; the window commits its boxes first, asks, and shows the outcome.

#include <QDir>

#include "ui/Dialogs.h"
#include "ui/FrmMain.h"
#include "ui/Messages.h"
#include "ui/ProgramData.h"

namespace zovek {

void FrmMain::OpenFile() {
  CommitAndFocusTabs();
  OpenChosenFile(Dialogs::askOpenFileName(this));
}

void FrmMain::OpenRequestedFile(const QString& path) {
  if (closedDown_) {
    return;  // the window closed while the request or the drop was queued
  }
  CommitAndFocusTabs();
  OpenChosenFile(path);
}

// The open command from the file name on: the dialog's answer or a requested
// file. An empty name (a cancelled dialog) changes nothing at all: the loaded
// save keeps the file it came from, so it can still be saved there.
void FrmMain::OpenChosenFile(const QString& path) {
  if (path.isEmpty()) {
    return;
  }
  const SessionOutcome outcome = session_.Open(ToFsPath(path));
  ShowOutcome(outcome);
  // A file is either loaded or refused, and a refusal leaves the session with none.
  if (outcome.status == SessionStatus::Done) {
    EnableLoadedCommands(true);
    if (!session_.Writable()) {
      mnuFileSave->setEnabled(false);
      Dialogs::message(this, QMessageBox::Information, messages::NoticeTitle(), messages::SignedForm(), QMessageBox::Ok,
                       QMessageBox::Ok);
    }
  } else {
    ResetWindow(0);
  }
}

void FrmMain::SwitchSave(int s) {
  if (!session_.WouldSwitchSave(s)) {
    return;
  }
  CommitAndFocusTabs();
  ShowOutcome(session_.SwitchSave(s));
}

void FrmMain::SaveFile() {
  for (int i = 0; i < static_cast<int>(txtParty.size()); ++i) {
    PartyBoxLeft(i);
  }
  CommitAndFocusTabs();

  const QMessageBox::StandardButton answer = Dialogs::message(
      this, QMessageBox::Question, messages::SaveConfirmTitle(), messages::SaveConfirm(session_.SaveConfirmNumber()),
      QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  if (answer != QMessageBox::Yes) {
    return;
  }
  // Each question leads to another try; no lock is held while a box is open,
  // so every try compares the file again.
  bool withBackup = true;
  SessionOutcome outcome;
  for (;;) {
    outcome = withBackup ? session_.Save() : session_.SaveWithoutBackup();
    if (outcome.status == SessionStatus::ChangedOnDisk) {
      const QString file = QDir::toNativeSeparators(FromFsPath(session_.ChosenPath()));
      const QMessageBox::StandardButton overwrite =
          Dialogs::message(this, QMessageBox::Warning, messages::OverwriteConfirmTitle(),
                           messages::OverwriteConfirm(session_.TargetSaveNumber(), file),
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
      if (overwrite != QMessageBox::Yes) {
        break;
      }
      session_.AcceptDiskChange();
      continue;
    }
    if (outcome.status == SessionStatus::BackupFailed && withBackup) {
      // The user may still want the save written, e.g. on a full data disk.
      const QString folder = QDir::toNativeSeparators(FromFsPath(outcome.backupDirectory));
      const QMessageBox::StandardButton withoutBackup = Dialogs::message(
          this, QMessageBox::Question, messages::BackupConfirmTitle(), messages::BackupConfirm(outcome.error, folder),
          QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
      if (withoutBackup == QMessageBox::Yes) {
        withBackup = false;
        continue;
      }
    }
    break;
  }
  ShowOutcome(outcome);
}

void FrmMain::ShowOutcome(const SessionOutcome& outcome) {
  ApplyMenus();
  switch (outcome.status) {
    case SessionStatus::Done:
    case SessionStatus::Unchanged:
      break;
    case SessionStatus::Unsupported:
      ShowError(messages::Unsupported());
      break;
    case SessionStatus::NoGameSave:
      ShowError(messages::NoGameSave());
      break;
    case SessionStatus::ReadError:
      ShowError(messages::ReadError(outcome.error));
      break;
    case SessionStatus::BackupFailed:   // SaveFile has asked already; the answer was No
    case SessionStatus::ChangedOnDisk:  // the same
      break;
    case SessionStatus::WriteError:
    case SessionStatus::FileReplaced:
      ShowError(messages::WriteError(outcome.error));
      break;
    case SessionStatus::SaveDamaged:
      ShowError(messages::WriteDamaged(outcome.error, QDir::toNativeSeparators(FromFsPath(outcome.backupFile))));
      break;
  }
}

}  // namespace zovek
