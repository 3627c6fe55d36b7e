#pragma once
// The file side of opening, switching and writing a save. The edit session
// keeps the state (FileKind, SlotTable, SelectedSave, paths) and calls these in
// the order its commands require; each returns 0 or an error number.

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "savefile/SaveBuffer.h"
#include "savefile/SaveFileReport.h"
#include "savefile/SaveSlots.h"

namespace zovek {

enum class OpenStatus {
  Loaded,       // buffer holds the selected save's data region
  Unsupported,  // length is neither a card image nor a single save; nothing read
  NoGameSave,   // no frame carries the game's code and a valid save number
  ReadError,    // a file operation failed; `error` holds its number
};

struct OpenOutcome {
  OpenStatus status = OpenStatus::ReadError;
  int error = 0;
  const Container* container = nullptr;  // the file's container, once it is known
  // The container's guarded header as read at open, for the write guard.
  std::vector<std::uint8_t> containerHeader;
  ScanResult scan;  // valid for Loaded and NoGameSave
  // Loaded: the data region of every save the scan found, by save number, as
  // the file held it; `buffer` holds the selected one's.
  std::map<int, SaveBuffer> regions;

  FileKind kind() const { return container == nullptr ? kNoFile : container->kind; }
};

// Reads the chosen file (ReadSaveFile, `selectedSave` the SelectedSave before
// the scan) and opens what was read, as OpenReadFile.
OpenOutcome OpenSaveFile(const std::filesystem::path& chosen, const std::filesystem::path& workingCopy,
                         std::int16_t selectedSave, SaveBuffer& buffer);

// Opens a file as ReadSaveFile read it: a card image's working copy is made of
// the bytes read (ReplaceWithNewFile; none for an empty `workingCopy`; the
// working copy itself, when chosen, is kept), the selected save goes to `buffer`.
OpenOutcome OpenReadFile(const SaveFileContents& read, const std::filesystem::path& workingCopy,
                         SaveBuffer& buffer);

// Reads or writes the 7808-byte region at `offset` of `path`.
int ReadDataRegion(const std::filesystem::path& path, std::uint64_t offset, SaveBuffer& buffer);
int WriteDataRegion(const std::filesystem::path& path, std::uint64_t offset, const SaveBuffer& buffer);

// What the save command writes to: the chosen file, its kind, and the save it
// holds (save number and, for a card image, the block number).
struct SaveTarget {
  std::filesystem::path path;
  FileKind kind = kNoFile;
  std::int16_t saveNumber = 0;
  std::int16_t block = 0;
  // Where the file is backed up before it is written; empty: no backup.
  std::filesystem::path backupDirectory{};
  // The file's container (null: the one of `kind` without a header), and its
  // guarded header as read at open: a file whose header changed is refused.
  const Container* container = nullptr;
  std::vector<std::uint8_t> containerHeader{};
  // The save's region as the writer last saw it in the file; when the file
  // holds anything else there, another program has changed the save since,
  // and nothing is written. Null: not compared.
  const SaveBuffer* expectedRegion = nullptr;
};

// Writes the buffer's region into the chosen file in place: a card image's
// read-only flag is cleared just before the write; a read-only or missing
// single-save file is refused. No byte outside the region changes.
// Before writing it re-reads the file: when it no longer has its container's length,
// or its frame (for a card image, frame `block`) no longer carries the game code
// with `saveNumber`, or its header differs from `containerHeader`, nothing is
// written and kErrFileChanged is returned. With an expectedRegion, the save's
// region is read and compared with it (see SaveWriteResult). Then,
// with a backupDirectory, the file is backed up there (BackUpFile); a backup
// that fails stops the save with its error number and nothing is written.
// path, kind and saveNumber must be filled, and block for a card image (a
// saveNumber or block of 0 gives EINVAL).
int WriteSaveToFile(const SaveTarget& target, const SaveBuffer& buffer);

// The same write, telling a failed backup apart from the other failures.
struct SaveWriteResult {
  int error = 0;              // 0: written
  bool backupFailed = false;  // the backup failed with `error`; the file is untouched
  // The save's region differs from expectedRegion (error kErrFileChanged);
  // onDisk holds what the file holds there. Nothing was backed up or written.
  bool regionChanged = false;
  SaveBuffer onDisk{};
};
SaveWriteResult WriteSave(const SaveTarget& target, const SaveBuffer& buffer);

// Close-down: removes the working copy's name if something stands there (a
// link goes, never what it leads to); a folder there is EISDIR and stays.
int DeleteWorkingCopy(const std::filesystem::path& workingCopy);

}  // namespace zovek
