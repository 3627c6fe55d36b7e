#include "ui/ProgramData.h"

#include <QDir>
#include <QStandardPaths>

namespace zovek {

QString ProgramDataDirectory() {
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(dir);  // a failure shows later as a file error of the command
  return dir;
}

QString WorkingCopyFile() {
  return QDir(ProgramDataDirectory()).filePath(QString::fromUtf8(kWorkingCopyName));
}

std::filesystem::path ToFsPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace zovek
