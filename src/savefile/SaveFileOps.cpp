#include "savefile/SaveFileOps.h"

#include <span>
#include <system_error>

#include "savefile/FileSystem.h"

namespace zovek {

namespace fs = std::filesystem;

namespace {

OpenOutcome Ended(OpenOutcome outcome, OpenStatus status, int error = 0) {
  outcome.status = status;
  outcome.error = error;
  return outcome;
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
    return Ended(outcome, OpenStatus::ReadError, report.error);
  }
  if (report.problem == FileProblem::Unsupported) {
    return Ended(outcome, OpenStatus::Unsupported);
  }
  if (outcome.kind() == kCardImage && !workingCopy.empty()) {
    if (const int error = MakeWorkingCopy(report.path, read.bytes, workingCopy); error != 0) {
      return Ended(outcome, OpenStatus::ReadError, error);
    }
  }
  const auto header = static_cast<std::ptrdiff_t>(outcome.container->guardedHeader);
  outcome.containerHeader.assign(read.bytes.begin(), read.bytes.begin() + header);
  outcome.scan = read.scan;
  if (report.problem == FileProblem::NoGameSave) {
    return Ended(outcome, OpenStatus::NoGameSave);
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

}  // namespace zovek
