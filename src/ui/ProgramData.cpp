#include "ui/ProgramData.h"

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

std::filesystem::path ToFsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

QString FromFsPath(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

}  // namespace zovek
