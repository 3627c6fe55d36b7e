// zovek-cli: the editor's companion for terminals and scripts. It reads save
// files with the editor's core, and writes one save as the window does.
#include <iostream>

#include <QCoreApplication>

#include "cli/CliCommands.h"

int main(int argc, char** argv) {
  // The application object only decodes the arguments the way the platform
  // passes them; there is no event loop.
  const QCoreApplication app(argc, argv);
  std::ios::sync_with_stdio(false);
  const int status = zovek::cli::RunCli(QCoreApplication::arguments(), std::cin, std::cout, std::cerr);
  std::cout.flush();
  return std::cout.fail() && status == zovek::cli::kExitOk ? zovek::cli::kExitFileProblem : status;
}
