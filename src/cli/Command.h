#pragma once
// A command of zovek-cli, as its entry in the table RunCli looks it up in
// (CliCommands.cpp), and what the commands share: their messages, --save,
// and the run of the edits that set and apply end in.

#include <QCommandLineParser>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/EditRun.h"
#include "savefile/SaveFileReport.h"

namespace zovek::cli {

inline constexpr const char* kProgram = "zovek-cli";

struct CommandOption {
  const char* name;
  const char* valueName = "";  // "": a flag
};

// A command's arguments, its options parsed.
struct CommandRun {
  std::string name;
  const QCommandLineParser& parser;
  QStringList files;  // the positional arguments
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  const char* name;
  std::vector<CommandOption> options;  // -h/--help apart, which every command takes
  const char* usage;                // its lines of the help, each "  ...\n"
  int (*run)(const CommandRun&);
  bool takesFiles = true;  // false: refuses any, else at least one is needed
};

// In the order the help lists them.
const std::vector<const Command*>& Commands();

// An argument that is not UTF-8 is held losslessly (savefile/PathEncoding.h);
// paths and messages get its bytes back.
std::filesystem::path ToPath(const QString& text);
std::string Bytes(const QString& text);

// The line, then the pointer to --help; kExitUsage.
int UsageError(std::ostream& err, const std::string& command, const std::string& message);
void FileError(std::ostream& err, const std::filesystem::path& path, const std::string& message);
// The file's problem, or that it lacks save `saveNumber`; kExitFileProblem.
int FileProblem(std::ostream& err, const FileReport& report);
int NoSave(std::ostream& err, const FileReport& report, int saveNumber);

// The save number --`option` gives, 0 when it is not given; -1 after the
// usage error.
int SaveOption(const CommandRun& run, const char* option);

// set and apply once their arguments are checked: open and lock the file
// (unless --dry-run), read the save (0: the one the editor shows first), get
// the edits from `makeEdits` given the save as read, run them and report.
// A status other than kExitOk from `makeEdits` ends the run.
using MakeEdits = std::function<int(const SaveFileContents& contents, int saveNumber, std::vector<Edit>& edits)>;
int EditFile(const CommandRun& run, int saveNumber, const MakeEdits& makeEdits);

}  // namespace zovek::cli
