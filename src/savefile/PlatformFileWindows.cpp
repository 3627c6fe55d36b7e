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
#include <initializer_list>
#include <system_error>

#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"
#include "savefile/OpenedFile.h"

namespace zovek {

namespace {

// The numbers the user sees are the C library's errno values, as everywhere
// else in the program (std::filesystem reports those on Windows too), so
// Windows' own error codes are turned into them.
struct ErrorNumberRow {
  int error;
  std::initializer_list<DWORD> codes;
};
const ErrorNumberRow kErrorNumbers[] = {
    {ENOENT, {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_INVALID_DRIVE, ERROR_BAD_NETPATH, ERROR_BAD_NET_NAME}},
    {EACCES, {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, ERROR_WRITE_PROTECT}},
    {EEXIST, {ERROR_FILE_EXISTS, ERROR_ALREADY_EXISTS}},
    {ENOSPC, {ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL}},
    {ENOMEM, {ERROR_NOT_ENOUGH_MEMORY, ERROR_OUTOFMEMORY}},
    {ENAMETOOLONG, {ERROR_FILENAME_EXCED_RANGE}},
};

int ErrorNumberOf(DWORD code, const std::filesystem::path& path) {
  if (code == ERROR_ACCESS_DENIED) {
    // Opening a folder for writing is refused as access denied.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return folder ? EISDIR : EACCES;
  }
  for (const ErrorNumberRow& row : kErrorNumbers) {
    if (std::find(row.codes.begin(), row.codes.end(), code) != row.codes.end()) return row.error;
  }
  return EIO;  // any other failure
}

// Runs ReadFile or WriteFile (`transfer`, given the bytes done so far, the
// count for this call, the count done and the position) until all `size`
// bytes from `offset` are done, in calls of at most 0x7FFFFFFF bytes (the
// count is a DWORD). Returns Windows' own error code, `atEnd` for a call that
// moved no byte; the callers turn it into an errno value.
template <typename Transfer>
DWORD TransferAll(std::uint64_t offset, std::size_t size, DWORD atEnd, Transfer transfer) {
  std::size_t done = 0;
  while (done < size) {
    const std::uint64_t position = offset + done;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 0x7FFFFFFFu));
    DWORD n = 0;
    if (!transfer(done, chunk, n, at)) {
      return ::GetLastError();
    }
    if (n == 0) {
      return atEnd;
    }
    done += n;
  }
  return 0;
}

int WriteAll(HANDLE file, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  return static_cast<int>(TransferAll(offset, bytes.size(), ERROR_WRITE_FAULT,
                                      [&](std::size_t done, DWORD chunk, DWORD& n, OVERLAPPED& at) {
                                        return ::WriteFile(file, bytes.data() + done, chunk, &n, &at);
                                      }));
}

// WriteAll, then the file flushed to disk: every new file (backups, working
// copies) goes through here.
int WriteAllAndFlush(HANDLE file, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  if (const int code = WriteAll(file, offset, bytes); code != 0) {
    return code;
  }
  if (!::FlushFileBuffers(file)) {
    return static_cast<int>(::GetLastError());
  }
  return 0;
}

// Sets the file's attributes and nothing else (a time of 0 is left as it is).
bool SetAttributes(HANDLE file, DWORD attributes) {
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = attributes;
  return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
}

// The attributes less read-only. 0 would mean "leave the attributes as they
// are"; NORMAL stands alone.
DWORD WithoutReadOnly(DWORD attributes) {
  const DWORD rest = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
  return rest != 0 ? rest : FILE_ATTRIBUTE_NORMAL;
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
  DWORD code = 0;
  if (readOnly && !SetAttributes(file, WithoutReadOnly(info.dwFileAttributes))) {
    code = ::GetLastError();
  }
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  if (code == 0 && !::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition)) {
    code = ::GetLastError();
  }
  if (readOnly && (code != 0 || info.nNumberOfLinks > 1)) {
    static_cast<void>(SetAttributes(file, info.dwFileAttributes));
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

void SyncDirectory(const std::filesystem::path&) {
  // NTFS journals its directory entries itself; there is no call for a folder.
}

// The user's file for a whole write. The lock covers one byte far past the
// end of any file, so that it blocks no read or write of the file's contents
// by any handle; the read handle shares everything.
namespace {

constexpr DWORD kLockOffsetLow = 0xFFFFFFFEu;  // 2^63 - 2
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFFu;

HANDLE AsHandle(long long handle) { return reinterpret_cast<HANDLE>(handle); }

// Which file a handle is: the volume's serial number and the file's index.
bool Identity(HANDLE file, std::uint64_t& volume, std::uint64_t& index, DWORD* attributes = nullptr) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) return false;
  volume = info.dwVolumeSerialNumber;
  index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  if (attributes != nullptr) *attributes = info.dwFileAttributes;
  return true;
}

}  // namespace

int OpenedFile::Open(const std::filesystem::path& path) {
  Close();
  // FILE_WRITE_ATTRIBUTES: a read-only card is made writable through this
  // handle. Opening never waits: a pipe without a server fails at once.
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ErrorNumberOf(::GetLastError(), path);
  }
  int error = 0;
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    error = kErrFileChanged;
  } else if (!Identity(file, device_, index_)) {
    error = ErrorNumberOf(::GetLastError(), path);
  }
  if (error != 0) {
    ::CloseHandle(file);
    return error;
  }
  path_ = path;
  read_ = reinterpret_cast<long long>(file);
  return 0;
}

int OpenedFile::TryLock() {
  if (read_ == kNoHandle) return EBADF;
  OVERLAPPED at{};
  at.Offset = kLockOffsetLow;
  at.OffsetHigh = kLockOffsetHigh;
  if (::LockFileEx(AsHandle(read_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    return 0;
  }
  const DWORD code = ::GetLastError();
  return code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING ? kErrFileLocked : ErrorNumberOf(code, path_);
}

void OpenedFile::Close() {
  if (write_ != kNoHandle) ::CloseHandle(AsHandle(write_));
  if (read_ != kNoHandle) ::CloseHandle(AsHandle(read_));  // drops the lock with it
  read_ = write_ = kNoHandle;
  locked_ = madeWritable_ = false;
}

int OpenedFile::Length(std::uint64_t& length) const {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(AsHandle(read_), &size) || size.QuadPart < 0) {
    return ErrorNumberOf(::GetLastError(), path_);
  }
  length = static_cast<std::uint64_t>(size.QuadPart);
  return 0;
}

int OpenedFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  const DWORD code = TransferAll(offset, out.size(), ERROR_HANDLE_EOF,
                                 [&](std::size_t done, DWORD chunk, DWORD& n, OVERLAPPED& at) {
                                   return ::ReadFile(AsHandle(read_), out.data() + done, chunk, &n, &at);
                                 });
  if (code == 0) return 0;
  return code == ERROR_HANDLE_EOF ? kErrShortRead : ErrorNumberOf(code, path_);
}

bool OpenedFile::ReadOnly() const {
  std::uint64_t volume = 0, index = 0;
  DWORD attributes = 0;
  return Identity(AsHandle(read_), volume, index, &attributes) && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

int OpenedFile::MakeWritable() {
  std::uint64_t volume = 0, index = 0;
  DWORD attributes = 0;
  if (!Identity(AsHandle(read_), volume, index, &attributes)) {
    return ErrorNumberOf(::GetLastError(), path_);
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) return 0;
  if (!SetAttributes(AsHandle(read_), WithoutReadOnly(attributes))) {
    return ErrorNumberOf(::GetLastError(), path_);
  }
  mode_ = attributes;
  madeWritable_ = true;
  return 0;
}

void OpenedFile::GiveBackMode() {
  if (madeWritable_ && SetAttributes(AsHandle(read_), static_cast<DWORD>(mode_))) {
    madeWritable_ = false;
  }
}

int OpenedFile::OpenForWriting() {
  HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ErrorNumberOf(::GetLastError(), path_);
  }
  std::uint64_t volume = 0, index = 0;
  if (::GetFileType(file) != FILE_TYPE_DISK || !Identity(file, volume, index) || volume != device_ ||
      index != index_) {
    ::CloseHandle(file);
    return kErrFileChanged;
  }
  write_ = reinterpret_cast<long long>(file);
  return 0;
}

int OpenedFile::CheckName() const {
  // No access asked: only which file the name leads to.
  HANDLE file = ::CreateFileW(path_.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return kErrFileChanged;
  }
  std::uint64_t volume = 0, index = 0;
  const bool same = Identity(file, volume, index) && volume == device_ && index == index_;
  ::CloseHandle(file);
  return same ? 0 : kErrFileChanged;
}

int OpenedFile::Reserve(std::uint64_t, std::uint64_t) {
  // Windows gives an existing file its clusters as it is written; a sparse
  // file is rare there and has no call that allocates without writing.
  return 0;
}

int OpenedFile::WriteWithin(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  const int code = WriteAll(AsHandle(write_), offset, bytes);
  return code == 0 ? 0 : ErrorNumberOf(static_cast<DWORD>(code), path_);
}

int OpenedFile::Flush() {
  return ::FlushFileBuffers(AsHandle(write_)) ? 0 : ErrorNumberOf(::GetLastError(), path_);
}

}  // namespace zovek
