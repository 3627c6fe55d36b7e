// The positioned write of the save command on POSIX systems: one pwrite into
// the existing file, then fsync, so the save is on disk when we report success.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"

namespace zovek {

int WriteBytesInPlace(const std::filesystem::path& path, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  // No O_CREAT and no O_TRUNC: a missing file stays missing, a present one keeps its length.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }

  int error = 0;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error = EINVAL;
  } else if (offset > static_cast<std::uint64_t>(info.st_size) ||
             bytes.size() > static_cast<std::uint64_t>(info.st_size) - offset) {
    error = kErrFileChanged;  // writing would extend the file, so it is not the file we opened
  }

  std::size_t written = 0;
  while (error == 0 && written < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + written, bytes.size() - written,
                               static_cast<off_t>(offset + written));
    if (n < 0) {
      if (errno != EINTR) {
        error = errno;
      }
    } else if (n == 0) {
      error = EIO;
    } else {
      written += static_cast<std::size_t>(n);
    }
  }

  if (error == 0 && ::fsync(fd) != 0) {
    error = errno;
  }
  if (::close(fd) != 0 && error == 0) {
    error = errno;
  }
  return error;
}

}  // namespace zovek
