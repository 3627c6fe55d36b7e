// The positioned write of the save command on POSIX systems: one pwrite into
// the existing file, then fsync, so the save is on disk when we report success.
// New files (the backups) are flushed the same way before the save goes on.
// The program's own files in its data directory are made without following a
// link and kept from other users.
// A document to read is opened without waiting, so that a FIFO cannot hold us up.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "savefile/ErrorNumbers.h"
#include "savefile/FileLock.h"
#include "savefile/FileSystem.h"
#include "savefile/OpenedFile.h"

namespace zovek {

namespace {

// Runs a positioned read or write (`transfer`, given the bytes done so far)
// until all `size` bytes are done, retrying short transfers and interruptions;
// a transfer of no byte at all is `atEnd`.
template <typename Transfer>
int TransferAll(std::size_t size, int atEnd, Transfer transfer) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = transfer(done);
    if (n < 0) {
      if (errno != EINTR) {
        return errno;
      }
    } else if (n == 0) {
      return atEnd;
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
  return 0;
}

int WriteAll(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  return TransferAll(bytes.size(), EIO, [&](std::size_t done) {
    return ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
  });
}

// Writes the bytes, puts them on disk and closes the file; the first error
// is the result.
int WriteFlushClose(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  int error = WriteAll(fd, offset, bytes);
  if (error == 0 && ::fsync(fd) != 0) {
    error = errno;
  }
  if (::close(fd) != 0 && error == 0) {
    error = errno;
  }
  return error;
}

}  // namespace

int ReadRegularFileStart(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& out,
                         bool& regular) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  regular = false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }
  int error = 0;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = errno;
  } else if (S_ISREG(info.st_mode)) {
    regular = true;
    error = ReadAtMost(
        [fd](std::span<std::uint8_t> into, std::size_t& got) {
          for (;;) {
            const ssize_t n = ::read(fd, into.data(), into.size());
            if (n >= 0) {
              got = static_cast<std::size_t>(n);
              return 0;
            }
            if (errno != EINTR) {
              return errno;
            }
          }
        },
        limit, out);
  }
  ::close(fd);
  return error;
}

int WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  // O_EXCL: never replace a file that is already there, nor create one where a
  // link points (O_NOFOLLOW says so twice). Working copies and backups hold
  // the user's saves, so only the owner may read them.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    return errno;
  }
  if (const int error = WriteFlushClose(fd, 0, bytes); error != 0) {
    ::unlink(path.c_str());
    return error;
  }
  // The new name must survive a crash too.
  SyncDirectory(path.has_parent_path() ? path.parent_path() : std::filesystem::path("."));
  return 0;
}

void SyncDirectory(const std::filesystem::path& directory) {
  // Some file systems cannot sync a directory at all; the files' own data are
  // on disk by then, so that is no error.
  const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    static_cast<void>(::fsync(dirFd));
    ::close(dirFd);
  }
}

int RemoveName(const std::filesystem::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    return errno;
  }
  if (S_ISDIR(info.st_mode)) {
    return EISDIR;
  }
  // Unlinking needs no write permission on the file itself, so nothing is
  // changed on a file that other names still lead to.
  return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int MakePrivateDirectory(const std::filesystem::path& path) {
  // Every folder made here is the owner's only, parents included, as the
  // freedesktop.org rules for per-user data ask of a missing base folder.
  std::error_code ec;
  std::vector<std::filesystem::path> missing;
  for (std::filesystem::path level = path; !level.empty() && !std::filesystem::exists(level, ec);
       level = level.parent_path()) {
    missing.push_back(level);
    if (level == level.parent_path()) break;
  }
  std::filesystem::create_directories(path, ec);
  if (ec) {
    return ec.value();
  }
  for (const std::filesystem::path& made : missing) {
    static_cast<void>(::chmod(made.c_str(), S_IRWXU));
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return errno;
  }
  if (!S_ISDIR(info.st_mode)) {
    return ENOTDIR;
  }
  const mode_t closed = info.st_mode & static_cast<mode_t>(S_IRWXU);
  if ((info.st_mode & static_cast<mode_t>(07777)) != closed && ::chmod(path.c_str(), closed) != 0) {
    return errno;
  }
  return 0;
}

// The user's file for a whole write. flock, not fcntl or lockf: those locks
// belong to the process and go when any of its descriptors of the file is
// closed. A read-only descriptor that does not block on a FIFO is all flock
// needs; the lock never changes the file.
namespace {

int FileIdentity(int fd, std::uint64_t& device, std::uint64_t& index, mode_t* mode = nullptr) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    return errno;
  }
  device = static_cast<std::uint64_t>(info.st_dev);
  index = static_cast<std::uint64_t>(info.st_ino);
  if (mode != nullptr) *mode = info.st_mode;
  return 0;
}

}  // namespace

int OpenedFile::Open(const std::filesystem::path& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }
  mode_t mode = 0;
  int error = FileIdentity(fd, device_, index_, &mode);
  if (error == 0 && !S_ISREG(mode)) {
    error = S_ISDIR(mode) ? EISDIR : kErrFileChanged;
  }
  if (error != 0) {
    ::close(fd);
    return error;
  }
  path_ = path;
  read_ = fd;
  return 0;
}

int TryLockExclusive(int fd) {
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return errno == EWOULDBLOCK ? kErrFileLocked : errno;
  }
  return 0;
}

int OpenedFile::TryLock() { return read_ == kNoHandle ? EBADF : TryLockExclusive(static_cast<int>(read_)); }

void OpenedFile::Close() {
  if (write_ != kNoHandle) ::close(static_cast<int>(write_));
  if (read_ != kNoHandle) ::close(static_cast<int>(read_));  // drops the lock with it
  read_ = write_ = kNoHandle;
  locked_ = madeWritable_ = false;
}

int OpenedFile::Length(std::uint64_t& length) const {
  struct stat info {};
  if (::fstat(static_cast<int>(read_), &info) != 0) {
    return errno;
  }
  length = static_cast<std::uint64_t>(info.st_size);
  return 0;
}

int OpenedFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  return TransferAll(out.size(), kErrShortRead, [&](std::size_t done) {
    return ::pread(static_cast<int>(read_), out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
  });
}

bool OpenedFile::ReadOnly() const {
  struct stat info {};
  return ::fstat(static_cast<int>(read_), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

int OpenedFile::MakeWritable() {
  struct stat info {};
  if (::fstat(static_cast<int>(read_), &info) != 0) {
    return errno;
  }
  // Any write bit is enough: a group-writable file of another owner is written
  // as it stands, since only its owner may change its mode.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0) {
    return 0;
  }
  const mode_t mode = info.st_mode & static_cast<mode_t>(07777);
  if (::fchmod(static_cast<int>(read_), mode | S_IWUSR) != 0) {
    return errno;
  }
  mode_ = mode;
  madeWritable_ = true;
  return 0;
}

void OpenedFile::GiveBackMode() {
  if (madeWritable_ && ::fchmod(static_cast<int>(read_), static_cast<mode_t>(mode_)) == 0) {
    madeWritable_ = false;
  }
}

int OpenedFile::OpenForWriting() {
  // O_NONBLOCK: a FIFO put at the name meanwhile fails at once (ENXIO)
  // instead of waiting for a reader.
  const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }
  std::uint64_t device = 0, index = 0;
  int error = FileIdentity(fd, device, index);
  if (error == 0 && (device != device_ || index != index_)) {
    error = kErrFileChanged;
  }
  if (error != 0) {
    ::close(fd);
    return error;
  }
  write_ = fd;
  return 0;
}

int OpenedFile::CheckName() const {
  struct stat info {};
  const bool same = ::stat(path_.c_str(), &info) == 0 && static_cast<std::uint64_t>(info.st_dev) == device_ &&
                    static_cast<std::uint64_t>(info.st_ino) == index_;
  return same ? 0 : kErrFileChanged;
}

int OpenedFile::Reserve(std::uint64_t offset, std::uint64_t length) {
#if defined(__linux__)
  // Mode 0 allocates what is missing and changes no byte. A file system that
  // cannot do it is written without; never zeros written by hand, which could
  // overwrite what another program writes meanwhile.
  while (::fallocate(static_cast<int>(write_), 0, static_cast<off_t>(offset), static_cast<off_t>(length)) != 0) {
    if (errno == EOPNOTSUPP || errno == ENOSYS) return 0;
    if (errno != EINTR) return errno;
  }
#else
  static_cast<void>(offset);
  static_cast<void>(length);
#endif
  return 0;
}

int OpenedFile::WriteWithin(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  return WriteAll(static_cast<int>(write_), offset, bytes);
}

int OpenedFile::Flush() { return ::fsync(static_cast<int>(write_)) == 0 ? 0 : errno; }

}  // namespace zovek
