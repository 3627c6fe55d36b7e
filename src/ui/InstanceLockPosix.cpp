// The instance lock on POSIX systems: an advisory flock on the open file. The
// system drops it with the descriptor when the program ends, however it ends.
// (QLockFile would also do, but it flushes the file to disk on every start,
// which costs milliseconds of start-up, tens of them on a busy disk.)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "savefile/FileLock.h"
#include "ui/InstanceLock.h"

namespace zovek {

struct InstanceLock::Held {
  int fd = -1;
  std::filesystem::path file;
};

InstanceLock::InstanceLock() = default;

InstanceLock::~InstanceLock() {
  if (held_) {
    // The file goes before the lock, as a lock file goes at a normal end.
    ::unlink(held_->file.c_str());
    ::close(held_->fd);
  }
}

bool InstanceLock::TryLock(const std::filesystem::path& file) {
  if (held_) {
    return true;
  }
  // A lock taken on a file that an ending instance has just unlinked claims
  // nothing: the name must still lead to the locked file, else try again.
  // A lock file left by a crash is taken over as it is (no O_EXCL); a link at
  // the name is never followed, and anything but a regular file there is a
  // lock that cannot be taken. O_NONBLOCK keeps a FIFO there from blocking.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
      return false;
    }
    struct stat locked {};
    if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode) || TryLockExclusive(fd) != 0) {
      ::close(fd);
      return false;
    }
    struct stat named {};
    if (::lstat(file.c_str(), &named) == 0 && locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
      // A lock file of an earlier version was readable by all. One with a
      // second name is left alone: the mode belongs to that file too.
      if (locked.st_nlink == 1 && (locked.st_mode & 07777) != 0600) {
        static_cast<void>(::fchmod(fd, 0600));
      }
      held_ = std::make_unique<Held>(Held{fd, file});
      return true;
    }
    ::close(fd);
  }
  return false;
}

}  // namespace zovek
