#pragma once
// A later start's end of the hand-over.

#include <QString>

namespace zovek {

// Sends the running editor at `serverName` a request to open `path` (an
// absolute path), or only to come forward when `path` is empty. Waits at most
// three seconds to connect and for the bytes to go out. False when nobody
// listens or the bytes did not go out in time.
bool SendOpenRequest(const QString& serverName, const QString& path);

}  // namespace zovek
