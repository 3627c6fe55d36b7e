#pragma once
// Before the save command overwrites part of a file, the file as it stands on
// disk is copied into the program's backups directory. A backup is named
//
//     <file name>.<path hash>.<UTC time>.bak
//     demo.mcr.3f9a0c12.20250314T101530.123Z.bak
//
// The path hash (8 hex digits of the file's full, resolved path) keeps two
// files of the same name in different folders apart, so each keeps its own ten
// backups. The time is fixed-width and sorts as text; two backups within the
// same millisecond, or after the clock went back, get the next free millisecond
// after the newest backup, so the newest backup always sorts last.

#include <chrono>
#include <filesystem>
#include <vector>

namespace zovek {

inline constexpr int kBackupsKept = 10;

// Copies `file` into `directory` (made when missing), flushed to disk, then
// deletes the oldest backups of that file beyond kBackupsKept; other files'
// backups and anything else in the directory are left alone. Returns 0, or the
// error number of the step that failed (reading the file, making the
// directory, writing the copy); then no backup is left half-written and
// nothing was deleted. A backup that was made but whose older siblings could
// not be deleted is a success: the file is safe, only space is spent.
int BackUpFile(const std::filesystem::path& file, const std::filesystem::path& directory);
int BackUpFile(const std::filesystem::path& file, const std::filesystem::path& directory,
               std::chrono::system_clock::time_point now);

// The backups of `file` in `directory`, oldest first (empty when there are none
// or the directory cannot be read).
std::vector<std::filesystem::path> ListBackups(const std::filesystem::path& file,
                                               const std::filesystem::path& directory);

}  // namespace zovek
