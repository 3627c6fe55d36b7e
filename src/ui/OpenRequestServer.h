#pragma once
// The running editor's end of the hand-over: accepts the connections of later
// starts and reports each valid request. A client that sends nothing, too
// much or garbage is dropped; nothing here ever waits for a client.

#include <QLocalServer>
#include <QObject>
#include <QString>

class QByteArray;
class QLocalSocket;

namespace zovek {

class OpenRequestServer : public QObject {
  Q_OBJECT

 public:
  // How long a connection may take to deliver its frame, and how many may be
  // open at once; more are dropped at once.
  static constexpr int kConnectionTimeoutMs = 2000;
  static constexpr int kMaxConnections = 8;

  explicit OpenRequestServer(QObject* parent = nullptr);

  // Replaces a socket left by an instance that ended and listens, for this
  // user only. Only the holder of the single-instance lock may call it, as it
  // deletes whatever socket is there. False when `name` is empty or the
  // system refuses.
  bool Listen(const QString& name);

 Q_SIGNALS:
  // A valid request: the absolute path of the file to open, or empty when the
  // later start named no file.
  void Requested(const QString& path);

 private:
  void Accept();
  void Read(QLocalSocket* socket, QByteArray& received);

  QLocalServer server_;
};

}  // namespace zovek
