// The directory scan and the open command on arbitrary files of both kinds.

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>
#include <vector>

#include "FuzzChecks.h"
#include "savefile/SaveFileOps.h"
#include "savefile/SaveSlots.h"

namespace zovek::fuzzcheck {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

enum class Form { Card, Single, AnyLength, DirectorySpan };

// Padding differs from byte to byte, so a region read at a wrong offset shows.
std::uint8_t PaddingAt(std::size_t position) {
  return static_cast<std::uint8_t>((position * 31 + (position >> 8) * 7 + 1) & 0xFF);
}

Bytes Shaped(std::span<const std::uint8_t> body, std::size_t length) {
  Bytes bytes(length);
  const std::size_t kept = std::min(body.size(), length);
  std::copy_n(body.begin(), kept, bytes.begin());
  for (std::size_t i = kept; i < length; ++i) bytes[i] = PaddingAt(i);
  return bytes;
}

// The frames read here on their own, without the library's helpers.
int ExpectedSaveNumber(const Bytes& bytes, std::size_t frameStart) {
  if (frameStart + 29 >= bytes.size()) return 0;
  static constexpr char kCode[] = "ZOVEK";
  for (std::size_t i = 0; i < 5; ++i) {
    if (bytes[frameStart + 23 + i] != static_cast<std::uint8_t>(kCode[i])) return 0;
  }
  const int c = bytes[frameStart + 29];
  const int value = c <= 0x40 ? c - 47 : c - 54;
  return value >= 1 && value <= 15 ? value : 0;
}

ScanResult ExpectedCardScan(const Bytes& directory, std::int16_t selected) {
  ScanResult r;
  r.selectedSave = selected;
  for (int n = 1; n <= 15; ++n) {
    if (const int s = ExpectedSaveNumber(directory, static_cast<std::size_t>(n) * 128); s != 0) {
      r.slots[s] = static_cast<std::int16_t>(n);
    }
  }
  int lowest = 0;
  for (int s = 15; s >= 1; --s) {
    r.menu.enabled[static_cast<std::size_t>(s - 1)] = r.slots[s] != 0;
    if (r.slots[s] != 0) lowest = s;
  }
  if (lowest == 0) return r;
  if (selected < 1 || selected > 15 || r.slots[selected] == 0) r.selectedSave = static_cast<std::int16_t>(lowest);
  r.menu.checked[static_cast<std::size_t>(r.selectedSave - 1)] = true;
  r.found = true;
  return r;
}

ScanResult ExpectedSingleScan(const Bytes& header, std::int16_t selected) {
  ScanResult r;
  r.selectedSave = selected;
  if (const int s = ExpectedSaveNumber(header, 0); s != 0) {
    r.slots[s] = 1;
    r.menu.enabled[static_cast<std::size_t>(s - 1)] = true;
    r.menu.checked[static_cast<std::size_t>(s - 1)] = true;
    r.found = true;
  }
  return r;
}

bool SameScan(const ScanResult& a, const ScanResult& b) {
  return a.found == b.found && a.slots == b.slots && a.selectedSave == b.selectedSave && a.menu == b.menu;
}

std::string Describe(const ScanResult& r) {
  std::string text = r.found ? "found" : "not found";
  text += ", selected " + std::to_string(r.selectedSave) + ", slots";
  for (const auto entry : r.slots.entries) text += " " + std::to_string(entry);
  return text;
}

std::string Mismatch(const char* what, const ScanResult& actual, const ScanResult& expected) {
  return std::string(what) + ": got " + Describe(actual) + "; expected " + Describe(expected);
}

bool WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

Bytes ReadFile(const fs::path& path) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return {};
  Bytes bytes(static_cast<std::size_t>(size));
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::uintmax_t>(in.gcount()) != size) return {};
  return bytes;
}

std::string CheckOpen(const Bytes& file, std::int16_t selected, const fs::path& scratch) {
  const fs::path chosen = scratch / "chosen.bin";
  const fs::path working = scratch / "zovek.tmp";
  std::error_code ec;
  fs::remove(working, ec);
  if (!WriteFile(chosen, file)) return "could not write the scratch file " + chosen.string();

  SaveBuffer buffer;
  buffer.fill(0xA5);
  const SaveBuffer before = buffer;
  const OpenOutcome outcome = OpenSaveFile(chosen, working, selected, buffer);

  if (ReadFile(chosen) != file) return "opening changed the chosen file";
  const Container* container = FindContainer(file.size(), file);
  const FileKind kind = container == nullptr ? kNoFile : container->kind;
  if (outcome.kind() != kind) {
    return "kind " + std::to_string(outcome.kind()) + " for length " + std::to_string(file.size());
  }
  if (kind == kNoFile) {
    if (outcome.status != OpenStatus::Unsupported) return "a refused length was not reported as unsupported";
    if (fs::exists(working)) return "a refused file got a working copy";
    if (buffer != before) return "a refused file changed the buffer";
    return "";
  }

  // Where the form keeps its card, or its save's name (at frame bytes 10..29).
  const auto from = file.begin() + static_cast<std::ptrdiff_t>(kind == kCardImage ? container->start : 0);
  ScanResult expected;
  if (kind == kCardImage) {
    expected = ExpectedCardScan(Bytes(from, from + 1952), selected);
    if (ReadFile(working) != file) return "the working copy differs from the chosen card image";
  } else {
    Bytes frame(32, 0);
    const auto name = file.begin() + static_cast<std::ptrdiff_t>(container->nameAt);
    std::copy(name, name + 20, frame.begin() + 10);
    expected = ExpectedSingleScan(frame, selected);
    if (fs::exists(working)) return "a single save got a working copy";
  }
  if (outcome.status == OpenStatus::ReadError) return "read error " + std::to_string(outcome.error);
  if (!SameScan(outcome.scan, expected)) return Mismatch("open scan", outcome.scan, expected);
  if (!expected.found) {
    if (outcome.status != OpenStatus::NoGameSave) return "a file without a save was not reported as such";
    if (buffer != before) return "a file without a save changed the buffer";
    return "";
  }
  if (outcome.status != OpenStatus::Loaded) return "a file with a save was not loaded";
  const std::size_t offset =
      container->start + (kind == kCardImage ? static_cast<std::size_t>(expected.slots[expected.selectedSave]) * 8192 : 0) +
      384;
  if (!std::equal(buffer.begin(), buffer.end(), file.begin() + static_cast<std::ptrdiff_t>(offset))) {
    return "the buffer is not the region at file byte " + std::to_string(offset);
  }
  return "";
}

}  // namespace

std::string CheckFileScan(std::span<const std::uint8_t> data, const fs::path& scratch) {
  if (data.size() < 3) return "";
  const auto form = static_cast<Form>(data[0] % 4);
  const auto selected = static_cast<std::int16_t>(static_cast<std::uint16_t>(data[1] | (data[2] << 8)));
  const std::span<const std::uint8_t> body = data.subspan(3);

  if (form == Form::DirectorySpan) {
    // The scan of a directory cut short anywhere: frames it does not reach whole
    // up to their digit byte do not count.
    const Bytes directory(body.begin(), body.end());
    const ScanResult actual = ScanCardDirectory(directory, selected);
    const ScanResult expected = ExpectedCardScan(directory, selected);
    if (!SameScan(actual, expected)) return Mismatch("short directory scan", actual, expected);
    const ScanResult single = ScanSingleHeader(directory, selected);
    const ScanResult singleExpected = ExpectedSingleScan(directory, selected);
    if (!SameScan(single, singleExpected)) return Mismatch("short header scan", single, singleExpected);
    return "";
  }

  const std::size_t length = form == Form::Card     ? static_cast<std::size_t>(kCardImageSize)
                             : form == Form::Single ? static_cast<std::size_t>(kSingleSaveSize)
                                                    : std::min<std::size_t>(body.size(), kCardImageSize + 1);
  const Bytes file = Shaped(body, length);

  if (form == Form::Card) {
    const Bytes directory(file.begin(), file.begin() + 1952);
    const ScanResult actual = ScanCardDirectory(directory, selected);
    const ScanResult expected = ExpectedCardScan(directory, selected);
    if (!SameScan(actual, expected)) return Mismatch("card scan", actual, expected);
    if (actual.found) {
      const std::uint64_t offset = DataRegionOffset(kCardImage, actual.slots, actual.selectedSave);
      if (offset != static_cast<std::uint64_t>(expected.slots[expected.selectedSave]) * 8192 + 384) {
        return "data region offset " + std::to_string(offset);
      }
    }
  } else if (form == Form::Single) {
    const Bytes header(file.begin(), file.begin() + 32);
    const ScanResult actual = ScanSingleHeader(header, selected);
    const ScanResult expected = ExpectedSingleScan(header, selected);
    if (!SameScan(actual, expected)) return Mismatch("single scan", actual, expected);
  }
  return CheckOpen(file, selected, scratch);
}

}  // namespace zovek::fuzzcheck
