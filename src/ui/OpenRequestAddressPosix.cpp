// The request socket on POSIX systems: in $XDG_RUNTIME_DIR when that is a
// private directory of this user, else in a folder "zovek-<uid>" of the
// temporary directory, made owner-only. A directory that is a link, belongs to
// someone else or lets others in is never used. The socket's whole path must
// fit in sockaddr_un (108 bytes with its NUL on Linux, 104 on macOS).
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "ui/OpenRequestAddress.h"

namespace zovek {

namespace {

bool PrivateDirectory(const QString& dir) {
  struct stat info {};
  return ::lstat(QFile::encodeName(dir).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::getuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

bool FitsSocketAddress(const QString& path) {
  return QFile::encodeName(path).size() < static_cast<qsizetype>(sizeof(sockaddr_un{}.sun_path));
}

QString TemporaryFolder() {
  const QString dir = QDir(QDir::tempPath()).filePath(QStringLiteral("zovek-%1").arg(::getuid()));
  static_cast<void>(::mkdir(QFile::encodeName(dir).constData(), S_IRWXU));  // an existing one is checked below
  return dir;
}

}  // namespace

QString OpenRequestServerName(const QString& dataDirectory) {
  const QString socketName = OpenRequestChannelId(dataDirectory) + QStringLiteral(".sock");
  // The socket's path in `dir`; empty when that is no place for it.
  auto socketIn = [&socketName](const QString& dir) {
    const QString path = QDir(dir).filePath(socketName);
    return PrivateDirectory(dir) && FitsSocketAddress(path) ? path : QString();
  };
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString inRuntime = QDir::isAbsolutePath(runtime) ? socketIn(runtime) : QString();
  return !inRuntime.isEmpty() ? inRuntime : socketIn(TemporaryFolder());
}

}  // namespace zovek
