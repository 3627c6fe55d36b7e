#include "savefile/SaveFileOps.h"

#include <array>
#include <span>
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

// The working copy is made anew from the chosen image's bytes as read and left
// writable, since switching saves writes into it: whatever stands at its name
// is removed first and nothing is written through it; a folder there fails the
// open. Opening the working copy itself keeps it as it is, the user's own file.
int MakeWorkingCopy(const fs::path& chosen, std::span<const std::uint8_t> bytes, const fs::path& workingCopy) {
  if (IsTheWorkingCopyItself(chosen, workingCopy)) {
    return ClearReadOnly(workingCopy);
  }
  return ReplaceWithNewFile(workingCopy, bytes);
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
  return OpenReadFile(ReadSaveFile(chosen, selectedSave), workingCopy, buffer);
}

OpenOutcome OpenReadFile(const SaveFileContents& read, const fs::path& workingCopy, SaveBuffer& buffer) {
  const FileReport& report = read.report;
  OpenOutcome outcome;
  outcome.container = report.container;
  if (report.problem == FileProblem::CannotRead) {
    return Failed(outcome, report.error);
  }
  if (report.problem == FileProblem::Unsupported) {
    outcome.status = OpenStatus::Unsupported;
    return outcome;
  }
  if (outcome.kind() == kCardImage && !workingCopy.empty()) {
    if (const int error = MakeWorkingCopy(report.path, read.bytes, workingCopy); error != 0) {
      return Failed(outcome, error);
    }
  }
  const auto header = static_cast<std::ptrdiff_t>(outcome.container->guardedHeader);
  outcome.containerHeader.assign(read.bytes.begin(), read.bytes.begin() + header);
  outcome.scan = read.scan;
  if (report.problem == FileProblem::NoGameSave) {
    outcome.status = OpenStatus::NoGameSave;
    return outcome;
  }
  // Every save's region as the file holds it now: the write guard compares
  // the save it writes with this, whichever save that is by then.
  for (const SaveEntry& save : report.saves) {
    outcome.regions.emplace(save.saveNumber, read.Region(save));
  }
  buffer = outcome.regions.at(report.selectedSave);
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

  // The card or save starts after its container's header, which the guard compares.
  const Container* container = target.container != nullptr ? target.container : BareContainer(target.kind);
  if (container == nullptr || container->kind != target.kind ||
      target.containerHeader.size() != container->guardedHeader) {
    return WriteResult(kInvalid);
  }
  const std::uint64_t start = container->start;
  std::uint64_t offset = 0;
  if (target.kind == kCardImage) {
    if (target.block < 1 || target.block > kSaveNumbers) {
      return WriteResult(kInvalid);
    }
    const auto block = static_cast<std::uint64_t>(target.block);
    if (const int error = CheckTargetStillHoldsSave(target, container->length, start + block * kFrameSize);
        error != 0) {
      return WriteResult(error);
    }
    offset = start + block * kBlockSize + kDataRegionStartInBlock;
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
  } else {
    // A single save is never created and its read-only flag is honoured,
    // whoever runs the program.
    if (!FileExists(target.path)) {
      return WriteResult(kNoSuchFile);
    }
    if (IsReadOnly(target.path)) {
      return WriteResult(kAccessDenied);
    }
    if (const int error = CheckTargetStillHoldsSave(target, container->length, start); error != 0) {
      return WriteResult(error);
    }
    offset = start + kSingleSaveRegionOffset;
    if (SaveWriteResult changed; RegionChangedOnDisk(target, offset, changed)) {
      return changed;
    }
    if (const int error = BackUpBeforeWriting(target); error != 0) {
      return WriteResult(error, true);
    }
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
