#pragma once
// The directory scan that finds the game's saves, and where the selected
// save's data region lies in the file. Containers.h tells the files apart.

#include <array>
#include <cstdint>
#include <span>

#include "savefile/SaveBuffer.h"

namespace zovek {

// 0 = no file loaded, 1 = memory-card image, 2 = single-save file.
using FileKind = std::int16_t;
inline constexpr FileKind kNoFile = 0;
inline constexpr FileKind kCardImage = 1;
inline constexpr FileKind kSingleSave = 2;

// Where each save number 1..15 lies: for a card image the frame/block number
// 1..15, for a single-save file 1 at its own save number; 0 = absent.
struct SlotTable {
  std::array<std::int16_t, kSaveNumbers> entries{};
  std::int16_t& operator[](int saveNumber) { return entries.at(static_cast<std::size_t>(saveNumber - 1)); }
  std::int16_t operator[](int saveNumber) const { return entries.at(static_cast<std::size_t>(saveNumber - 1)); }
  bool operator==(const SlotTable&) const = default;
};

// Check marks and enabled states of the items "No. 1".."No. 15" after a scan
// (index s-1 for save number s), for the window to apply.
struct SaveMenuState {
  std::array<bool, kSaveNumbers> enabled{};
  std::array<bool, kSaveNumbers> checked{};
  bool operator==(const SaveMenuState&) const = default;
};

struct ScanResult {
  bool found = false;
  SlotTable slots;
  std::int16_t selectedSave = 0;  // the SelectedSave to keep after the scan
  SaveMenuState menu;
};

// Decodes the save-number digit of a frame (byte 29): c-47 up to 0x40, c-54
// above. The result counts as a save number only when it lies in 1..15.
int DecodeSaveDigit(std::uint8_t c);

// True when frame bytes 23..27 are "ZOVEK". The span is one 128-byte frame
// (at least its first 30 bytes).
bool FrameCarriesGameCode(std::span<const std::uint8_t> frame);

// The save number 1..15 a frame carries, or 0 when it is not a save of the game.
int FrameSaveNumber(std::span<const std::uint8_t> frame);

// A save's 20-byte name, as frame bytes 10..29 hold it and single saves in
// other forms keep it: its bytes 13..17 are the game code, 19 the digit.
inline constexpr std::size_t kSaveNameInFrame = 10;
inline constexpr std::size_t kSaveNameBytes = 20;
// The save number 1..15 a save name carries, or 0 (a shorter name: 0).
int SaveNameNumber(std::span<const std::uint8_t> name);

inline constexpr std::size_t kCardDirectoryBytes = 1952;   // reaches byte 29 of frame 15
inline constexpr std::size_t kSingleHeaderBytes = 32;

// Scans frames 1..15 of a card image's first 1952 bytes. Frame 0 is never
// looked at; a later frame with the same save number wins.
ScanResult ScanCardDirectory(std::span<const std::uint8_t> directory, std::int16_t selectedSave);

// Tests the first 32 bytes of a single-save file. SelectedSave is kept as it is.
ScanResult ScanSingleHeader(std::span<const std::uint8_t> header, std::int16_t selectedSave);

// 0-based file position of the selected save's data region, bytes 384..8191
// of its block; `start` is where the card, or the single save's block, begins
// in the file (Container::start). Without it: the plain card or single save.
std::uint64_t DataRegionOffset(FileKind kind, const SlotTable& slots, std::int16_t selectedSave);
std::uint64_t DataRegionOffset(FileKind kind, const SlotTable& slots, std::int16_t selectedSave,
                               std::uint64_t start);
// The same for the save in `block` (0 for a single save's own block).
std::uint64_t DataRegionOffset(std::uint64_t start, std::uint64_t block);

}  // namespace zovek
