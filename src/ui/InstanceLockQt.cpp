// The instance lock where flock is missing (Windows): Qt's lock file, which
// holds the file open without sharing and takes over a lock whose process has
// ended.
#include <QLockFile>
#include <QString>
#include <system_error>

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
  // A link or a folder at the lock's name is never followed nor taken over.
  std::error_code ec;
  const std::filesystem::file_status standing = std::filesystem::symlink_status(file, ec);
  if (std::filesystem::exists(standing) && !std::filesystem::is_regular_file(standing)) {
    return false;
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
