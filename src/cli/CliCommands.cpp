#include "cli/CliCommands.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "cli/JsonPrinter.h"
#include "cli/SaveDump.h"
#include "savefile/SaveFileReport.h"
#include "cli/TextPrinter.h"

#ifndef ZOVEK_VERSION
#define ZOVEK_VERSION "unknown"
#endif

namespace zovek::cli {

namespace {

constexpr const char* kProgram = "zovek-cli";

constexpr const char* kUsage =
    "Usage: zovek-cli COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Reads save files of Zovek (memory-card images of 131072 bytes and single-save\n"
    "files of 8320 bytes) with the editor's own layout and name tables. It never\n"
    "changes a file.\n"
    "\n"
    "Commands:\n"
    "  info FILE...         the kind of each file, the game's saves it holds (save\n"
    "                       number, block) and whether each save's checksum matches\n"
    "  dump FILE [--save N] [--json]\n"
    "                       every field the editor shows for one save, as the\n"
    "                       window shows it, stored values beside; the save the\n"
    "                       editor shows first unless --save N (1..15) is given;\n"
    "                       --json for scripts (see docs/cli.md)\n"
    "  verify FILE...       checks every save of every file\n"
    "\n"
    "Options:\n"
    "  -h, --help           this text (also after a command)\n"
    "  --version            the program's version\n"
    "\n"
    "Exit status:\n"
    "  0   all went well (verify: every save is sound)\n"
    "  1   verify: a save's checksum byte does not match its data\n"
    "  2   a file cannot be read, is not a supported file, holds no save of the\n"
    "      game, or lacks the save asked for\n"
    "  64  the command line is wrong\n"
    "Problems are reported on standard error, one line each, naming the file.\n";

std::filesystem::path ToPath(const QString& text) { return std::filesystem::path(text.toStdU16String()); }

int UsageError(std::ostream& err, const std::string& command, const std::string& message) {
  err << kProgram << ": " << (command.empty() ? "" : command + ": ") << message << '\n'
      << "Run 'zovek-cli --help' for the usage.\n";
  return kExitUsage;
}

void FileError(std::ostream& err, const std::filesystem::path& path, const std::string& message) {
  err << kProgram << ": " << PathText(path) << ": " << message << '\n';
}

std::string SaveList(const FileReport& report) {
  std::string list;
  for (const SaveEntry& save : report.saves) list += (list.empty() ? "" : ", ") + std::to_string(save.saveNumber);
  return list;
}

int RunInfo(const QStringList& files, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  for (const QString& file : files) {
    const FileReport report = InspectFile(ToPath(file));
    if (!report.ok()) {
      FileError(err, report.path, ProblemText(report));
      status = kExitFileProblem;
      continue;
    }
    PrintInfo(out, report);
  }
  return status;
}

int RunVerify(const QStringList& files, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  std::size_t saves = 0;
  std::size_t problems = 0;
  for (const QString& file : files) {
    const FileReport report = InspectFile(ToPath(file));
    if (!report.ok()) {
      FileError(err, report.path, ProblemText(report));
      status = kExitFileProblem;
      ++problems;
      continue;
    }
    for (const SaveEntry& save : report.saves) {
      ++saves;
      if (save.ChecksumMatches()) continue;
      FileError(err, report.path, SaveName(save) + ": " + ChecksumText(save));
      status = std::max(status, kExitChecksumWrong);
      ++problems;
    }
  }
  out << "verified " << files.size() << (files.size() == 1 ? " file, " : " files, ") << saves
      << (saves == 1 ? " save: " : " saves: ")
      << (problems == 0 ? std::string("all sound") : std::to_string(problems) + (problems == 1 ? " problem" : " problems"))
      << '\n';
  return status;
}

int RunDump(const QString& file, int saveNumber, bool json, std::ostream& out, std::ostream& err) {
  const SaveFileContents contents = ReadSaveFile(ToPath(file));
  const FileReport& report = contents.report;
  if (!report.ok()) {
    FileError(err, report.path, ProblemText(report));
    return kExitFileProblem;
  }
  const SaveEntry* save = report.Save(saveNumber == 0 ? report.selectedSave : saveNumber);
  if (save == nullptr) {
    FileError(err, report.path, "no save " + std::to_string(saveNumber) + " in this file (its saves: " +
                                    SaveList(report) + ")");
    return kExitFileProblem;
  }
  const SaveDump dump = DecodeSave(contents.Region(*save));
  if (json) {
    out << DumpJsonText(report, *save, dump);
  } else {
    PrintDumpText(out, report, *save, dump);
  }
  if (!save->ChecksumMatches()) FileError(err, report.path, "warning: " + SaveName(*save) + ": " + ChecksumText(*save));
  return kExitOk;
}

}  // namespace

const char* UsageText() { return kUsage; }

int RunCli(const QStringList& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.size() < 2) {
    err << kUsage;
    return kExitUsage;
  }
  const QString command = arguments.at(1);
  if (command == "-h" || command == "--help" || command == "help") {
    out << kUsage;
    return kExitOk;
  }
  if (command == "--version") {
    out << kProgram << ' ' << ZOVEK_VERSION << '\n';
    return kExitOk;
  }
  const std::string name = command.toStdString();
  if (command != "info" && command != "dump" && command != "verify") {
    return UsageError(err, "", "unknown command '" + name + "' (use info, dump or verify)");
  }

  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{"h", "help"});
  const QCommandLineOption saveOption("save", "save number", "N");
  const QCommandLineOption jsonOption("json");
  parser.addOption(help);
  if (command == "dump") {
    parser.addOption(saveOption);
    parser.addOption(jsonOption);
  }
  QStringList rest = arguments.mid(2);
  rest.prepend(arguments.at(0));
  if (!parser.parse(rest)) return UsageError(err, name, parser.errorText().toStdString());
  if (parser.isSet(help)) {
    out << kUsage;
    return kExitOk;
  }

  const QStringList files = parser.positionalArguments();
  if (files.isEmpty()) return UsageError(err, name, "no FILE given");
  if (command == "info") return RunInfo(files, out, err);
  if (command == "verify") return RunVerify(files, out, err);

  if (files.size() > 1) return UsageError(err, name, "takes one FILE, not " + std::to_string(files.size()));
  int saveNumber = 0;
  if (parser.isSet(saveOption)) {
    bool number = false;
    const QString value = parser.value(saveOption);
    saveNumber = value.toInt(&number);
    if (!number || saveNumber < 1 || saveNumber > kSaveNumbers) {
      return UsageError(err, name, "--save needs a save number 1..15, not '" + value.toStdString() + "'");
    }
  }
  return RunDump(files.at(0), saveNumber, parser.isSet(jsonOption), out, err);
}

}  // namespace zovek::cli
