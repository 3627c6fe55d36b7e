#pragma once
// EditSession: one run of the editor on the user's files. It owns THE
// SaveBuffer of the loaded save and the state around it, the files the user
// opened and the working copies made, and runs the commands on them against
// the window (EditorView): each command moves values between the buffer and
// the window through the walks, does its file work, and says what happened as
// an outcome for the window to show. Nothing here asks the user anything.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "savedata/EditorView.h"
#include "savedata/FieldEngine.h"
#include "savefile/SaveBuffer.h"
#include "savefile/OpenedFile.h"
#include "savefile/SaveFileOps.h"
#include "savefile/SaveSlots.h"
#include "session/UserDataDirectory.h"

namespace zovek {

struct SessionState {
  std::int16_t SelectedSave = 0;          // save number 1..15, 0 = none
  std::int16_t CharacterBase = 0;         // kRecordSize x the character shown
  std::int16_t CopySource = -1;           // CharacterBase of the copied character, -1 = none
  std::int16_t CurrentScenarioEntry = 0;  // the scenario entry shown
  std::int16_t SelectedCategory = 0;      // the technique category shown
  zovek::FileKind FileKind = kNoFile;
  std::filesystem::path ChosenPath;       // the file opened, and the file saving writes to
  std::filesystem::path WorkingCopyPath;  // copy of an opened card image, deleted at close-down
  zovek::SlotTable SlotTable;
  // The opened file's container, and its header as read at open: what the
  // save's write guard compares. Null and empty when no file is loaded.
  const zovek::Container* Container = nullptr;
  std::vector<std::uint8_t> ContainerHeader;
};

enum class SessionStatus {
  Done,          // the command ran
  Unchanged,     // nothing to do: nothing was read, stored or written
  Unsupported,   // open: the file's length is neither kind's
  NoGameSave,    // open: no save of the game in the file
  ReadError,     // `error`: the number of the failed read
  WriteError,    // `error`: a value that does not fit, or the failed write
  BackupFailed,  // save: the backup before the write failed with `error`; nothing written
  // save: another program changed the save in the file since this session read
  // or wrote it; nothing written. AcceptDiskChange, then saving again, writes.
  ChangedOnDisk,
  // save: just before the write another file (a link, a FIFO, another card)
  // stood at the file's name; nothing written (`error` kErrFileChanged).
  FileReplaced,
  // save: the write failed part way with `error` and could not be undone; the
  // save in the file may be damaged (backupFile: the backup made before).
  SaveDamaged,
};

// What a command did. The menus' states after it are the session's getters.
struct SessionOutcome {
  SessionStatus status = SessionStatus::Done;
  int error = 0;
  std::filesystem::path backupDirectory;  // BackupFailed: where the backup was to go
  std::filesystem::path backupFile;       // save: the backup made before the write, empty when none
};

class EditSession {
 public:
  EditSession(EditorView& view, UserDataDirectory data);

  const SessionState& State() const { return state_; }
  const SaveBuffer& Buffer() const { return buffer_; }
  const SaveMenuState& SaveMenu() const { return saveMenu_; }  // "No. 1".."No. 15"
  bool PasteEnabled() const { return pasteEnabled_; }           // the Edit items
  bool UndoEnabled() const { return undoEnabled_; }
  const std::filesystem::path& ChosenPath() const { return state_.ChosenPath; }
  // What the window shows: the character, technique category and scenario entry.
  int ShownCharacter() const;
  int ShownCategory() const { return state_.SelectedCategory; }
  int ShownScenarioEntry() const { return state_.CurrentScenarioEntry; }
  const UserDataDirectory& Data() const { return data_; }

  // Back to no file loaded. The save items keep their enabled states; only
  // "No. 1" keeps its mark. Opened files and working copies are remembered.
  void Reset();

  // Everything after the file was chosen. A refused file (Unsupported,
  // NoGameSave, ReadError) leaves the session reset; after NoGameSave the save
  // items keep the enabled states the scan set.
  SessionOutcome Open(const std::filesystem::path& chosen);

  // The command line's open of what ReadSaveFile read: no working copy is made,
  // and save `saveNumber` is loaded straight from it, showing what the window
  // shows after opening the file and choosing that save (0: the save the window
  // shows first). A save the file lacks refuses the file as NoGameSave.
  // Without a working copy there is no save switch (WouldSwitchSave is false).
  SessionOutcome OpenWithoutCopy(const SaveFileContents& read, int saveNumber);

  // Whether SwitchSave(s) would do anything: a card image is loaded, and s is
  // another of its saves.
  bool WouldSwitchSave(int s) const;
  // Stores the save shown into the working copy and loads save s from it. A
  // failure leaves the save left loaded, with its mark.
  SessionOutcome SwitchSave(int s);

  // Whether the loaded file may be written: not when its form is signed with
  // a key only its maker has (it is read, shown and compared only).
  bool Writable() const { return state_.Container != nullptr && !state_.Container->signedForm; }

  // The save number the save command's confirmation names: the last marked item.
  int SaveConfirmNumber() const;
  // Stores the window, computes the checksum and writes the region into the
  // opened file behind its write guard, after a backup.
  SessionOutcome Save();
  // The same without the backup, for when the user accepts that.
  SessionOutcome SaveWithoutBackup();
  // The save a save writes: its number in the file.
  int TargetSaveNumber() const;
  // After ChangedOnDisk: the save's region as the file held it then becomes
  // the one the next save compares with, so that saving again overwrites that
  // version (and asks again only if the file changes once more).
  void AcceptDiskChange();
  // The command line holds the file open and locked for its whole run; a save
  // then writes through it instead of opening and locking the file itself.
  void SetOpenedFile(OpenedFile* file) { openedFile_ = file; }
  // What a save does before its write: stores the window into the buffer and
  // computes the checksum. Buffer() then holds the region a save writes.
  SessionOutcome StoreForSave();

  // Whether SwitchCharacter would do anything: a file is loaded.
  bool WouldSwitchCharacter() const { return state_.FileKind != kNoFile; }
  // Stores the character shown, then shows character `index`. A failed store
  // keeps the character shown (ShownCharacter).
  SessionOutcome SwitchCharacter(int index);
  // Stores the scenario entry shown, then shows `entry`; a failed store keeps it.
  SessionOutcome SwitchScenarioEntry(int entry);
  // Stores the category shown, lets the window list the rows of `category`
  // (showRows), then shows its marks.
  SessionOutcome SwitchCategory(int category, const std::function<void(int category)>& showRows);

  // Copy stores the character shown and remembers its record; paste shows that
  // record as the current character's; undo shows the current record again.
  SessionOutcome CopyCharacter();
  bool WouldPaste() const { return state_.CopySource != -1; }  // a character was copied
  SessionOutcome PasteCharacter();
  SessionOutcome UndoCharacter();
  // Preset 0..2 (recommended, strongest, weakest) into the character view's
  // cells and aptitude boxes; it waits there for the next store, like an edit.
  void ApplyPreset(int preset);

  // Deletes every working copy of the session, and one an earlier run left
  // behind, but never a file the user opened. Failures are ignored.
  void CloseDown();

 private:
  FieldContext Context() { return FieldContext{buffer_, view_, state_.CharacterBase}; }
  void RunWalks(WalkMode mode);  // the four walks in their fixed order
  std::filesystem::path WorkingCopyFor(const std::filesystem::path& chosen);
  SessionOutcome Refused(SessionStatus status, int error);
  // Open's handling of what OpenSaveFile found: a refusal, or none after the
  // state of the loaded file is taken (the walks are left to the caller).
  std::optional<SessionOutcome> TakeOpened(const OpenOutcome& opened);
  SessionOutcome WriteSaveFile(bool withBackup);
  void MarkOnly(int s);

  EditorView& view_;
  UserDataDirectory data_;
  SessionState state_;
  SaveBuffer buffer_{};
  SaveMenuState saveMenu_;
  bool pasteEnabled_ = false;
  bool undoEnabled_ = false;
  // Every file the user opened (resolved), and every working copy used: a
  // file the user opened is never overwritten or deleted as a working copy.
  std::set<std::filesystem::path> openedFiles_;
  std::vector<std::filesystem::path> workingCopies_;
  // Every save's region as the opened file held it at open, or as this
  // session last wrote it there: what the write guard compares with.
  std::map<int, SaveBuffer> onDisk_;
  // The region found by the last ChangedOnDisk, with its save number.
  std::optional<std::pair<int, SaveBuffer>> changedOnDisk_;
  OpenedFile* openedFile_ = nullptr;
};

}  // namespace zovek
