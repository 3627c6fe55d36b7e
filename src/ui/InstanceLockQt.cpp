// The instance lock where flock is missing (Windows): Qt's lock file, which
// holds the file open without sharing and takes over a lock whose process has
// ended.
#include <QLockFile>
#include <QString>

#include "ui/InstanceLock.h"

namespace zovek {

struct InstanceLock::Held {
  explicit Held(const QString& name) : file(name) {}
  QLockFile file;
};

InstanceLock::InstanceLock() = default;
InstanceLock::~InstanceLock() = default;

bool InstanceLock::TryLock(const std::filesystem::path& file) {
  if (held_) {
    return true;
  }
  auto held = std::make_unique<Held>(QString::fromStdU16String(file.u16string()));
  // Age alone never makes a lock stale.
  held->file.setStaleLockTime(0);
  if (!held->file.tryLock(0)) {
    return false;
  }
  held_ = std::move(held);
  return true;
}

}  // namespace zovek
