#pragma once
// The program's own data directory (per user) and the files it keeps there.

#include <filesystem>
#include <QString>

namespace zovek {

inline constexpr const char* kApplicationName = "zovek";
inline constexpr const char* kWorkingCopyName = "zovek.tmp";

// The per-user application data directory, created when missing.
QString ProgramDataDirectory();

// The working copy of an opened memory-card image.
QString WorkingCopyFile();
// Further working copy names (2: "zovek-2.tmp", ...), for when the user has
// opened a working copy as their own file.
QString WorkingCopyFile(int number);

// Where the save command backs up a file before it writes into it.
QString BackupDirectory();

// A Qt path as a filesystem path, whatever the system's path encoding.
std::filesystem::path ToFsPath(const QString& path);

// The full path of the file a path names, links and ".." resolved, so that two
// names of one file compare equal (the path as it is when it can't be resolved).
std::filesystem::path ResolvedPath(const QString& path);

}  // namespace zovek
