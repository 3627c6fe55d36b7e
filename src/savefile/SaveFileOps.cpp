#include "savefile/SaveFileOps.h"

#include <array>
#include <system_error>

#include "savefile/Backups.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"

namespace zovek {

namespace fs = std::filesystem;

namespace {

constexpr int kNoSuchFile = static_cast<int>(std::errc::no_such_file_or_directory);
constexpr int kAccessDenied = static_cast<int>(std::errc::permission_denied);
constexpr int kInvalid = static_cast<int>(std::errc::invalid_argument);

OpenOutcome Failed(OpenOutcome outcome, int error) {
  outcome.status = OpenStatus::ReadError;
  outcome.error = error;
  return outcome;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

// True when `chosen` leads to the working copy's own name, directly or through
// a symbolic link: the user has opened the working copy itself. So is the same
// file under another spelling of its one name (letter case, a short name on
// Windows). A symbolic link or a second hard link standing at the working
// copy's name does not count; those are only names in our directory.
bool IsTheWorkingCopyItself(const fs::path& chosen, const fs::path& workingCopy) {
  std::error_code ec;
  const fs::path resolved = fs::weakly_canonical(chosen, ec);
  const fs::path parent = workingCopy.parent_path().empty() ? fs::path(".") : workingCopy.parent_path();
  std::error_code folderError;
  const fs::path folder = fs::weakly_canonical(parent, folderError);
  if (!ec && !folderError && resolved == folder / workingCopy.filename()) {
    return true;
  }
  return SameFile(chosen, workingCopy) && fs::is_regular_file(fs::symlink_status(workingCopy, ec)) &&
         fs::hard_link_count(workingCopy, ec) == 1 && !ec;
}

// The working copy is made anew from the chosen image and left writable, since
// switching saves writes into it: whatever stands at its name is removed first
// and nothing is written through it; a folder there fails the open. Opening the
// working copy itself keeps it as it is, the user's own file.
int MakeWorkingCopy(const fs::path& chosen, const fs::path& workingCopy) {
  if (IsTheWorkingCopyItself(chosen, workingCopy)) {
    return ClearReadOnly(workingCopy);
  }
  return CopyReplacing(chosen, workingCopy);
}

// The save command writes only into a file that still is the one that was
// opened: the same kind, with the same save in the same place.
int CheckTargetStillHoldsSave(const SaveTarget& target, std::uint64_t expectedLength, std::uint64_t frameOffset) {
  std::uint64_t length = 0;
  if (const int error = FileLength(target.path, length); error != 0) {
    return error;
  }
  if (length != expectedLength) {
    return kErrFileChanged;
  }
  if (!target.containerHeader.empty()) {
    std::vector<std::uint8_t> header(target.containerHeader.size());
    if (const int error = ReadBytesAt(target.path, 0, header); error != 0) {
      return error;
    }
    if (header != target.containerHeader) {
      return kErrFileChanged;
    }
  }
  std::array<std::uint8_t, kFrameSize> frame{};
  if (const int error = ReadBytesAt(target.path, frameOffset, frame); error != 0) {
    return error;
  }
  return FrameSaveNumber(frame) == target.saveNumber ? 0 : kErrFileChanged;
}

SaveWriteResult WriteResult(int error, bool backupFailed = false) {
  SaveWriteResult result;
  result.error = error;
  result.backupFailed = backupFailed;
  return result;
}

// The comparison of the save's own bytes, after the checks above: another
// program may have written this save while the frame stayed as it was.
bool RegionChangedOnDisk(const SaveTarget& target, std::uint64_t offset, SaveWriteResult& result) {
  if (target.expectedRegion == nullptr) {
    return false;
  }
  if (const int error = ReadDataRegion(target.path, offset, result.onDisk); error != 0) {
    result.error = error;
    return true;
  }
  if (result.onDisk == *target.expectedRegion) {
    return false;
  }
  result.error = kErrFileChanged;
  result.regionChanged = true;
  return true;
}

int BackUpBeforeWriting(const SaveTarget& target) {
  return target.backupDirectory.empty() ? 0 : BackUpFile(target.path, target.backupDirectory);
}

}  // namespace

OpenOutcome OpenSaveFile(const fs::path& chosen, const fs::path& workingCopy, std::int16_t selectedSave,
                         SaveBuffer& buffer) {
  OpenOutcome outcome;

  std::uint64_t length = 0;
  if (const int error = FileLength(chosen, length); error != 0) {
    return Failed(outcome, error);
  }
  // Only the container's length needs a look at the first bytes.
  std::array<std::uint8_t, kGmeSignature.size()> head{};
  if (length == kGmeFileSize) {
    if (const int error = ReadBytesAt(chosen, 0, head); error != 0) {
      return Failed(outcome, error);
    }
  }
  const FileLayout layout = ClassifyFile(length, head);
  outcome.kind = layout.kind;
  outcome.cardStart = layout.cardStart;
  if (outcome.kind == kNoFile) {
    outcome.status = OpenStatus::Unsupported;
    return outcome;
  }

  fs::path source = chosen;
  if (outcome.kind == kCardImage) {
    if (!workingCopy.empty()) {
      if (const int error = MakeWorkingCopy(chosen, workingCopy); error != 0) {
        return Failed(outcome, error);
      }
      source = workingCopy;
    }
    outcome.containerHeader.resize(outcome.cardStart);
    if (const int error = ReadBytesAt(source, 0, outcome.containerHeader); error != 0) {
      return Failed(outcome, error);
    }
    std::array<std::uint8_t, kCardDirectoryBytes> directory{};
    if (const int error = ReadBytesAt(source, outcome.cardStart, directory); error != 0) {
      return Failed(outcome, error);
    }
    outcome.scan = ScanCardDirectory(directory, selectedSave);
  } else {
    std::array<std::uint8_t, kSingleHeaderBytes> header{};
    if (const int error = ReadBytesAt(source, 0, header); error != 0) {
      return Failed(outcome, error);
    }
    outcome.scan = ScanSingleHeader(header, selectedSave);
  }

  if (!outcome.scan.found) {
    outcome.status = OpenStatus::NoGameSave;
    return outcome;
  }

  const std::uint64_t offset =
      DataRegionOffset(outcome.kind, outcome.scan.slots, outcome.scan.selectedSave, outcome.cardStart);
  if (const int error = ReadDataRegion(source, offset, buffer); error != 0) {
    return Failed(outcome, error);
  }
  // Every save's region as the file holds it now: the write guard compares
  // the save it writes with this, whichever save that is by then.
  for (int s = 1; s <= kSaveNumbers; ++s) {
    if (outcome.scan.slots[s] == 0) {
      continue;
    }
    if (outcome.kind == kSingleSave) {
      outcome.regions.emplace(s, buffer);
      continue;
    }
    const auto save = static_cast<std::int16_t>(s);
    const std::uint64_t at = DataRegionOffset(kCardImage, outcome.scan.slots, save, outcome.cardStart);
    SaveBuffer region{};
    if (const int error = ReadDataRegion(source, at, region); error != 0) {
      outcome.regions.clear();
      return Failed(outcome, error);
    }
    outcome.regions.emplace(s, region);
  }
  outcome.status = OpenStatus::Loaded;
  return outcome;
}

int ReadDataRegion(const fs::path& path, std::uint64_t offset, SaveBuffer& buffer) {
  // Staged so that a failed read never leaves part of another save in the buffer.
  SaveBuffer staging{};
  if (const int error = ReadBytesAt(path, offset, staging); error != 0) {
    return error;
  }
  buffer = staging;
  return 0;
}

int WriteDataRegion(const fs::path& path, std::uint64_t offset, const SaveBuffer& buffer) {
  return WriteBytesInPlace(path, offset, buffer);
}

SaveWriteResult WriteSave(const SaveTarget& target, const SaveBuffer& buffer) {
  if (target.saveNumber < 1 || target.saveNumber > kSaveNumbers) {
    return WriteResult(kInvalid);
  }

  std::uint64_t offset = 0;
  if (target.kind == kCardImage) {
    if (target.block < 1 || target.block > kSaveNumbers) {
      return WriteResult(kInvalid);
    }
    // The card starts at 0, or after a .gme header that the guard compares.
    if (target.cardStart != target.containerHeader.size() ||
        (target.cardStart != 0 && target.cardStart != kGmeHeaderSize)) {
      return WriteResult(kInvalid);
    }
    const auto block = static_cast<std::uint64_t>(target.block);
    const std::uint64_t card = target.cardStart;
    if (const int error = CheckTargetStillHoldsSave(target, card + kCardImageSize, card + block * kFrameSize);
        error != 0) {
      return WriteResult(error);
    }
    offset = card + block * kBlockSize + kDataRegionStartInBlock;
    if (SaveWriteResult changed; RegionChangedOnDisk(target, offset, changed)) {
      return changed;
    }
    if (const int error = BackUpBeforeWriting(target); error != 0) {
      return WriteResult(error, true);
    }
    // A card image is written even when read-only. Cleared only now, so that a
    // refused save leaves the file exactly as it was, attributes included.
    if (const int error = ClearReadOnly(target.path); error != 0) {
      return WriteResult(error);
    }
  } else if (target.kind == kSingleSave && target.cardStart == 0 && target.containerHeader.empty()) {
    // A single save is never created and its read-only flag is honoured,
    // whoever runs the program.
    if (!FileExists(target.path)) {
      return WriteResult(kNoSuchFile);
    }
    if (IsReadOnly(target.path)) {
      return WriteResult(kAccessDenied);
    }
    if (const int error = CheckTargetStillHoldsSave(target, kSingleSaveSize, 0); error != 0) {
      return WriteResult(error);
    }
    offset = kSingleSaveRegionOffset;
    if (SaveWriteResult changed; RegionChangedOnDisk(target, offset, changed)) {
      return changed;
    }
    if (const int error = BackUpBeforeWriting(target); error != 0) {
      return WriteResult(error, true);
    }
  } else {
    return WriteResult(kInvalid);
  }

  return WriteResult(WriteBytesInPlace(target.path, offset, buffer));
}

int WriteSaveToFile(const SaveTarget& target, const SaveBuffer& buffer) { return WriteSave(target, buffer).error; }

int DeleteWorkingCopy(const fs::path& workingCopy) {
  // Only the name goes: a link there is removed, never what it leads to.
  const int error = RemoveName(workingCopy);
  return error == kNoSuchFile ? 0 : error;
}

}  // namespace zovek
