#include "ui/ProgramData.h"

#include <system_error>

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

QString WorkingCopyFile(int number) {
  if (number <= 1) {
    return WorkingCopyFile();
  }
  return QDir(ProgramDataDirectory()).filePath(QStringLiteral("zovek-%1.tmp").arg(number));
}

QString BackupDirectory() { return QDir(ProgramDataDirectory()).filePath(QStringLiteral("backups")); }

std::filesystem::path ToFsPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

std::filesystem::path ResolvedPath(const QString& path) {
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(ToFsPath(path), error);
  return error ? ToFsPath(path) : resolved;
}

}  // namespace zovek
