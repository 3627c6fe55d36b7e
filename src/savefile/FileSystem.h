#pragma once
// The file operations the editor needs, each returning 0 on success or the
// operating system's error number. std::filesystem does the portable work;
// positioned writes flushed to disk live in one platform file per system.
//
// "Read-only" is the absence of every write permission bit; clearing it gives
// the owner write permission back. The rules are checked by the program itself,
// so they hold for every user, root included.

#include <cstdint>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

namespace zovek {

int FileLength(const std::filesystem::path& path, std::uint64_t& length);
bool IsReadOnly(const std::filesystem::path& path);
// Whether both paths lead to one existing file; false when either cannot be looked at.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);
int ClearReadOnly(const std::filesystem::path& path);

// Reads exactly out.size() bytes from the given position; a file that ends
// first is an error (kErrShortRead).
int ReadBytesAt(const std::filesystem::path& path, std::uint64_t offset, std::span<std::uint8_t> out);

// A source of bytes for ReadAtMost: fills the front of `into` and sets `got`
// (0 at the end), returning 0 or an error number.
using ReadSome = std::function<int(std::span<std::uint8_t> into, std::size_t& got)>;

// Appends what `source` gives to `out` until it ends or `out` holds `limit`
// bytes; it never asks for a byte past the limit, so an endless source is read
// no further than that. Returns 0 or the source's error.
int ReadAtMost(const ReadSome& source, std::size_t limit, std::vector<std::uint8_t>& out);

// Reads a regular file from its start, at most `limit` bytes, into `out`. The
// file is opened without waiting for anybody (a FIFO that no program writes
// does not hold the caller up) and is read only when it is a regular file:
// otherwise (a FIFO, a device, a folder) `regular` is false, nothing is read
// and the result is 0.
int ReadRegularFileStart(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& out,
                         bool& regular);

// Writes the bytes at the given position of an existing file in one positioned
// write, without creating, truncating or extending it, and flushes it to disk.
int WriteBytesInPlace(const std::filesystem::path& path, std::uint64_t offset, std::span<const std::uint8_t> bytes);

// Creates a new file holding exactly these bytes and flushes it to disk; a
// file already at `path` is an error and stays as it is, and a link there is
// never followed. On POSIX the new file is readable and writable by its owner
// only (0600). A failed write leaves no file behind.
int WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// WriteNewFile at a name that may be taken: a file or a link of either kind
// standing at `path` is removed first (RemoveName), so the bytes never reach
// the file a link leads to, nor the other names of a hard-linked file. A
// directory there is an error (EISDIR) and stays.
int ReplaceWithNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

int RemoveFile(const std::filesystem::path& path);

// Puts the directory's entries (a new name, a rename) on disk where the
// system can; elsewhere, and on failure, it does nothing.
void SyncDirectory(const std::filesystem::path& directory);

// Removes the name itself: a file's name, or a link, never what a symbolic
// link leads to and never a directory (EISDIR). A missing name is ENOENT. On
// Windows a read-only attribute is cleared first, since deleting needs it, and
// given back when the file keeps other names.
int RemoveName(const std::filesystem::path& path);
// RemoveName where nothing standing at the name is no error (the close-down's
// removal of a working copy, the first step of ReplaceWithNewFile).
int RemoveNameIfAny(const std::filesystem::path& path);

// Makes the directory (and its parents) when missing. On POSIX every folder
// made is 0700, and a directory already there is closed to group and others
// (it only loses those bits, so an owner's read-only stays). Elsewhere the
// folders are only made.
int MakePrivateDirectory(const std::filesystem::path& path);

}  // namespace zovek
