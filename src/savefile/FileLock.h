#pragma once
// flock on POSIX systems, for the save's write and the single instance alike.

namespace zovek {

// One try, retried only when interrupted: 0, kErrFileLocked or an error number.
int TryLockExclusive(int fd);

}  // namespace zovek
