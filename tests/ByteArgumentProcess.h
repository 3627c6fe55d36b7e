#pragma once
// QProcess passes arguments as UTF-8, which a file name need not be. These
// arguments are lossless texts (savefile/PathEncoding.h); the shell's printf
// makes each byte of them again (an argument may not end in a line feed,
// which "$(...)" drops) and hands them to the program as they are. Windows
// passes UTF-16: there QProcess does.

#include <QProcess>

#include "savefile/PathEncoding.h"

namespace zovek::testprocess {

inline void StartWithArgumentBytes(QProcess& process, const QString& program, const QStringList& arguments) {
#if defined(Q_OS_UNIX)
  QString line = QStringLiteral("exec \"$0\"");
  for (const QString& argument : arguments) {
    line += QStringLiteral(" \"$(printf '");
    for (const char byte : BytesFromText(argument.toStdU16String())) line += QString::asprintf("\\%03o", byte & 0xFF);
    line += QStringLiteral("')\"");
  }
  process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), line, program});
#else
  process.start(program, arguments);
#endif
}

}  // namespace zovek::testprocess
