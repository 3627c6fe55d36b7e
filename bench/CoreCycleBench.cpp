// Core cycle against bare I/O.
//
// One cycle does what the editor does between opening a card image and
// saving it: take the length and classify it, read and scan the directory,
// read the selected save's data region, run the four walks in load mode and
// then in store mode against an in-memory view, compute the checksum and
// write the region back with the save command's writer. The limit is the
// file I/O the cycle cannot avoid: the length, the two reads, and one
// positioned write of the region, flushed to disk as the save command does.
// A second series runs the same cycle with the save command's backup of the
// file before writing (a flushed copy of the whole file), for reading the
// cost of that safety.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "BenchTiming.h"
#include "savedata/SaveLayout.h"
#include "savedata/MemoryView.h"
#include "savedata/Walks.h"
#include "savefile/Checksum.h"
#include "savefile/FileSystem.h"
#include "savefile/SaveWrite.h"
#include "savefile/SaveSlots.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"

namespace zb = zovek::bench;
using namespace zovek;

namespace {

void Check(int error, const char* what) {
  if (error != 0) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(error));
}

struct CycleState {
  std::int16_t selectedSave = 0;
  int character = 0;
  int category = 0;
  int entry = 0;
};

// The in-memory part of a cycle: walks in both modes and the checksum.
void WalkAndChecksum(SaveBuffer& buffer, MemoryView& view, const CycleState& s) {
  FieldContext ctx{buffer, view, static_cast<std::int16_t>(kRecordSize * s.character)};
  view.SetTechniqueRowCount(kTechniqueRowCounts[static_cast<std::size_t>(s.category)]);
  CharacterFieldWalk(ctx, kLoad);
  TechniqueWalk(buffer, view, s.category, kLoad);
  ScenarioEntryWalk(ctx, s.entry, kLoad);
  GeneralFieldWalk(ctx, kLoad);
  CharacterFieldWalk(ctx, kStore);
  TechniqueWalk(buffer, view, s.category, kStore);
  ScenarioEntryWalk(ctx, s.entry, kStore);
  GeneralFieldWalk(ctx, kStore);
  ComputeChecksum(buffer);
}

void Cycle(const std::filesystem::path& path, SaveBuffer& buffer, MemoryView& view, CycleState& s,
           const std::filesystem::path& backupDirectory = {}) {
  std::uint64_t length = 0;
  Check(FileLength(path, length), "length");
  if (FindContainer(length, {}) != BareContainer(kCardImage)) throw std::runtime_error("not a card image");
  const FileKind kind = kCardImage;
  std::array<std::uint8_t, kCardDirectoryBytes> directory{};
  Check(ReadBytesAt(path, 0, directory), "directory read");
  const ScanResult scan = ScanCardDirectory(directory, s.selectedSave);
  s.selectedSave = scan.selectedSave;
  Check(ReadBytesAt(path, DataRegionOffset(kind, scan.slots, s.selectedSave), buffer), "region read");
  WalkAndChecksum(buffer, view, s);
  SaveTarget target{path, kind, s.selectedSave, scan.slots[s.selectedSave]};
  target.backupDirectory = backupDirectory;
  Check(WriteSaveToFile(target, buffer), "save");
}

// The same reads and the one write, straight through POSIX calls.
void BareIo(const char* path, std::uint64_t regionOffset, SaveBuffer& buffer) {
  struct stat info {};
  if (::stat(path, &info) != 0) throw std::runtime_error("stat");
  std::array<std::uint8_t, kCardDirectoryBytes> directory{};
  int fd = ::open(path, O_RDONLY);
  if (fd < 0 || ::pread(fd, directory.data(), directory.size(), 0) != static_cast<ssize_t>(directory.size()) ||
      ::pread(fd, buffer.data(), buffer.size(), static_cast<off_t>(regionOffset)) != static_cast<ssize_t>(buffer.size())) {
    throw std::runtime_error("bare read");
  }
  ::close(fd);
  fd = ::open(path, O_WRONLY);
  if (fd < 0 || ::pwrite(fd, buffer.data(), buffer.size(), static_cast<off_t>(regionOffset)) !=
                    static_cast<ssize_t>(buffer.size()) ||
      ::fsync(fd) != 0) {
    throw std::runtime_error("bare write");
  }
  ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 2000;
  const auto dir = std::filesystem::temp_directory_path() / ("zovek-bench-core-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto cyclePath = dir / "cycle.mcr";
  const auto barePath = dir / "bare.mcr";
  savegen::CardImage card(5);
  card.GameSave(3, savegen::DigitForSave(2), savegen::DemoRegion(2)).GameSave(9, savegen::DigitForSave(7), savegen::DemoRegion(7));
  savegen::WriteWholeFile(cyclePath, card.bytes());
  savegen::WriteWholeFile(barePath, card.bytes());
  const std::uint64_t bareOffset = savegen::CardImage::RegionOffset(3);

  SaveBuffer buffer{};
  MemoryView view;
  CycleState state;
  auto advance = [&](int i) {
    state.character = i % 27;
    state.category = i % 12;
    state.entry = i % 58;
  };

  // Warm up both, then alternate rounds so that both see the same disk state.
  for (int i = 0; i < 50; ++i) {
    Cycle(cyclePath, buffer, view, state);
    BareIo(barePath.c_str(), bareOffset, buffer);
  }
  constexpr int kRounds = 5;
  const auto backups = dir / "backups";
  std::vector<double> cycleTimes;
  std::vector<double> bareTimes;
  std::vector<double> backupTimes;
  const int perRound = std::max(1, iterations / kRounds);
  for (int round = 0; round < kRounds; ++round) {
    auto start = zb::Clock::now();
    for (int i = 0; i < perRound; ++i) {
      advance(i);
      Cycle(cyclePath, buffer, view, state);
    }
    cycleTimes.push_back(zb::SecondsSince(start) / perRound);
    start = zb::Clock::now();
    for (int i = 0; i < perRound; ++i) BareIo(barePath.c_str(), bareOffset, buffer);
    bareTimes.push_back(zb::SecondsSince(start) / perRound);
    const int backupCycles = std::max(1, perRound / 5);  // each also copies the whole file
    start = zb::Clock::now();
    for (int i = 0; i < backupCycles; ++i) {
      advance(i);
      Cycle(cyclePath, buffer, view, state, backups);
    }
    backupTimes.push_back(zb::SecondsSince(start) / backupCycles);
  }

  // The in-memory share of a cycle, for reading the figures.
  const int memoryIterations = 20000;
  auto start = zb::Clock::now();
  for (int i = 0; i < memoryIterations; ++i) {
    advance(i);
    WalkAndChecksum(buffer, view, state);
  }
  const double memory = zb::SecondsSince(start) / memoryIterations;

  const double cycle = zb::Median(cycleTimes);
  const double bare = zb::Median(bareTimes);
  const double withBackup = zb::Median(backupTimes);
  std::printf("core cycle: %d cycles in %d rounds; median per cycle %.1f us, bare I/O %.1f us, walks+checksum alone %.1f us\n",
              perRound * kRounds, kRounds, cycle * 1e6, bare * 1e6, memory * 1e6);
  zb::PrintResult("core cycle vs bare I/O", zb::Format("%.1f us/cycle", cycle * 1e6), zb::Format("%.1f us", bare * 1e6),
                  cycle / bare, "<= 3.00", zb::Format("walks+checksum %.1f us of it", memory * 1e6));
  zb::PrintResult("core cycle with the save's backup", zb::Format("%.1f us/cycle", withBackup * 1e6),
                  zb::Format("%.1f us", bare * 1e6), withBackup / bare, "-",
                  "also copies the whole file to a flushed backup");
  std::filesystem::remove_all(dir);
  return 0;
}
