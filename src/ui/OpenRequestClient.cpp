#include "ui/OpenRequestClient.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

#include "ui/OpenRequestProtocol.h"

namespace zovek {

bool SendOpenRequest(const QString& serverName, const QString& path) {
  if (serverName.isEmpty()) {
    return false;
  }
  const QDeadlineTimer deadline(3000);  // for the connection and the bytes together
  QLocalSocket socket;
  socket.connectToServer(serverName, QIODevice::WriteOnly);
  if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
    return false;
  }
  socket.write(EncodeOpenRequest(path));
  while (socket.bytesToWrite() > 0 && !deadline.hasExpired() &&
         socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
  }
  const bool sent = socket.bytesToWrite() == 0;
  socket.disconnectFromServer();
  return sent;
}

}  // namespace zovek
