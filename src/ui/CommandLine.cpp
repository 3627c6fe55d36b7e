#include "ui/CommandLine.h"

#include <algorithm>
#include <string>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include "savefile/PathEncoding.h"
#include "ui/LanguageChoice.h"

#ifndef ZOVEK_VERSION
#define ZOVEK_VERSION "unknown"
#endif

namespace zovek {

namespace {

// Qt's own options as QGuiApplication, QApplication and the platform plugins
// read them, written with one dash or two: those that take the next argument
// as their value, and those that stand alone.
const QStringList kQtOptionsWithValue = {
    QStringLiteral("platform"),    QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),      QStringLiteral("qwindowgeometry"),    QStringLiteral("geometry"),
    QStringLiteral("qwindowicon"), QStringLiteral("icon"),               QStringLiteral("qwindowtitle"),
    QStringLiteral("title"),       QStringLiteral("session"),            QStringLiteral("style"),
    QStringLiteral("stylesheet"),  QStringLiteral("display"),            QStringLiteral("name"),
    QStringLiteral("visual"),      QStringLiteral("qmljsdebugger"),
};
const QStringList kQtFlagOptions = {
    QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
    QStringLiteral("dograb"),  QStringLiteral("sync"),        QStringLiteral("testability"),
};

// The option's name without its dashes and without "=value"; empty for what
// is not written as an option ("-" alone, "--", a file name).
QString OptionName(const QString& argument) {
  if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-')) || argument == QStringLiteral("--")) return {};
  QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
  const qsizetype equals = name.indexOf(QLatin1Char('='));
  return equals < 0 ? name : name.left(equals);
}

}  // namespace

EditorCommandLine ParseEditorCommandLine(const QStringList& arguments) {
  EditorCommandLine line;
  auto wrong = [&line](const QString& problem) {
    line.action = EditorCommandLine::Action::Wrong;
    line.problem = problem;
    return line;
  };
  // Ours to parse: everything but Qt's options, and all after "--" as it is.
  QStringList ours{arguments.isEmpty() ? QStringLiteral("zovek") : arguments.first()};
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments.at(i);
    if (argument == QStringLiteral("--")) {
      ours.append(arguments.mid(i));
      break;
    }
    const QString name = OptionName(argument);
    if (kQtFlagOptions.contains(name) && !argument.contains(QLatin1Char('='))) {
      line.qtOptions.append(argument);
    } else if (kQtOptionsWithValue.contains(name)) {
      line.qtOptions.append(argument);
      if (argument.contains(QLatin1Char('='))) continue;  // -style=fusion carries its value
      if (i + 1 >= arguments.size()) return wrong(QStringLiteral("option '%1' needs a value").arg(argument));
      line.qtOptions.append(arguments.at(++i));
    } else {
      ours.append(argument);
    }
  }

  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption language(QStringLiteral("language"), {}, QStringLiteral("LANG"));
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(language);
  if (!parser.parse(ours)) return wrong(parser.errorText());
  if (parser.isSet(help) || parser.isSet(version)) {
    line.action = parser.isSet(help) ? EditorCommandLine::Action::Help : EditorCommandLine::Action::Version;
    return line;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) return wrong(QStringLiteral("one FILE at most, not %1").arg(files.size()));
  line.file = files.value(0);  // empty when none is named
  if (parser.isSet(language)) {
    line.language = parser.value(language);
    const std::string asked = line.language.toStdString();
    if (std::find(kWindowLanguages.begin(), kWindowLanguages.end(), asked) == kWindowLanguages.end()) {
      return wrong(QStringLiteral("unknown language '%1' (ja or en)").arg(line.language));
    }
  }
  return line;
}

QStringList ProgramArguments(int argc, char* argv[]) {
  if (kPathsAreBytes) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromStdU16String(TextFromBytes(argv[i])));
    return arguments;
  }
  int count = argc;
  const QCoreApplication decoder(count, argv);
  return QCoreApplication::arguments();
}

QByteArray ArgumentBytes(const QString& argument) {
  return kPathsAreBytes ? QByteArray::fromStdString(BytesFromText(argument.toStdU16String())) : argument.toLocal8Bit();
}

QString EditorHelpText() {
  return QStringLiteral(
      "Usage: zovek [OPTIONS] [FILE]\n"
      "\n"
      "The Zovek save-data editor: opens FILE in its window. When the editor is\n"
      "already running, FILE is handed to that window, which comes forward. FILE is\n"
      "a memory-card image (131072 bytes; in the .gme container; behind a VgsM\n"
      "header; in the signed .vmp form) or a single save (8320 bytes; the 8192-byte\n"
      "block alone, named after its save; behind a 54-byte header; in the signed\n"
      ".psv form). A signed form opens for reading only: its key's holder alone\n"
      "could sign it again.\n"
      "\n"
      "Options:\n"
      "  -h, --help       print this help and exit\n"
      "  -v, --version    print the version and the licence and exit\n"
      "  --language LANG  the window's language for this run: ja or en\n"
      "  --               end of the options: what follows is FILE, even when it\n"
      "                   begins with a dash (zovek -- -x.mcr)\n"
      "Qt's own options are passed on to Qt, with their values: -platform NAME,\n"
      "-style NAME, -stylesheet FILE, -reverse, -session ID, -qwindowgeometry\n"
      "GEOMETRY (-geometry on X11), -qwindowtitle TITLE and the others Qt takes.\n"
      "\n"
      "The window follows the system's languages (LANGUAGE, LC_ALL, LC_MESSAGES,\n"
      "LANG) and is Japanese when none of them is Japanese or English; --language\n"
      "overrides them for one run. A FILE handed to an editor already running opens\n"
      "in that editor's language.\n"
      "\n"
      "Arguments:\n"
      "  FILE             the save file to open\n"
      "\n"
      "Exit status:\n"
      "  0   the window was closed, or FILE was handed to the running editor\n"
      "  1   FILE could not be handed to the running editor (a box says so)\n"
      "  64  the command line is wrong\n"
      "\n"
      "For terminals and scripts, see zovek-cli --help.\n");
}

QString EditorVersionText() {
  return QStringLiteral("zovek " ZOVEK_VERSION "\n"
                        "License GPL-3.0-or-later: GNU GPL version 3 or later "
                        "<https://gnu.org/licenses/gpl.html>.\n");
}

QString EditorUsageText() {
  return QStringLiteral("Usage: zovek [OPTIONS] [FILE]\nRun 'zovek --help' for the options.\n");
}

}  // namespace zovek
