#pragma once
// The advisory lock on a whole open file that the save's write and the
// editor's single instance both take on POSIX systems (flock). Windows has
// its own calls, in its platform files.

namespace zovek {

// One try at the exclusive lock, retried only when a signal interrupts it:
// 0, kErrFileLocked when another descriptor holds it, or the error number.
int TryLockExclusive(int fd);

}  // namespace zovek
