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
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace zovek {

inline constexpr int kBackupsKept = 10;

// Makes `bytes`, the file `file` as it was just read, its newest backup in
// `directory` (made when missing). The backup is written under a temporary
// name (its own name followed by ".part"), flushed, and only then given its
// name, the folder flushed after: a backup's name always stands for a whole
// backup. A temporary file that an interrupted backup of the same file left is
// removed first (never another file's). Then the oldest backups of that file
// beyond kBackupsKept are deleted; other files' backups and anything else in
// the directory are left alone. Returns 0, or the error number of the step
// that failed (making the directory, writing or naming the copy); then nothing
// was deleted and no backup is left half-written. A backup that was made but
// whose older siblings could not be deleted is a success: the file is safe,
// only space is spent. `made`, when given, receives the backup's path.
int BackUpBytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                const std::filesystem::path& directory, std::chrono::system_clock::time_point now,
                std::filesystem::path* made = nullptr);

// The backups of `file` in `directory`, oldest first (empty when there are none
// or the directory cannot be read).
std::vector<std::filesystem::path> ListBackups(const std::filesystem::path& file,
                                               const std::filesystem::path& directory);

}  // namespace zovek
