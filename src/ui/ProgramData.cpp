#include "ui/ProgramData.h"

#include "savefile/PathEncoding.h"

namespace zovek {

QString ProgramDataDirectory() {
  const UserDataDirectory data = UserDataDirectory::ForCurrentUser();
  data.Make();  // a failure shows later as a file error of the command
  return FromFsPath(data.Root());
}

QString WorkingCopyFile() {
  const UserDataDirectory data = UserDataDirectory::ForCurrentUser();
  data.Make();
  return FromFsPath(data.WorkingCopy());
}

std::filesystem::path ToFsPath(const QString& path) { return PathFromText(path.toStdU16String()); }

QString FromFsPath(const std::filesystem::path& path) { return QString::fromStdU16String(TextFromPath(path)); }

}  // namespace zovek
