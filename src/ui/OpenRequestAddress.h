#pragma once
// Where the running editor listens for the requests of later starts. There is
// one address per data directory, as there is one instance lock per data
// directory, and only the current user can reach it.

#include <QCryptographicHash>
#include <QString>

namespace zovek {

// The part of the address both systems share: a short digest of the data
// directory, so that editors with different data directories never meet.
inline QString OpenRequestChannelId(const QString& dataDirectory) {
  const QByteArray digest = QCryptographicHash::hash(dataDirectory.toUtf8(), QCryptographicHash::Sha1);
  return QStringLiteral("zovek-") + QString::fromLatin1(digest.toHex().left(16));
}

// The name to give QLocalServer and QLocalSocket: on POSIX systems the full
// path of a socket in a directory only this user can enter, on Windows a pipe
// name. Empty when there is no safe place short enough for a socket name;
// then the editor runs without hand-over.
QString OpenRequestServerName(const QString& dataDirectory);

}  // namespace zovek
