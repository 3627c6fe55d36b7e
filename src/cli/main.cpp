// zovek-cli: the editor's companion for terminals and scripts. It reads save
// files with the editor's core, and writes one save as the window does.
#include <iostream>

#include <QCoreApplication>

#include "cli/CliCommands.h"
#include "savefile/PathEncoding.h"

namespace {

// On POSIX an argument is bytes and a file name need not be UTF-8: each is
// kept whole (savefile/PathEncoding.h). Windows passes UTF-16, which Qt reads.
QStringList Arguments(int argc, char** argv) {
  if (!zovek::kPathsAreBytes) return QCoreApplication::arguments();
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromStdU16String(zovek::TextFromBytes(argv[i])));
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  // The application object only decodes the arguments on Windows; there is
  // no event loop.
  const QCoreApplication app(argc, argv);
  std::ios::sync_with_stdio(false);
  const int status = zovek::cli::RunCli(Arguments(argc, argv), std::cin, std::cout, std::cerr);
  std::cout.flush();
  return std::cout.fail() && status == zovek::cli::kExitOk ? zovek::cli::kExitFileProblem : status;
}
