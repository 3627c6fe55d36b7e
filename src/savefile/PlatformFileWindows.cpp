// The positioned write of the save command on Windows: one WriteFile at an
// OVERLAPPED offset into the existing file, then FlushFileBuffers, so the save
// is on disk when we report success. New files (the backups) are flushed the
// same way before the save goes on.
// A document to read is opened without waiting and read only from a disk file.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"

namespace zovek {

namespace {

// The numbers the user sees are the C library's errno values, as everywhere
// else in the program (std::filesystem reports those on Windows too), so
// Windows' own error codes are turned into them.
int ErrorNumberOf(DWORD code, const std::filesystem::path& path) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED: {
      // Opening a folder for writing is refused as access denied.
      const DWORD attributes = ::GetFileAttributesW(path.c_str());
      const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      return folder ? EISDIR : EACCES;
    }
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    default:
      return EIO;
  }
}

// Writes all bytes from `offset` on, in positioned WriteFile calls of at most
// 0x7FFFFFFF bytes each (the count is a DWORD), then flushes the file to disk.
// Both the in-place save and the new backup file go through here.
// Returns Windows' own error code; the callers turn it into an errno value.
int WriteAllAndFlush(HANDLE file, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const std::uint64_t position = offset + written;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 0x7FFFFFFFu));
    DWORD n = 0;
    if (!::WriteFile(file, bytes.data() + written, chunk, &n, &at)) {
      return static_cast<int>(::GetLastError());
    }
    if (n == 0) {
      return ERROR_WRITE_FAULT;
    }
    written += n;
  }
  if (!::FlushFileBuffers(file)) {
    return static_cast<int>(::GetLastError());
  }
  return 0;
}

}  // namespace

int ReadRegularFileStart(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& out,
                         bool& regular) {
  // Opening never waits here: a pipe without a server fails at once.
  regular = false;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const int error = ErrorNumberOf(::GetLastError(), path);
    return error == EISDIR ? 0 : error;  // a folder is not a regular file
  }
  int error = 0;
  if (::GetFileType(file) == FILE_TYPE_DISK) {
    regular = true;
    error = ReadAtMost(
        [file, &path](std::span<std::uint8_t> into, std::size_t& got) {
          DWORD n = 0;
          const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(into.size(), 0x7FFFFFFFu));
          if (!::ReadFile(file, into.data(), chunk, &n, nullptr)) {
            return ErrorNumberOf(::GetLastError(), path);
          }
          got = n;
          return 0;
        },
        limit, out);
  }
  ::CloseHandle(file);
  return error;
}

int WriteBytesInPlace(const std::filesystem::path& path, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  // OPEN_EXISTING: a missing file stays missing, a present one keeps its length.
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ErrorNumberOf(::GetLastError(), path);
  }

  int error = 0;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) {
    error = ErrorNumberOf(::GetLastError(), path);
  } else if (size.QuadPart < 0 || offset > static_cast<std::uint64_t>(size.QuadPart) ||
             bytes.size() > static_cast<std::uint64_t>(size.QuadPart) - offset) {
    error = kErrFileChanged;  // writing would extend the file, so it is not the file we opened
  }

  if (error == 0) {
    if (const int code = WriteAllAndFlush(file, offset, bytes); code != 0) {
      error = ErrorNumberOf(static_cast<DWORD>(code), path);
    }
  }
  if (!::CloseHandle(file) && error == 0) {
    error = ErrorNumberOf(::GetLastError(), path);
  }
  return error;
}

int WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  // CREATE_NEW: never replace a file that is already there; a link standing at
  // the name counts as there, so nothing is created where it points.
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ErrorNumberOf(::GetLastError(), path);
  }

  DWORD code = static_cast<DWORD>(WriteAllAndFlush(file, 0, bytes));
  if (!::CloseHandle(file) && code == 0) {
    code = ::GetLastError();
  }
  if (code != 0) {
    ::DeleteFileW(path.c_str());
    return ErrorNumberOf(code, path);
  }
  return 0;
}

int RemoveName(const std::filesystem::path& path) {
  // The name itself: a link is opened as the link, not as what it leads to.
  HANDLE file = ::CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ErrorNumberOf(::GetLastError(), path);
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) {
    const int error = ErrorNumberOf(::GetLastError(), path);
    ::CloseHandle(file);
    return error;
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    ::CloseHandle(file);
    return EISDIR;  // a folder, or a link to one: never removed
  }
  // A read-only file cannot be deleted. The attribute belongs to the file, not
  // the name, so a file that keeps other names gets it back.
  const bool readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  FILE_BASIC_INFO basic{};
  DWORD code = 0;
  if (readOnly) {
    // 0 would mean "leave the attributes as they are"; NORMAL stands alone.
    const DWORD rest = info.dwFileAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    basic.FileAttributes = rest != 0 ? rest : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic)) {
      code = ::GetLastError();
    }
  }
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  if (code == 0 && !::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition)) {
    code = ::GetLastError();
  }
  if (readOnly && (code != 0 || info.nNumberOfLinks > 1)) {
    basic.FileAttributes = info.dwFileAttributes;
    static_cast<void>(::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic));
  }
  if (!::CloseHandle(file) && code == 0) {
    code = ::GetLastError();
  }
  return code == 0 ? 0 : ErrorNumberOf(code, path);
}

int MakePrivateDirectory(const std::filesystem::path& path) {
  // Windows keeps %APPDATA% to its user already; the folder takes that from its parent.
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (ec) {
    return ec.value();
  }
  if (!std::filesystem::is_directory(path, ec)) {
    return ec ? ec.value() : ENOTDIR;
  }
  return 0;
}

// The lock covers one byte far past the end of any file, so that it blocks no
// read or write of the file's contents by any handle; the handle itself reads
// only and shares everything.
namespace {
constexpr DWORD kLockOffsetLow = 0xFFFFFFFEu;   // 2^63 - 2
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFFu;
}  // namespace

int OpenLockHandle(const std::filesystem::path& path, long long& handle) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ErrorNumberOf(::GetLastError(), path);
  }
  handle = reinterpret_cast<long long>(file);
  return 0;
}

int TryLockHandle(long long handle) {
  OVERLAPPED at{};
  at.Offset = kLockOffsetLow;
  at.OffsetHigh = kLockOffsetHigh;
  if (::LockFileEx(reinterpret_cast<HANDLE>(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &at)) {
    return 0;
  }
  const DWORD code = ::GetLastError();
  return code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING ? kErrFileLocked
                                                                  : ErrorNumberOf(code, std::filesystem::path());
}

void CloseLockHandle(long long handle) { ::CloseHandle(reinterpret_cast<HANDLE>(handle)); }

}  // namespace zovek
