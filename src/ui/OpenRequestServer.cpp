#include "ui/OpenRequestServer.h"

#include <memory>

#include <QLocalSocket>
#include <QTimer>

#include "ui/OpenRequestProtocol.h"

namespace zovek {

namespace {

constexpr qsizetype kMaxFrameBytes = kOpenRequestHeaderBytes + kMaxOpenRequestText;

void Drop(QLocalSocket* socket) {
  socket->disconnect();
  socket->abort();
  socket->deleteLater();
}

}  // namespace

OpenRequestServer::OpenRequestServer(QObject* parent) : QObject(parent) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, [this] { Accept(); });
}

bool OpenRequestServer::Listen(const QString& name) {
  if (name.isEmpty()) {
    return false;
  }
  QLocalServer::removeServer(name);
  return server_.listen(name);
}

void OpenRequestServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    // Sockets are the server's children until they are deleted.
    if (server_.findChildren<QLocalSocket*>(Qt::FindDirectChildrenOnly).size() > kMaxConnections) {
      Drop(socket);
      continue;
    }
    auto received = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket, received] { Read(socket, *received); });
    // A client may write and leave before its bytes are read: read them first.
    connect(socket, &QLocalSocket::disconnected, socket, [this, socket, received] {
      Read(socket, *received);
      Drop(socket);
    });
    // The deadline is cancelled with the socket.
    QTimer::singleShot(kConnectionTimeoutMs, socket, [socket] { Drop(socket); });
    if (socket->bytesAvailable() > 0) {
      Read(socket, *received);
    }
  }
}

void OpenRequestServer::Read(QLocalSocket* socket, QByteArray& received) {
  // Never more than one frame and one byte: enough to see that it is too long.
  received.append(socket->read(kMaxFrameBytes + 1 - received.size()));
  const DecodedOpenRequest request = DecodeOpenRequest(received);
  if (request.status == FrameStatus::Incomplete && received.size() <= kMaxFrameBytes) {
    return;
  }
  Drop(socket);
  if (request.status == FrameStatus::Valid) {
    Q_EMIT Requested(request.path);
  }
}

}  // namespace zovek
