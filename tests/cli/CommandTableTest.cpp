// The manual page of zovek-cli against the program's table of commands: its
// COMMANDS section has an entry (".TP", then a line beginning with the name)
// for each command in the table, and none for a command the table lacks.

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "cli/Command.h"

namespace zovek::cli {
namespace {

TEST(CliCommandTable, TheManualPageListsEveryCommandAndNoOther) {
  std::ifstream page(ZOVEK_CLI_MAN_PAGE);
  const std::string text{std::istreambuf_iterator<char>(page), std::istreambuf_iterator<char>()};
  const std::size_t start = text.find("\n.SH COMMANDS\n");
  ASSERT_NE(start, std::string::npos) << ZOVEK_CLI_MAN_PAGE;
  const std::string section = text.substr(start, text.find("\n.SH ", start + 1) - start);
  std::set<std::string> entries;
  const std::regex entry("\n\\.TP\n(\\.[A-Z]+ +)?([a-z-]+)");
  for (auto it = std::sregex_iterator(section.begin(), section.end(), entry); it != std::sregex_iterator(); ++it) {
    entries.insert((*it)[2]);
  }
  std::set<std::string> commands;
  for (const Command* command : Commands()) commands.insert(command->name);
  EXPECT_EQ(entries, commands);
}

}  // namespace
}  // namespace zovek::cli
