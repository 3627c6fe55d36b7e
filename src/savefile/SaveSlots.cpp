#include "savefile/SaveSlots.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "savefile/Containers.h"

namespace zovek {

namespace {

constexpr std::size_t kCodeStart = 23;  // "ZOVEK" at frame bytes 23..27
constexpr std::size_t kDigitByte = 29;
constexpr std::uint8_t kGameCode[] = {'Z', 'O', 'V', 'E', 'K'};

bool IsSaveNumber(int value) { return value >= 1 && value <= kSaveNumbers; }

std::size_t Index(int saveNumber) { return static_cast<std::size_t>(saveNumber - 1); }

}  // namespace

int DecodeSaveDigit(std::uint8_t c) {
  // "0".."9" give 1..10 and "A".."E" give 11..15; the bytes between "9" and
  // "A" fall out of the same arithmetic and are accepted by the game too.
  return c <= 0x40 ? c - 47 : c - 54;
}

bool FrameCarriesGameCode(std::span<const std::uint8_t> frame) {
  return frame.size() >= kCodeStart + sizeof kGameCode &&
         std::equal(std::begin(kGameCode), std::end(kGameCode), frame.begin() + kCodeStart);
}

int FrameSaveNumber(std::span<const std::uint8_t> frame) {
  if (frame.size() <= kDigitByte || !FrameCarriesGameCode(frame)) {
    return 0;
  }
  const int value = DecodeSaveDigit(frame[kDigitByte]);
  return IsSaveNumber(value) ? value : 0;
}

int SaveNameNumber(std::span<const std::uint8_t> name) {
  if (name.size() < kSaveNameBytes) return 0;
  std::array<std::uint8_t, kSaveNameInFrame + kSaveNameBytes> frame{};
  std::copy_n(name.begin(), kSaveNameBytes, frame.begin() + kSaveNameInFrame);
  return FrameSaveNumber(frame);
}

ScanResult ScanCardDirectory(std::span<const std::uint8_t> directory, std::int16_t selectedSave) {
  ScanResult result;
  result.selectedSave = selectedSave;

  // Frame 0 describes the card itself, never a save.
  for (int n = 1; n <= kSaveNumbers; ++n) {
    const std::size_t start = static_cast<std::size_t>(n) * kFrameSize;
    if (start + kDigitByte >= directory.size()) {
      break;
    }
    const int save = FrameSaveNumber(directory.subspan(start, std::min(kFrameSize, directory.size() - start)));
    if (save != 0) {
      result.slots[save] = static_cast<std::int16_t>(n);  // a later frame wins
    }
  }

  int lowest = 0;
  for (int s = kSaveNumbers; s >= 1; --s) {
    result.menu.enabled[Index(s)] = result.slots[s] != 0;
    if (result.slots[s] != 0) {
      lowest = s;
    }
  }
  if (lowest == 0) {
    return result;
  }

  if (!IsSaveNumber(selectedSave) || result.slots[selectedSave] == 0) {
    result.selectedSave = static_cast<std::int16_t>(lowest);
  }
  result.menu.checked[Index(result.selectedSave)] = true;
  result.found = true;
  return result;
}

ScanResult ScanSingleHeader(std::span<const std::uint8_t> header, std::int16_t selectedSave) {
  ScanResult result;
  result.selectedSave = selectedSave;
  const int save = FrameSaveNumber(header);
  if (save != 0) {
    result.slots[save] = 1;
    result.menu.enabled[Index(save)] = true;
    result.menu.checked[Index(save)] = true;
    result.found = true;
  }
  return result;
}

std::uint64_t DataRegionOffset(std::uint64_t start, std::uint64_t block) {
  return start + block * kBlockSize + kDataRegionStartInBlock;
}

std::uint64_t DataRegionOffset(FileKind kind, const SlotTable& slots, std::int16_t selectedSave) {
  return DataRegionOffset(kind, slots, selectedSave, kind == kSingleSave ? kFrameSize : 0);
}

std::uint64_t DataRegionOffset(FileKind kind, const SlotTable& slots, std::int16_t selectedSave,
                               std::uint64_t start) {
  if (kind == kSingleSave) return DataRegionOffset(start, 0);
  if (kind == kCardImage && IsSaveNumber(selectedSave) && slots[selectedSave] >= 1 &&
      slots[selectedSave] <= kSaveNumbers) {
    return DataRegionOffset(start, static_cast<std::uint64_t>(slots[selectedSave]));
  }
  // No save to point at: an offset no accepted file reaches, so a read fails
  // as short and a write is refused instead of landing in the directory.
  return LongestContainer();
}

}  // namespace zovek
