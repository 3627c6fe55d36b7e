#pragma once
// The file operations the editor needs, each returning 0 on success or the
// operating system's error number. std::filesystem does the portable work;
// positioned writes flushed to disk live in one platform file per system.
//
// "Read-only" is the absence of every write permission bit; clearing it gives
// the owner write permission back. The rules are checked by the program itself,
// so they hold for every user, root included.

#include <cstdint>
#include <filesystem>
#include <span>

namespace zovek {

int FileLength(const std::filesystem::path& path, std::uint64_t& length);
bool FileExists(const std::filesystem::path& path);
bool IsReadOnly(const std::filesystem::path& path);
int ClearReadOnly(const std::filesystem::path& path);

// Copies a regular file onto `to`, replacing what is there.
int CopyReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Reads exactly out.size() bytes from the given position; a file that ends
// first is an error (kErrShortRead).
int ReadBytesAt(const std::filesystem::path& path, std::uint64_t offset, std::span<std::uint8_t> out);

// Writes the bytes at the given position of an existing file in one positioned
// write, without creating, truncating or extending it, and flushes it to disk.
int WriteBytesInPlace(const std::filesystem::path& path, std::uint64_t offset, std::span<const std::uint8_t> bytes);

// Creates a new file holding exactly these bytes and flushes it to disk; a
// file already at `path` is an error and stays as it is. A failed write leaves
// no file behind.
int WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

int RemoveFile(const std::filesystem::path& path);

}  // namespace zovek
