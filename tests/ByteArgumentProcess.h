#pragma once
// Starts a program with its arguments as bytes. QProcess hands arguments over
// as UTF-8, so a file name that is not UTF-8 cannot go through it: here the
// arguments are lossless texts (savefile/PathEncoding.h), and the child, once
// QProcess has set up its pipes and its directory, starts the program itself
// with their bytes. Windows passes arguments as UTF-16: there QProcess does.

#include <string>
#include <vector>

#include <QProcess>
#include <QString>
#include <QStringList>

#include "savefile/PathEncoding.h"

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace zovek::testprocess {

inline void StartWithArgumentBytes(QProcess& process, const QString& program, const QStringList& arguments) {
#if defined(Q_OS_UNIX)
  std::vector<std::string> texts{program.toStdString()};
  for (const QString& argument : arguments) texts.push_back(BytesFromText(argument.toStdU16String()));
  const QProcessEnvironment set = process.processEnvironment();
  std::vector<std::string> environment;
  for (const QString& entry : (set.isEmpty() ? QProcessEnvironment::systemEnvironment() : set).toStringList()) {
    environment.push_back(entry.toStdString());
  }
  // Made before the fork: the child only calls execve.
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  process.setChildProcessModifier([&argv, &envp] {
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  });
  process.start(program, {});
  process.setChildProcessModifier({});
#else
  process.start(program, arguments);
#endif
}

}  // namespace zovek::testprocess
