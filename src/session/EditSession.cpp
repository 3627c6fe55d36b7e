#include "session/EditSession.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "savedata/SaveLayout.h"
#include "savedata/Walks.h"
#include "savefile/Checksum.h"
#include "savefile/FileSystem.h"
#include "savefile/SaveFileOps.h"
#include "savefile/SaveWrite.h"

namespace zovek {

namespace fs = std::filesystem;

namespace {

// The full path of the file a path names, links and ".." resolved, so that two
// names of one file compare equal (the path as it is when it can't be resolved).
fs::path Resolved(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(path, error);
  return error ? path : resolved;
}

SessionOutcome Outcome(SessionStatus status = SessionStatus::Done, int error = 0) {
  SessionOutcome outcome;
  outcome.status = status;
  outcome.error = error;
  return outcome;
}

// The highest save number for which `has` holds; 0 when none does.
template <typename Has>
int LastSave(Has has) {
  for (int s = kSaveNumbers; s >= 1; --s) {
    if (has(s)) {
      return s;
    }
  }
  return 0;
}

}  // namespace

EditSession::EditSession(EditorView& view, UserDataDirectory data) : view_(view), data_(std::move(data)) {
  saveMenu_.checked[0] = true;
  Reset();
}

void EditSession::Reset() {
  state_.SelectedSave = 0;
  state_.CharacterBase = 0;
  state_.CurrentScenarioEntry = 0;
  state_.SelectedCategory = 0;
  state_.FileKind = kNoFile;
  state_.Container = nullptr;
  state_.ContainerHeader.clear();
  state_.CopySource = -1;
  onDisk_.clear();
  changedOnDisk_.reset();
  // The close-down then also removes a copy an earlier run left behind. The
  // directory itself is made only when a copy or backup goes into it.
  state_.WorkingCopyPath = data_.WorkingCopy();
  pasteEnabled_ = false;
  undoEnabled_ = false;
  MarkOnly(1);
}

void EditSession::RunWalks(WalkMode mode) {
  FieldContext context = Context();
  CharacterFieldWalk(context, mode);
  TechniqueWalk(buffer_, view_, state_.SelectedCategory, mode);
  ScenarioEntryWalk(context, state_.CurrentScenarioEntry, mode);
  GeneralFieldWalk(context, mode);
}

void EditSession::MarkOnly(int s) {
  for (int k = 1; k <= kSaveNumbers; ++k) {
    saveMenu_.checked[static_cast<std::size_t>(k - 1)] = k == s;
  }
}

SessionOutcome EditSession::Open(const fs::path& chosen) {
  if (chosen.empty()) {
    return Outcome(SessionStatus::Unchanged);
  }
  state_.ChosenPath = chosen;
  state_.WorkingCopyPath = WorkingCopyFor(chosen);

  if (const auto refused = TakeOpened(
          OpenSaveFile(state_.ChosenPath, state_.WorkingCopyPath, state_.SelectedSave, buffer_))) {
    return *refused;
  }
  RunWalks(kLoad);
  return Outcome();
}

std::optional<SessionOutcome> EditSession::TakeOpened(const OpenOutcome& opened) {
  switch (opened.status) {
    case OpenStatus::Unsupported:
      return Refused(SessionStatus::Unsupported, 0);
    case OpenStatus::NoGameSave:
      // The scan has taken every save item's mark and enabled state; the marks
      // go with the reset, the enabled states stay.
      saveMenu_ = opened.scan.menu;
      return Refused(SessionStatus::NoGameSave, 0);
    case OpenStatus::ReadError:
      // A save must never write a buffer that was not read whole from the file
      // now named as the one opened.
      return Refused(SessionStatus::ReadError, opened.error);
    case OpenStatus::Loaded:
      break;
  }
  state_.FileKind = opened.kind();
  state_.Container = opened.container;
  state_.ContainerHeader = opened.containerHeader;
  state_.SlotTable = opened.scan.slots;
  state_.SelectedSave = opened.scan.selectedSave;
  saveMenu_ = opened.scan.menu;
  onDisk_ = opened.regions;
  changedOnDisk_.reset();
  return std::nullopt;
}

SessionOutcome EditSession::OpenWithoutCopy(const SaveFileContents& read, int saveNumber) {
  if (read.report.path.empty()) {
    return Outcome(SessionStatus::Unchanged);
  }
  state_.ChosenPath = read.report.path;
  state_.WorkingCopyPath.clear();
  if (const auto refused = TakeOpened(OpenReadFile(read, {}, buffer_))) {
    return *refused;
  }
  if (saveNumber != 0 && (saveNumber < 1 || saveNumber > kSaveNumbers || state_.SlotTable[saveNumber] == 0)) {
    return Refused(SessionStatus::NoGameSave, 0);
  }
  if (state_.FileKind == kCardImage && saveNumber != 0 && saveNumber != state_.SelectedSave) {
    // The window would store the save shown into its working copy before the
    // switch; that never reaches the chosen file, so it is left out here.
    // Read at open with every other save, from the file itself.
    const auto next = static_cast<std::int16_t>(saveNumber);
    buffer_ = onDisk_.at(saveNumber);
    state_.SelectedSave = next;
    MarkOnly(saveNumber);
  }
  state_.WorkingCopyPath.clear();  // a refusal's reset names one; this session never makes it
  RunWalks(kLoad);
  return Outcome();
}

SessionOutcome EditSession::Refused(SessionStatus status, int error) {
  Reset();
  return Outcome(status, error);
}

// The user may open a working copy itself, directly or through a link. That
// file is then theirs: a save switch must not write into it, nor another open
// copy over it, nor the close-down delete it. So the working copy is the first
// of "zovek.tmp", "zovek-2.tmp", ... that the user has not opened.
fs::path EditSession::WorkingCopyFor(const fs::path& chosen) {
  data_.Make();
  openedFiles_.insert(Resolved(chosen));
  for (int number = 1;; ++number) {
    fs::path candidate = data_.WorkingCopy(number);
    if (!openedFiles_.contains(Resolved(candidate))) {
      if (std::find(workingCopies_.begin(), workingCopies_.end(), candidate) == workingCopies_.end()) {
        workingCopies_.push_back(candidate);
      }
      return candidate;
    }
  }
}

int EditSession::ShownCharacter() const { return state_.CharacterBase / kRecordSize; }

bool EditSession::WouldSwitchSave(int s) const {
  return state_.FileKind == kCardImage && !state_.WorkingCopyPath.empty() && s >= 1 && s <= kSaveNumbers &&
         s != state_.SelectedSave && state_.SlotTable[s] != 0;
}

SessionOutcome EditSession::SwitchSave(int s) {
  if (!WouldSwitchSave(s)) {
    return Outcome(SessionStatus::Unchanged);
  }
  // The copied record belongs to the save being left.
  state_.CopySource = -1;
  pasteEnabled_ = false;
  undoEnabled_ = false;

  const std::int16_t left = state_.SelectedSave;
  MarkOnly(s);

  // A failure leaves the save being left loaded, with its mark.
  try {
    RunWalks(kStore);
  } catch (const StoreError& error) {
    MarkOnly(left);
    return Outcome(SessionStatus::WriteError, error.number());
  }
  const auto regionOf = [this](std::int16_t save) {
    return DataRegionOffset(kCardImage, state_.SlotTable, save, state_.Container->start);
  };
  if (const int error = WriteBytesInPlace(state_.WorkingCopyPath, regionOf(left), buffer_); error != 0) {
    MarkOnly(left);
    return Outcome(SessionStatus::WriteError, error);
  }
  // The read is staged: when it fails, the buffer still holds the save left.
  const auto next = static_cast<std::int16_t>(s);
  SaveBuffer staged{};
  if (const int error = ReadBytesAt(state_.WorkingCopyPath, regionOf(next), staged); error != 0) {
    MarkOnly(left);
    return Outcome(SessionStatus::ReadError, error);
  }
  buffer_ = staged;
  state_.SelectedSave = next;
  RunWalks(kLoad);
  return Outcome();
}

int EditSession::SaveConfirmNumber() const {
  return LastSave([this](int s) { return saveMenu_.checked[static_cast<std::size_t>(s - 1)]; });
}

SessionOutcome EditSession::Save() { return WriteSaveFile(true); }
SessionOutcome EditSession::SaveWithoutBackup() { return WriteSaveFile(false); }

SessionOutcome EditSession::StoreForSave() {
  try {
    RunWalks(kStore);
  } catch (const StoreError& error) {
    return Outcome(SessionStatus::WriteError, error.number());
  }
  ComputeChecksum(buffer_);
  return Outcome();
}

int EditSession::TargetSaveNumber() const {
  if (state_.FileKind == kCardImage) {
    return state_.SelectedSave;
  }
  // A single save keeps SelectedSave as it was; its own number is in the table.
  return LastSave([this](int s) { return state_.SlotTable[s] != 0; });
}

void EditSession::AcceptDiskChange() {
  if (changedOnDisk_) {
    onDisk_[changedOnDisk_->first] = changedOnDisk_->second;
    changedOnDisk_.reset();
  }
}

SessionOutcome EditSession::WriteSaveFile(bool withBackup) {
  if (const SessionOutcome stored = StoreForSave(); stored.status != SessionStatus::Done) {
    return stored;
  }

  SaveTarget target;
  target.path = state_.ChosenPath;
  if (withBackup) {
    target.backupDirectory = data_.Backups();
  }
  target.kind = state_.FileKind;
  target.saveNumber = static_cast<std::int16_t>(TargetSaveNumber());
  target.container = state_.Container;
  target.containerHeader = state_.ContainerHeader;
  if (state_.FileKind == kCardImage) {
    target.block = state_.SelectedSave >= 1 ? state_.SlotTable[state_.SelectedSave] : 0;
  }
  const auto seen = onDisk_.find(target.saveNumber);
  target.expectedRegion = seen == onDisk_.end() ? nullptr : &seen->second;

  // The backup's folder is made in the data directory, which is made (or
  // tightened) as at an open.
  if (withBackup) {
    data_.Make();
  }
  // The comparisons, the backup and the write happen under the file's lock,
  // so that no other of our programs writes in between.
  const SaveWriteResult written = WriteSave(target, buffer_, openedFile_);
  SessionOutcome outcome = Outcome(SessionStatus::WriteError, written.error);
  outcome.backupFile = written.backup;
  if (written.error == 0) {
    onDisk_[target.saveNumber] = buffer_;
    changedOnDisk_.reset();
    outcome.status = SessionStatus::Done;
  } else if (written.regionChanged) {
    changedOnDisk_.emplace(target.saveNumber, written.onDisk);
    outcome.status = SessionStatus::ChangedOnDisk;
  } else if (written.backupFailed) {
    outcome.status = SessionStatus::BackupFailed;
    outcome.backupDirectory = target.backupDirectory;
  } else if (written.replaced) {
    outcome.status = SessionStatus::FileReplaced;
  } else if (written.damaged) {
    outcome.status = SessionStatus::SaveDamaged;
  }
  return outcome;
}

SessionOutcome EditSession::SwitchCharacter(int index) {
  if (!WouldSwitchCharacter()) {
    return Outcome(SessionStatus::Unchanged);
  }
  try {
    FieldContext leaving = Context();
    CharacterFieldWalk(leaving, kStore);
  } catch (const StoreError& error) {
    return Outcome(SessionStatus::WriteError, error.number());
  }
  state_.CharacterBase = static_cast<std::int16_t>(kRecordSize * index);
  FieldContext shown = Context();
  CharacterFieldWalk(shown, kLoad);
  undoEnabled_ = false;
  return Outcome();
}

SessionOutcome EditSession::SwitchScenarioEntry(int entry) {
  if (state_.FileKind != kNoFile) {
    FieldContext context = Context();
    try {
      ScenarioEntryWalk(context, state_.CurrentScenarioEntry, kStore);
    } catch (const StoreError& error) {
      return Outcome(SessionStatus::WriteError, error.number());
    }
  }
  state_.CurrentScenarioEntry = static_cast<std::int16_t>(entry);
  if (state_.FileKind != kNoFile) {
    FieldContext context = Context();
    ScenarioEntryWalk(context, state_.CurrentScenarioEntry, kLoad);
  }
  return Outcome();
}

SessionOutcome EditSession::SwitchCategory(int category, const std::function<void(int category)>& showRows) {
  if (state_.FileKind != kNoFile) {
    TechniqueWalk(buffer_, view_, state_.SelectedCategory, kStore);
  }
  state_.SelectedCategory = static_cast<std::int16_t>(category);
  if (showRows) {
    showRows(state_.SelectedCategory);
  }
  if (state_.FileKind != kNoFile) {
    TechniqueWalk(buffer_, view_, state_.SelectedCategory, kLoad);
  }
  return Outcome();
}

// The copy names a record in the buffer; storing the view first puts every
// edit of the copied character into that record.
SessionOutcome EditSession::CopyCharacter() {
  try {
    FieldContext current = Context();
    CharacterFieldWalk(current, kStore);
  } catch (const StoreError& error) {
    return Outcome(SessionStatus::WriteError, error.number());
  }
  state_.CopySource = state_.CharacterBase;
  undoEnabled_ = false;
  pasteEnabled_ = true;
  return Outcome();
}

// The copied record, as the buffer holds it now, is shown as the current
// character's; it becomes that character's data at the next store.
SessionOutcome EditSession::PasteCharacter() {
  if (!WouldPaste()) {
    return Outcome(SessionStatus::Unchanged);
  }
  // The walk reads the copied record in place of the current one for this one
  // load; CharacterBase itself keeps naming the current character.
  FieldContext copied{buffer_, view_, state_.CopySource};
  CharacterFieldWalk(copied, kLoad);
  undoEnabled_ = true;
  return Outcome();
}

// Back to the current character's record as the buffer holds it: the paste and
// every other change since the last store go.
SessionOutcome EditSession::UndoCharacter() {
  FieldContext current = Context();
  CharacterFieldWalk(current, kLoad);
  undoEnabled_ = false;
  return Outcome();
}

void EditSession::CloseDown() {
  if (!state_.WorkingCopyPath.empty() &&
      std::find(workingCopies_.begin(), workingCopies_.end(), state_.WorkingCopyPath) == workingCopies_.end()) {
    workingCopies_.push_back(state_.WorkingCopyPath);
  }
  for (const fs::path& copy : workingCopies_) {
    if (!openedFiles_.contains(Resolved(copy))) {
      (void)RemoveNameIfAny(copy);  // only the name goes: a link, never what it leads to
    }
  }
}

}  // namespace zovek
