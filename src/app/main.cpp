// The Zovek save-data editor.

#include <QApplication>

#include "session/UserDataDirectory.h"
#include "ui/Startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(zovek::kApplicationName));
  zovek::Startup startup;
  return startup.Run(app);
}
