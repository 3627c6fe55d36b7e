#pragma once
// The commands of zovek-cli, one file each, listed in one table: RunCli looks
// a command up there, declares the options its entry lists, and builds the
// help's "Commands:" part from the entries' usage lines.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include <QCommandLineParser>
#include <QStringList>

namespace zovek::cli {

struct OptionSpec {
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
  std::vector<OptionSpec> options;  // -h/--help apart, which every command takes
  const char* usage;                // its lines of the help, each "  ...\n"
  int (*run)(const CommandRun&);
  bool takesFiles = true;  // false: refuses any, else at least one is needed
};

// In the order the help lists them.
const std::vector<const Command*>& Commands();

}  // namespace zovek::cli
