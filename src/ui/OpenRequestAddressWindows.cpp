// The request channel on Windows: a named pipe, which QLocalServer's
// UserAccessOption limits to this user.
#include "ui/OpenRequestAddress.h"

namespace zovek {

QString OpenRequestServerName(const QString& dataDirectory) { return OpenRequestChannelId(dataDirectory); }

}  // namespace zovek
