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

// A Qt path as a filesystem path, whatever the system's path encoding.
std::filesystem::path ToFsPath(const QString& path);

}  // namespace zovek
