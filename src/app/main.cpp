// The Zovek save-data editor.

#include <cstdio>
#include <vector>

#include <QApplication>
#include <QByteArray>

#include "session/UserDataDirectory.h"
#include "ui/CommandLine.h"
#include "ui/LanguageChoice.h"
#include "ui/Startup.h"

int main(int argc, char* argv[]) {
  // Read before anything else: --help and --version need no display, and
  // neither reaches a running editor nor makes the data directory.
  const zovek::EditorCommandLine line = zovek::ParseEditorCommandLine(zovek::ProgramArguments(argc, argv));
  switch (line.action) {
    case zovek::EditorCommandLine::Action::Help:
      std::fputs(zovek::EditorHelpText().toLocal8Bit().constData(), stdout);
      return 0;
    case zovek::EditorCommandLine::Action::Version:
      std::fputs(zovek::EditorVersionText().toLocal8Bit().constData(), stdout);
      return 0;
    case zovek::EditorCommandLine::Action::Wrong:
      // An option that is not UTF-8 is named as it was given.
      std::fputs(zovek::ArgumentBytes("zovek: " + line.problem + "\n" + zovek::EditorUsageText()).constData(), stderr);
      return zovek::kExitCommandLineWrong;
    case zovek::EditorCommandLine::Action::Run:
      break;
  }

  // The application object gets the program's name and Qt's own options only:
  // the file, after "--" or not, is never read as one of them.
  std::vector<QByteArray> texts{QByteArray(argc > 0 ? argv[0] : "zovek")};
  for (const QString& option : line.qtOptions) texts.push_back(zovek::ArgumentBytes(option));
  std::vector<char*> qtArgv;
  for (QByteArray& text : texts) qtArgv.push_back(text.data());
  qtArgv.push_back(nullptr);
  int qtArgc = static_cast<int>(texts.size());
  QApplication app(qtArgc, qtArgv.data());
  QApplication::setApplicationName(QString::fromLatin1(zovek::kApplicationName));
  zovek::Startup startup;
  return startup.Run(line.file, QString::fromStdString(zovek::ChooseWindowLanguage(line.language.toStdString())));
}
