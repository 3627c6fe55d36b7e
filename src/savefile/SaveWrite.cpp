#include "savefile/SaveWrite.h"

#include <algorithm>
#include <chrono>
#include <span>
#include <system_error>

#include "savefile/Backups.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/WriteSteps.h"

namespace zovek {

namespace {

constexpr int kAccessDenied = static_cast<int>(std::errc::permission_denied);
constexpr int kInvalid = static_cast<int>(std::errc::invalid_argument);
// How often the file may change elsewhere while it is backed up before the
// save gives up: each change outside the save is backed up again.
constexpr int kBackupRounds = 3;

using Bytes = std::vector<std::uint8_t>;

// Where the save sits in the file, once the target is known to be sound.
struct Place {
  const Container* container = nullptr;
  std::uint64_t name = 0;    // the save's 20-byte name (in its directory frame), or kNameIsFileName
  std::uint64_t region = 0;  // its data region
};

int FindPlace(const SaveTarget& target, Place& place) {
  if (target.saveNumber < 1 || target.saveNumber > kSaveNumbers) return kInvalid;
  place.container = target.container != nullptr ? target.container : BareContainer(target.kind);
  if (place.container == nullptr || place.container->kind != target.kind ||
      target.containerHeader.size() != place.container->guardedHeader) {
    return kInvalid;
  }
  // A signed form's signature covers its contents; written by us, it would
  // be refused by whatever reads it.
  if (place.container->signedForm) return kErrSignedForm;
  const std::uint64_t start = place.container->start;
  if (target.kind == kCardImage) {
    if (target.block < 1 || target.block > kSaveNumbers) return kInvalid;
    const auto block = static_cast<std::uint64_t>(target.block);
    place.name = start + block * kFrameSize + kSaveNameInFrame;
    place.region = DataRegionOffset(start, block);
  } else {
    place.name = place.container->nameAt;
    place.region = DataRegionOffset(start, 0);
  }
  return 0;
}

SaveBuffer RegionIn(const Bytes& bytes, const Place& place) {
  SaveBuffer region{};
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(place.region), region.size(), region.begin());
  return region;
}

// Reads the whole file through the open file and checks that it still is the
// one opened, holding the save as the writer last saw it.
int ReadAndCheck(const OpenedFile& file, const SaveTarget& target, const Place& place, Bytes& bytes,
                 SaveWriteResult& result) {
  if (const int error = file.ReadAll(bytes, place.container->length); error != 0) return error;
  if (bytes.size() != place.container->length ||
      !std::equal(target.containerHeader.begin(), target.containerHeader.end(), bytes.begin())) {
    return kErrFileChanged;
  }
  // The headerless block's name is the file's own, which the open file keeps.
  if (place.name != kNameIsFileName &&
      SaveNameNumber(std::span<const std::uint8_t>(bytes).subspan(place.name, kSaveNameBytes)) != target.saveNumber) {
    return kErrFileChanged;
  }
  if (target.expectedRegion != nullptr) {
    result.onDisk = RegionIn(bytes, place);
    if (result.onDisk != *target.expectedRegion) {
      result.regionChanged = true;
      return kErrFileChanged;
    }
  }
  return 0;
}

int BackUp(const SaveTarget& target, const Bytes& bytes, SaveWriteResult& result) {
  const int error =
      BackUpBytes(target.path, bytes, target.backupDirectory, std::chrono::system_clock::now(), &result.backup);
  result.backupFailed = error != 0;
  return error;
}

// One positioned write. A test's fault at WritingRegion writes half of it and
// fails; at RestoringRegion the write fails before a byte is written.
int WriteRegion(OpenedFile& file, std::uint64_t offset, const SaveBuffer& region, WriteStep step) {
  if (const int fault = AtWriteStep(step); fault != 0) {
    if (step == WriteStep::WritingRegion) {
      static_cast<void>(file.WriteAt(offset, std::span(region).first(region.size() / 2)));
    }
    return fault;
  }
  return file.WriteAt(offset, region);
}

// After a write that failed part way: the region as it was read goes back,
// and is read once more; whether it is whole again is what the file holds.
bool PutBack(OpenedFile& file, std::uint64_t offset, const SaveBuffer& before) {
  if (WriteRegion(file, offset, before, WriteStep::RestoringRegion) == 0) {
    static_cast<void>(file.Flush());
  }
  SaveBuffer now{};
  return file.ReadAt(offset, now) == 0 && now == before;
}

SaveWriteResult Failed(SaveWriteResult result, int error) {
  result.error = error;
  return result;
}

}  // namespace

SaveWriteResult WriteSave(const SaveTarget& target, const SaveBuffer& buffer, OpenedFile* opened) {
  SaveWriteResult result;
  Place place;
  if (const int error = FindPlace(target, place); error != 0) return Failed(result, error);

  OpenedFile own;
  OpenedFile& file = opened != nullptr ? *opened : own;
  if (opened == nullptr) {
    if (const int error = own.Open(target.path); error != 0) return Failed(result, error);
    if (const int error = own.Lock(); error != 0) return Failed(result, error);
  }
  AtWriteStep(WriteStep::Locked);
  // A single save's read-only flag is honoured, whoever runs the program.
  if (target.kind == kSingleSave && file.ReadOnly()) return Failed(result, kAccessDenied);

  Bytes seen;
  if (const int error = ReadAndCheck(file, target, place, seen, result); error != 0) return Failed(result, error);
  AtWriteStep(WriteStep::Checked);
  const bool backUp = !target.backupDirectory.empty();
  if (backUp) {
    if (const int error = BackUp(target, seen, result); error != 0) return Failed(result, error);
  }

  // A card image is written even when read-only; the flag is given back when
  // nothing is written after all, so a refused save leaves the file as it was.
  if (target.kind == kCardImage) {
    if (const int error = file.MakeWritable(); error != 0) return Failed(result, error);
  }
  AtWriteStep(WriteStep::MadeWritable);
  const auto refuse = [&](int error) {
    file.GiveBackMode();
    return Failed(result, error);
  };
  if (const int error = file.OpenForWriting(); error != 0) return refuse(error);
  if (const int error = file.Reserve(place.region, kDataRegionSize); error != 0) return refuse(error);
  AtWriteStep(WriteStep::Reserved);

  // The last comparison, right before the write. When another save of the
  // file changed during the backup, that version is backed up too, so the
  // newest backup always holds what this write overwrites.
  for (int round = 1;; ++round) {
    Bytes now;
    if (const int error = ReadAndCheck(file, target, place, now, result); error != 0) return refuse(error);
    if (!backUp || now == seen) {
      seen = std::move(now);
      break;
    }
    if (round == kBackupRounds) return refuse(kErrFileChanged);
    seen = std::move(now);
    if (const int error = BackUp(target, seen, result); error != 0) return refuse(error);
  }
  AtWriteStep(WriteStep::BeforeWrite);
  if (file.CheckName() != 0) {
    result.replaced = true;
    return refuse(kErrFileChanged);
  }

  int error = WriteRegion(file, place.region, buffer, WriteStep::WritingRegion);
  if (error == 0) {
    AtWriteStep(WriteStep::Written);
    error = file.Flush();
  }
  if (error == 0) {
    AtWriteStep(WriteStep::Flushed);
    return result;
  }
  if (PutBack(file, place.region, RegionIn(seen, place))) {
    file.GiveBackMode();
  } else {
    result.damaged = true;
  }
  return Failed(result, error);
}

int WriteSaveToFile(const SaveTarget& target, const SaveBuffer& buffer) { return WriteSave(target, buffer).error; }

}  // namespace zovek
