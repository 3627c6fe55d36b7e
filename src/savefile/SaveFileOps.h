#pragma once
// The file side of opening, switching and writing a save. The edit session
// keeps the state (FileKind, SlotTable, SelectedSave, paths) and calls these in
// the order its commands require; each returns 0 or an error number.

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "savefile/SaveBuffer.h"
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
  FileKind kind = kNoFile;
  std::uint64_t cardStart = 0;  // where the card starts: 0, or after a .gme header
  // The .gme header as read at open, for the write guard; empty otherwise.
  std::vector<std::uint8_t> containerHeader;
  ScanResult scan;  // valid for Loaded and NoGameSave
  // Loaded: the data region of every save the scan found, by save number, as
  // the file held it; `buffer` holds the selected one's.
  std::map<int, SaveBuffer> regions;
};

// Classifies the chosen file, makes the working copy of a card image (a new
// file, see CopyReplacing; a chosen file that is the working copy itself is
// kept and read as it is), scans for the game's saves and reads the selected
// save's region into `buffer`.
// `selectedSave` is the SelectedSave before the scan. An empty `workingCopy`
// reads the card from the chosen file itself (no copy is made).
OpenOutcome OpenSaveFile(const std::filesystem::path& chosen, const std::filesystem::path& workingCopy,
                         std::int16_t selectedSave, SaveBuffer& buffer);

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
  // A card in the .gme container: where the card starts, and the container's
  // header as it was read at open (the guard refuses a file whose header
  // changed). 0 and empty for a bare card image or a single save.
  std::uint64_t cardStart = 0;
  std::vector<std::uint8_t> containerHeader{};
  // The save's region as the writer last saw it in the file; when the file
  // holds anything else there, another program has changed the save since,
  // and nothing is written. Null: not compared.
  const SaveBuffer* expectedRegion = nullptr;
};

// Writes the buffer's region into the chosen file in place: a card image's
// read-only flag is cleared just before the write; a read-only or missing
// single-save file is refused. No byte outside the region changes.
// Before writing it re-reads the file: when it no longer has its kind's length,
// or its frame (for a card image, frame `block`) no longer carries the game code
// with `saveNumber`, or a .gme header differs from `containerHeader`, nothing is
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
