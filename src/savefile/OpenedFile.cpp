#include "savefile/OpenedFile.h"

#include <thread>

#include "savefile/ErrorNumbers.h"

namespace zovek {

int OpenedFile::Lock(std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int result = TryLock();
    if (result == 0) {
      locked_ = true;
      return 0;
    }
    if (result != kErrFileLocked || std::chrono::steady_clock::now() >= deadline) {
      return result;
    }
    std::this_thread::sleep_for(kFileLockRetry);
  }
}

int OpenedFile::ReadAll(std::vector<std::uint8_t>& bytes, std::uint64_t limit) const {
  std::uint64_t length = 0;
  if (const int error = Length(length); error != 0) {
    return error;
  }
  if (length > limit) {
    return kErrFileChanged;
  }
  bytes.assign(static_cast<std::size_t>(length), 0);
  return ReadAt(0, bytes);
}

int OpenedFile::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  std::uint64_t length = 0;
  if (const int error = Length(length); error != 0) {
    return error;
  }
  if (offset > length || bytes.size() > length - offset) {
    return kErrFileChanged;  // writing would extend the file, so it is not the file we opened
  }
  return WriteWithin(offset, bytes);
}

}  // namespace zovek
