#pragma once
// The Qt side of the programs' data directory (session/UserDataDirectory.h) and of
// paths: QString names for Qt code, and the conversion between the two.

#include <filesystem>
#include <QString>

#include "session/UserDataDirectory.h"

namespace zovek {

// The per-user data directory, created when missing.
QString ProgramDataDirectory();

// The working copy of an opened memory-card image.
QString WorkingCopyFile();

// A Qt path as a filesystem path and back, whatever the system's path encoding.
// On POSIX a name that is not UTF-8 is held losslessly (savefile/PathEncoding.h);
// Qt's own file functions would turn its bytes into U+FFFD, so such a name
// goes through std::filesystem.
std::filesystem::path ToFsPath(const QString& path);
QString FromFsPath(const std::filesystem::path& path);

}  // namespace zovek
