#pragma once
// The file side of opening a save (the save's write is SaveWrite.h; a save
// switch and the close-down use the working copy through FileSystem.h). The edit session keeps the state (FileKind, SlotTable,
// SelectedSave, paths) and calls these in the order its commands require; each
// returns 0 or an error number.

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

}  // namespace zovek
