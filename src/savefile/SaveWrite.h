#pragma once
// The save command's write: one data region into the chosen file, in place,
// behind the checks that keep another program's save from being overwritten,
// after a backup, and never leaving the save torn without saying so.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "savefile/Containers.h"
#include "savefile/OpenedFile.h"
#include "savefile/SaveBuffer.h"
#include "savefile/SaveSlots.h"

namespace zovek {

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

struct SaveWriteResult {
  int error = 0;              // 0: written
  bool backupFailed = false;  // the backup failed with `error`; the file is untouched
  // The save's region differs from expectedRegion (error kErrFileChanged);
  // onDisk holds what the file holds there. Nothing was backed up or written.
  bool regionChanged = false;
  SaveBuffer onDisk{};
  // Just before the write the name led to another file, or to none (error
  // kErrFileChanged): nothing was written, through the name or otherwise.
  bool replaced = false;
  // The write failed part way with `error` and the region could not be put
  // back as it was: the save may be damaged. Otherwise a failed write leaves
  // every byte of the file as it was.
  bool damaged = false;
  std::filesystem::path backup;  // the backup made before the write; empty: none
};

// Writes the buffer's region into the chosen file in place; no byte outside the
// region changes. `opened`: the file as the caller opened and locked it (the
// command line holds it for its whole run); null: opened and locked here.
// Under the lock, through that one open file: the file is read and must still
// be the one opened (its container's length and header, the game's save
// `saveNumber` in its frame, for a card image frame `block`) and hold
// expectedRegion where the save is, else kErrFileChanged and nothing written;
// it is backed up (a backup that fails stops the save: backupFailed); a
// read-only card is made writable (a read-only single save is refused with
// EACCES); room for the region is reserved; the file is read and compared once
// more, right before the region is written and flushed, and the name must
// still lead to the open file. path, kind and saveNumber must be filled, and
// block for a card image (a saveNumber or block of 0 gives EINVAL).
SaveWriteResult WriteSave(const SaveTarget& target, const SaveBuffer& buffer, OpenedFile* opened = nullptr);

// WriteSave's error number alone.
int WriteSaveToFile(const SaveTarget& target, const SaveBuffer& buffer);

}  // namespace zovek
