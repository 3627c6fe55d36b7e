#include "savefile/SaveFileReport.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <span>
#include <system_error>

#include "savefile/Checksum.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"
#include "savefile/PathEncoding.h"

namespace zovek {

const SaveEntry* FileReport::Save(int saveNumber) const {
  const auto it = std::find_if(saves.begin(), saves.end(),
                               [saveNumber](const SaveEntry& s) { return s.saveNumber == saveNumber; });
  return it == saves.end() ? nullptr : &*it;
}

SaveBuffer SaveFileContents::Region(const SaveEntry& save) const {
  SaveBuffer region{};
  std::memcpy(region.data(), bytes.data() + save.regionOffset, region.size());
  return region;
}

namespace {

// The file name's bytes, where the headerless block keeps its save's name.
// On Windows only an ASCII name counts: the tools write none other.
std::vector<std::uint8_t> NameBytes(const std::filesystem::path& path) {
  const auto name = path.filename().native();
  std::vector<std::uint8_t> bytes;
  for (const auto c : name) {
    if constexpr (sizeof c > 1) {
      if (static_cast<std::uint32_t>(c) > 127) return {};
    }
    bytes.push_back(static_cast<std::uint8_t>(c));
  }
  return bytes;
}

// A single save's 20-byte name where a directory frame holds it, so that the
// frame's test applies: from the file, or the file's own name.
std::array<std::uint8_t, kSingleHeaderBytes> NameAsFrame(const SaveFileContents& contents, std::uint64_t nameAt) {
  std::array<std::uint8_t, kSingleHeaderBytes> frame{};
  const std::vector<std::uint8_t> name =
      nameAt == kNameIsFileName
          ? NameBytes(contents.report.path)
          : std::vector<std::uint8_t>(contents.bytes.begin() + static_cast<std::ptrdiff_t>(nameAt),
                                      contents.bytes.begin() + static_cast<std::ptrdiff_t>(nameAt + kSaveNameBytes));
  if (name.size() >= kSaveNameBytes) std::copy_n(name.begin(), kSaveNameBytes, frame.begin() + kSaveNameInFrame);
  return frame;
}

// The container, the scan and the saves of a file read whole.
void Inspect(SaveFileContents& contents, std::int16_t selectedSave) {
  FileReport& report = contents.report;
  report.container = FindContainer(report.length, contents.bytes, NameBytes(report.path));
  if (report.container == nullptr) {
    report.problem = FileProblem::Unsupported;
    contents.bytes.clear();
    return;
  }

  const FileKind kind = report.kind();
  const std::uint64_t start = report.container->start;
  const auto at = std::span<const std::uint8_t>(contents.bytes).subspan(kind == kCardImage ? start : 0);
  contents.scan = kind == kCardImage ? ScanCardDirectory(at.first(kCardDirectoryBytes), selectedSave)
                                     : ScanSingleHeader(NameAsFrame(contents, report.container->nameAt), selectedSave);
  if (!contents.scan.found) {
    report.problem = FileProblem::NoGameSave;
    return;
  }

  for (int s = 1; s <= kSaveNumbers; ++s) {
    if (contents.scan.slots[s] == 0) continue;
    SaveEntry entry;
    entry.saveNumber = s;
    entry.block = kind == kCardImage ? contents.scan.slots[s] : 0;
    entry.regionOffset = DataRegionOffset(kind, contents.scan.slots, static_cast<std::int16_t>(s), start);
    const SaveBuffer region = contents.Region(entry);
    entry.storedChecksum = region[1];
    entry.computedChecksum = ChecksumOf(region);
    report.saves.push_back(entry);
  }
  // A card scan keeps the caller's choice when the card has that save, else
  // picks the lowest number; a single-save scan keeps the caller's choice, and
  // the editor then shows the file's one save.
  report.selectedSave = kind == kCardImage ? contents.scan.selectedSave : report.saves.front().saveNumber;
}

// Reads the file's length, then the file when some container has that length
// (only the containers' lengths are read; a signature is looked for after),
// then inspects what it holds.
template <typename LengthOf, typename ReadInto>
SaveFileContents ReadAndInspect(const std::filesystem::path& path, std::int16_t selectedSave, LengthOf length,
                                ReadInto read) {
  SaveFileContents contents;
  FileReport& report = contents.report;
  report.path = path;
  const auto cannotRead = [&](int error) {
    report.problem = FileProblem::CannotRead;
    report.error = error;
    contents.bytes.clear();
    return contents;
  };
  if (const int error = length(report.length); error != 0) {
    return cannotRead(error);
  }
  if (!IsContainerLength(report.length)) {
    report.problem = FileProblem::Unsupported;
    return contents;
  }
  contents.bytes.resize(report.length);
  if (const int error = read(contents.bytes); error != 0) {
    return cannotRead(error);
  }
  Inspect(contents, selectedSave);
  return contents;
}

}  // namespace

SaveFileContents ReadSaveFile(const std::filesystem::path& path, std::int16_t selectedSave) {
  return ReadAndInspect(
      path, selectedSave, [&](std::uint64_t& length) { return FileLength(path, length); },
      [&](std::vector<std::uint8_t>& bytes) { return ReadBytesAt(path, 0, bytes); });
}

SaveFileContents ReadSaveFile(const OpenedFile& file, std::int16_t selectedSave) {
  return ReadAndInspect(
      file.Path(), selectedSave, [&](std::uint64_t& length) { return file.Length(length); },
      [&](std::vector<std::uint8_t>& bytes) { return file.ReadAt(0, bytes); });
}

// Every container's length, the kind named once: "a memory-card image has L1, L2 in
// the .gme container, a single-save file L3".
static std::string AcceptedLengthsText() {
  std::string text;
  std::string_view kind;
  for (const Container& c : Containers()) {
    if (!text.empty()) text += ", ";
    if (c.kindText != kind) text += "a " + std::string(c.kindText) + (text.empty() ? " has " : " ");
    text += std::to_string(c.length) + std::string(c.inText);
    kind = c.kindText;
  }
  return text;
}

std::string ErrorText(int error) {
  const std::string number = " (" + std::to_string(error) + ")";
  switch (error) {
    case kErrShortRead: return "the file ended before the bytes to be read" + number;
    case kErrFileChanged: return "the file changed while it was read" + number;
    case kErrSignedForm: return "a signed form, read-only" + number;
    case kErrFileLocked: return "another zovek program is writing this file" + number;
    default: return std::system_category().message(error) + number;
  }
}

std::string ProblemText(const FileReport& report) {
  switch (report.problem) {
    case FileProblem::None: return "";
    case FileProblem::CannotRead: return "cannot read: " + ErrorText(report.error);
    case FileProblem::Unsupported:
      return "not a supported file: " + std::to_string(report.length) + " bytes (" + AcceptedLengthsText() + ")";
    case FileProblem::NoGameSave: return "no Zovek save in this " + std::string(report.container->kindText);
  }
  return "";
}

std::string HexByte(int byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte) & 0xFFu);
  return text;
}

std::string ChecksumText(const SaveEntry& save) {
  if (save.ChecksumMatches()) return "checksum " + HexByte(save.storedChecksum) + " matches";
  return "checksum " + HexByte(save.storedChecksum) + " does not match (data sums to " +
         HexByte(save.computedChecksum) + ")";
}

std::string SaveName(const SaveEntry& save) {
  std::string name = "save " + std::to_string(save.saveNumber);
  if (save.block != 0) name += " (block " + std::to_string(save.block) + ")";
  return name;
}

// libstdc++'s u8string() hands a POSIX name's bytes over unchecked, and
// output must be UTF-8.
std::string PathText(const std::filesystem::path& path) { return EscapedUtf8(PathBytes(path), false); }

}  // namespace zovek
