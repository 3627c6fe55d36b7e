#pragma once
// The user's file, opened once for a whole write: the lock, every check, the
// backup's copy, the comparison and the write go through this one open file,
// so that a name swapped meanwhile (for a FIFO, a link, another file) is never
// read, waited on or written through.
//
// The lock is the one every writer of this program takes: the window for its
// write, the command line for its whole run. It is advisory and exclusive
// between our own programs only: another handle, ours or another program's,
// still reads and writes the file, and the lock never creates or changes it.
// Taking it never waits without bound: it is tried every kFileLockRetry until
// kFileLockWait has passed.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace zovek {

inline constexpr std::chrono::milliseconds kFileLockRetry{50};
inline constexpr std::chrono::milliseconds kFileLockWait{5000};

class OpenedFile {
 public:
  OpenedFile() = default;
  ~OpenedFile() { Close(); }
  OpenedFile(const OpenedFile&) = delete;
  OpenedFile& operator=(const OpenedFile&) = delete;

  // Opens `path` for reading without waiting for anybody, so that a FIFO or a
  // device at the name is refused at once: 0; EISDIR for a folder;
  // kErrFileChanged for anything else that is not a regular file; else the
  // system's error number. A link is followed: the file behind it is opened.
  int Open(const std::filesystem::path& path);
  // 0 when the lock is held; kErrFileLocked when another of our programs held
  // it for the whole wait; else an error number.
  int Lock(std::chrono::milliseconds wait = kFileLockWait);
  bool Locked() const { return locked_; }
  bool IsOpen() const { return read_ != kNoHandle; }
  // Drops the lock and closes the file.
  void Close();
  const std::filesystem::path& Path() const { return path_; }

  int Length(std::uint64_t& length) const;
  // Exactly out.size() bytes from `offset`; a file that ends first is kErrShortRead.
  int ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
  // The whole file, when it is at most `limit` bytes long (else kErrFileChanged).
  int ReadAll(std::vector<std::uint8_t>& bytes, std::uint64_t limit) const;

  // No write permission bit at all (FileSystem.h's "read-only").
  bool ReadOnly() const;
  // Gives a read-only file its owner's write permission back; a file with any
  // write bit is left as it is. GiveBackMode undoes it when nothing was written.
  int MakeWritable();
  void GiveBackMode();

  // Opens the same file for writing by its name, without waiting: the name
  // must still lead to the file open for reading, else kErrFileChanged.
  int OpenForWriting();
  // 0 while the name still leads to the open file (same device and inode, or
  // volume and file index); kErrFileChanged when it leads elsewhere or nowhere.
  int CheckName() const;
  // Makes sure the file system has room for [offset, offset + length) without
  // changing a byte (a sparse file gets its blocks); 0 where it cannot tell.
  int Reserve(std::uint64_t offset, std::uint64_t length);
  // Writes the bytes in place (never creating, truncating or extending the
  // file); Flush puts them on disk.
  int WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
  int Flush();

 private:
  static constexpr long long kNoHandle = -1;
  int TryLock();  // one try: 0, kErrFileLocked or an error number
  int WriteWithin(std::uint64_t offset, std::span<const std::uint8_t> bytes);  // WriteAt once the length is checked
  std::filesystem::path path_;
  long long read_ = kNoHandle;   // a descriptor, or a HANDLE's value
  long long write_ = kNoHandle;
  bool locked_ = false;
  std::uint64_t device_ = 0;     // which file is open: device and inode,
  std::uint64_t index_ = 0;      // or volume serial and file index
  bool madeWritable_ = false;
  unsigned long mode_ = 0;       // the mode (or attributes) before MakeWritable
};

}  // namespace zovek
