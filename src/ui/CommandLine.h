#pragma once
// The editor's command line, read before anything else runs: before the
// single-instance step (so that --help is never handed to a running editor
// and makes no data directory) and before the window's application object
// exists (so that --help and --version need no display). Qt's own options
// (-platform, -style, ...) are set apart, with their values, for that object.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zovek {

struct EditorCommandLine {
  enum class Action {
    Run,      // the window, with `file` when one is named
    Help,     // print EditorHelpText() on standard output
    Version,  // print EditorVersionText() on standard output
    Wrong,    // print `problem` and EditorUsageText() on standard error, exit 64
  };
  Action action = Action::Run;
  QString file;           // as given (relative names too), empty when none is named
  QString language;       // --language: "ja" or "en", empty when not given
  QStringList qtOptions;  // Qt's own options with their values, in their order
  QString problem;        // Wrong: one line, without the program's name
};

inline constexpr int kExitCommandLineWrong = 64;

// `arguments` as the program receives them, its name first.
EditorCommandLine ParseEditorCommandLine(const QStringList& arguments);

// The arguments decoded as the platform passes them, without a display. On
// POSIX an argument is bytes: a file name that is not UTF-8 is held
// losslessly (savefile/PathEncoding.h). On Windows a short-lived core
// application object reads the UTF-16 command line.
QStringList ProgramArguments(int argc, char* argv[]);

// An argument as the bytes it came as: the reverse of ProgramArguments.
QByteArray ArgumentBytes(const QString& argument);

// What --help prints; a manual page can be made from it.
QString EditorHelpText();
// What --version prints: the program's version and its licence.
QString EditorVersionText();
// The usage line and a hint, after a wrong command line.
QString EditorUsageText();

}  // namespace zovek
