#include "savefile/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>
#include <vector>

#include "savefile/ErrorNumbers.h"
#include "savefile/OpenedFile.h"

namespace zovek {

namespace fs = std::filesystem;

namespace {

constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// The C runtime sets errno when a stream fails to open or read; fall back to
// EIO when it did not say why.
int LastStreamError() { return errno != 0 ? errno : EIO; }

}  // namespace

int FileLength(const fs::path& path, std::uint64_t& length) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) {
    return ec.value();
  }
  length = size;
  return 0;
}

bool IsReadOnly(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) {
    return false;
  }
  return (status.permissions() & kAnyWrite) == fs::perms::none;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

int ClearReadOnly(const fs::path& path) {
  std::error_code ec;
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
  return ec.value();
}

int RemoveNameIfAny(const fs::path& path) {
  const int error = RemoveName(path);
  return error == static_cast<int>(std::errc::no_such_file_or_directory) ? 0 : error;
}

int ReplaceWithNewFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
  if (const int error = RemoveNameIfAny(path); error != 0) {
    return error;
  }
  return WriteNewFile(path, bytes);
}

int ReadAtMost(const ReadSome& source, std::size_t limit, std::vector<std::uint8_t>& out) {
  constexpr std::size_t kChunk = 64 * 1024;
  std::vector<std::uint8_t> chunk(kChunk);
  while (out.size() < limit) {
    const std::size_t room = std::min(kChunk, limit - out.size());
    std::size_t got = 0;
    if (const int error = source(std::span(chunk.data(), room), got); error != 0) {
      return error;
    }
    if (got == 0) {
      break;
    }
    out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(std::min(got, room)));
  }
  return 0;
}

// Through the open file, as the save's own write goes: the write lands in the
// file that was opened, within its length.
int WriteBytesInPlace(const fs::path& path, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  OpenedFile file;
  int error = file.Open(path);
  if (error == 0) error = file.OpenForWriting();
  if (error == 0) error = file.WriteAt(offset, bytes);
  if (error == 0) error = file.Flush();
  return error;
}

int ReadBytesAt(const fs::path& path, std::uint64_t offset, std::span<std::uint8_t> out) {
  // The length check also turns a directory or a missing file into the
  // system's own error before any stream is involved.
  std::uint64_t length = 0;
  if (const int error = FileLength(path, length); error != 0) {
    return error;
  }
  if (offset > length || out.size() > length - offset) {
    return kErrShortRead;
  }

  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return LastStreamError();
  }
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (static_cast<std::uint64_t>(in.gcount()) != out.size()) {
    return in.bad() ? LastStreamError() : kErrShortRead;  // the file shrank under us
  }
  return 0;
}

int RemoveFile(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (ec) {
    return ec.value();
  }
  if (fs::is_directory(status)) {
    return static_cast<int>(std::errc::is_a_directory);  // never remove a directory by accident
  }
  if (!fs::remove(path, ec) && !ec) {
    return static_cast<int>(std::errc::no_such_file_or_directory);
  }
  return ec.value();
}

}  // namespace zovek
