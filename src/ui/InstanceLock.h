#pragma once
// The claim that keeps the editor to one instance per user: a lock on a file
// in the program's data directory, held while this object lives. The system
// gives it back when the program ends, however it ends, so a lock left by a
// program that no longer runs never stands in the way.

#include <filesystem>
#include <memory>

namespace zovek {

class InstanceLock {
 public:
  InstanceLock();
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this process now holds the lock on `file` (created when
  // missing, readable by the owner only); false when another process holds it,
  // the file can't be opened, or what stands at the name is a link or anything
  // but a regular file.
  bool TryLock(const std::filesystem::path& file);

 private:
  struct Held;  // what the system needs to keep the lock, per system
  std::unique_ptr<Held> held_;
};

}  // namespace zovek
