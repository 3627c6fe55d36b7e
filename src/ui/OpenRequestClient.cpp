#include "ui/OpenRequestClient.h"

#include <QLocalSocket>

#include "ui/OpenRequestProtocol.h"

namespace zovek {

namespace {
constexpr int kWaitMs = 1000;
}  // namespace

bool SendOpenRequest(const QString& serverName, const QString& path) {
  if (serverName.isEmpty()) {
    return false;
  }
  QLocalSocket socket;
  socket.connectToServer(serverName, QIODevice::WriteOnly);
  if (!socket.waitForConnected(kWaitMs)) {
    return false;
  }
  socket.write(EncodeOpenRequest(path));
  while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kWaitMs)) {
  }
  const bool sent = socket.bytesToWrite() == 0;
  socket.disconnectFromServer();
  return sent;
}

}  // namespace zovek
