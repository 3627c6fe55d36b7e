#include "cli/CliCommands.h"

#include <algorithm>

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "cli/Command.h"

#ifndef ZOVEK_VERSION
#define ZOVEK_VERSION "unknown"
#endif

namespace zovek::cli {

namespace {

constexpr const char* kUsageHead =
    "Usage: zovek-cli COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Reads save files of Zovek with the editor's own layout and name tables, and\n"
    "writes one save as the editor's window does. The forms it reads:\n"
    "  memory-card images: 131072 bytes; in the .gme container (134976 bytes);\n"
    "    behind a VgsM header (131136); in the signed .vmp form (131200)\n"
    "  single saves: 8320 bytes (frame and block); the 8192-byte block alone,\n"
    "    named after its save; behind a 54-byte header (8246); in the signed\n"
    "    .psv form (8324)\n"
    "A signed form is read, dumped, compared and verified, never written: only\n"
    "its key's holder could sign it again.\n"
    "\n"
    "Commands:\n";

// After the commands' own lines.
constexpr const char* kUsageTail =
    "\n"
    "Options:\n"
    "  -h, --help           this text (also after a command)\n"
    "  --version            the program's version\n"
    "\n"
    "Exit status:\n"
    "  0   all went well (verify: every save is sound; diff: the saves are the same)\n"
    "  1   verify: a save's checksum byte does not match its data; diff: the\n"
    "      saves differ\n"
    "  2   a file cannot be read, is not a supported file, holds no save of the\n"
    "      game, or lacks the save asked for; set/apply: the backup or the write\n"
    "      failed, another zovek program kept the file locked for 5 s, another\n"
    "      program changed the save since it was read, or another file was put at\n"
    "      its name (nothing written, unless the line says the save may be damaged)\n"
    "  64  the command line is wrong (an option given twice; set/apply: a key or\n"
    "      value, a document that is not a file or is too long; nothing written)\n"
    "Problems are reported on standard error, one line each, naming the file;\n"
    "control characters in names and keys are written as \\n, \\t or \\xHH.\n";

}  // namespace

extern const Command kInfoCommand, kDumpCommand, kVerifyCommand, kSetCommand, kApplyCommand, kDiffCommand,
    kKeysCommand;

const std::vector<const Command*>& Commands() {
  static const std::vector<const Command*> commands{&kInfoCommand,  &kDumpCommand, &kVerifyCommand, &kSetCommand,
                                                    &kApplyCommand, &kDiffCommand, &kKeysCommand};
  return commands;
}

const char* UsageText() {
  static const std::string usage = [] {
    std::string text = kUsageHead;
    for (const Command* command : Commands()) text += command->usage;
    return text + kUsageTail;
  }();
  return usage.c_str();
}

int RunCli(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
  if (arguments.size() < 2) {
    err << UsageText();
    return kExitUsage;
  }
  const QString word = arguments.at(1);
  if (word == "-h" || word == "--help" || word == "help") {
    out << UsageText();
    return kExitOk;
  }
  if (word == "--version") {
    out << kProgram << ' ' << ZOVEK_VERSION << '\n';
    return kExitOk;
  }
  const std::string name = Bytes(word);
  const auto& commands = Commands();
  const auto found =
      std::find_if(commands.begin(), commands.end(), [&name](const Command* c) { return name == c->name; });
  if (found == commands.end()) {
    std::string names;
    for (const Command* command : commands) {
      names += (names.empty() ? "" : command == commands.back() ? " or " : ", ") + std::string(command->name);
    }
    return UsageError(err, "", "unknown command '" + name + "' (use " + names + ")");
  }
  const Command& command = **found;

  QCommandLineParser parser;
  std::vector<QCommandLineOption> options{QCommandLineOption(QStringList{"h", "help"})};
  for (const CommandOption& option : command.options) options.emplace_back(option.name, QString(), option.valueName);
  for (const QCommandLineOption& option : options) parser.addOption(option);
  QStringList rest = arguments.mid(2);
  rest.prepend(arguments.at(0));
  if (!parser.parse(rest)) return UsageError(err, name, parser.errorText().toStdString());
  // Qt takes the last of two values; a command line that says two things is refused.
  const QStringList given = parser.optionNames();
  for (const QCommandLineOption& option : options) {
    const QStringList names = option.names();
    if (std::count_if(given.begin(), given.end(), [&names](const QString& n) { return names.contains(n); }) > 1) {
      return UsageError(err, name, "--" + names.last().toStdString() + " given twice");
    }
  }
  if (parser.isSet("help")) {
    out << UsageText();
    return kExitOk;
  }
  const CommandRun run{name, parser, parser.positionalArguments(), in, out, err};
  if (command.takesFiles && run.files.isEmpty()) return UsageError(err, name, "no FILE given");
  return command.run(run);
}

}  // namespace zovek::cli
