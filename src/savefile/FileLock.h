#pragma once
// The advisory lock every writer of this program takes on the file it writes:
// the window for its comparison, backup and write; the command line for its
// whole run. It is exclusive between our own programs only: another handle,
// ours or another program's, still reads and writes the file, and the lock
// never creates or changes it. Taking it never waits without bound: it is
// tried every kFileLockRetry until kFileLockWait has passed.

#include <chrono>
#include <filesystem>

namespace zovek {

inline constexpr std::chrono::milliseconds kFileLockRetry{50};
inline constexpr std::chrono::milliseconds kFileLockWait{5000};

class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { Unlock(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNoHandle; }
  FileLock& operator=(FileLock&& other) noexcept;

  // 0 when the lock is held; kErrFileLocked when another of our programs held
  // it for the whole wait; else the error number of opening the file.
  int Lock(const std::filesystem::path& path, std::chrono::milliseconds wait = kFileLockWait);
  void Unlock();
  bool Held() const { return handle_ != kNoHandle; }

 private:
  static constexpr long long kNoHandle = -1;
  long long handle_ = kNoHandle;  // a descriptor, or a HANDLE's value
};

// The platform calls (PlatformFilePosix.cpp, PlatformFileWindows.cpp). The
// file is opened for reading only, sharing everything.
int OpenLockHandle(const std::filesystem::path& path, long long& handle);
// 0: locked; kErrFileLocked: held by another handle; else an error number.
int TryLockHandle(long long handle);
void CloseLockHandle(long long handle);  // drops the lock with the handle

}  // namespace zovek
