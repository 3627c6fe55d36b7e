#include "savefile/FileLock.h"

#include <thread>

#include "savefile/ErrorNumbers.h"

namespace zovek {

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Unlock();
    handle_ = other.handle_;
    other.handle_ = kNoHandle;
  }
  return *this;
}

int FileLock::Lock(const std::filesystem::path& path, std::chrono::milliseconds wait) {
  Unlock();
  long long handle = kNoHandle;
  if (const int error = OpenLockHandle(path, handle); error != 0) {
    return error;
  }
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int result = TryLockHandle(handle);
    if (result == 0) {
      handle_ = handle;
      return 0;
    }
    if (result != kErrFileLocked || std::chrono::steady_clock::now() >= deadline) {
      CloseLockHandle(handle);
      return result;
    }
    std::this_thread::sleep_for(kFileLockRetry);
  }
}

void FileLock::Unlock() {
  if (handle_ != kNoHandle) {
    CloseLockHandle(handle_);
    handle_ = kNoHandle;
  }
}

}  // namespace zovek
