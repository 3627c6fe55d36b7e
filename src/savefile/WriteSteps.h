#pragma once
// The steps of a save's write, in their order, for tests only: a test can stop
// the process at any of them (to show the file is never left torn), swap the
// file or try its lock there, or make the region's write fail part way.

#include <functional>

namespace zovek {

enum class WriteStep {
  Locked,            // the file is open and locked
  Checked,           // the file read and found to hold the save as opened
  BackupWritten,     // the backup is on disk under its temporary name
  BackupNamed,       // the backup has its own name
  BackupsRotated,    // the oldest backups beyond the ten kept are gone
  MadeWritable,      // a read-only card is writable
  Reserved,          // the file system has room for the region
  BeforeWrite,       // the last comparison passed; the name is checked next
  WritingRegion,     // a fault here writes half the region and fails
  Written,           // the region is written, not yet flushed
  Flushed,           // the region is on disk
  RestoringRegion,   // a fault here makes the undoing of a failed write fail before it writes
};

// Called at every step with the step; a non-zero result at WritingRegion or
// RestoringRegion is taken as that write's error number. Empty: no hook.
using WriteStepHook = std::function<int(WriteStep)>;
void SetWriteStepHook(WriteStepHook hook);

// 0 unless a test's hook says otherwise.
int AtWriteStep(WriteStep step);

}  // namespace zovek
