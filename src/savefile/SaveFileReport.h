#pragma once
// What a save file holds, read without changing it (no working copy, no
// backup): its kind, the game's saves found by the same directory scan the
// editor runs, and for each save whether its checksum byte matches its data.
// The texts are the command-line companion's, in English.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "savefile/Containers.h"
#include "savefile/OpenedFile.h"
#include "savefile/SaveBuffer.h"
#include "savefile/SaveSlots.h"

namespace zovek {

enum class FileProblem {
  None,
  CannotRead,   // the operating system refused (error holds its number), or the file ended early
  Unsupported,  // no container's length (and signature)
  NoGameSave,   // the right length, but no frame carries the game's code and a valid save number
};

struct SaveEntry {
  int saveNumber = 0;             // 1..15, the game's own number
  int block = 0;                  // 1..15 in a card image; 0 in a single-save file
  std::uint64_t regionOffset = 0; // file position of the 7808-byte data region
  std::uint8_t storedChecksum = 0;
  std::uint8_t computedChecksum = 0;
  bool ChecksumMatches() const { return storedChecksum == computedChecksum; }
};

struct FileReport {
  std::filesystem::path path;
  FileProblem problem = FileProblem::None;
  int error = 0;                  // for CannotRead
  std::uint64_t length = 0;       // valid from Unsupported on
  const Container* container = nullptr;  // from NoGameSave on
  std::vector<SaveEntry> saves;   // ascending save numbers
  int selectedSave = 0;           // the save the editor shows first: the lowest number

  bool ok() const { return problem == FileProblem::None; }
  FileKind kind() const { return container == nullptr ? kNoFile : container->kind; }
  const SaveEntry* Save(int saveNumber) const;
};

// The whole file, read once, for the report and for the editor's open alike.
struct SaveFileContents {
  FileReport report;
  ScanResult scan;                  // from NoGameSave on
  std::vector<std::uint8_t> bytes;  // the whole file, from NoGameSave on

  SaveBuffer Region(const SaveEntry& save) const;
};

// `selectedSave` is the editor's SelectedSave before the scan (ScanCardDirectory).
SaveFileContents ReadSaveFile(const std::filesystem::path& path, std::int16_t selectedSave = 0);
// The same read through a file the caller holds open (and locked).
SaveFileContents ReadSaveFile(const OpenedFile& file, std::int16_t selectedSave = 0);

// The report alone; the file's bytes are dropped.
inline FileReport InspectFile(const std::filesystem::path& path) { return ReadSaveFile(path).report; }

// Why a file was refused, in one line without the path
// ("not a supported file: 1000 bytes, ...").
std::string ProblemText(const FileReport& report);

// The operating system's text for an error number, or ours for our own numbers.
std::string ErrorText(int error);

// A byte as "0x12".
std::string HexByte(int byte);

// "checksum 0x12 matches" / "checksum 0x12 does not match (data sums to 0x13)".
std::string ChecksumText(const SaveEntry& save);

// "save 3 (block 8)"; a single-save file has no block.
std::string SaveName(const SaveEntry& save);

// The path as UTF-8 text, for messages and output: a byte of the name that is
// not part of valid UTF-8 is written as \xHH.
std::string PathText(const std::filesystem::path& path);

}  // namespace zovek
