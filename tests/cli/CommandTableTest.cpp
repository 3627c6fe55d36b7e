// The manual page of zovek-cli against the program's table of commands: its
// COMMANDS section has an entry (".TP", then a line beginning with the name)
// for each command in the table, and none for a command the table lacks.

#include <fstream>
#include <iterator>
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
  // The line after each ".TP": ".BI info ..." or ".BR keys ...", the name first.
  for (std::size_t at = section.find("\n.TP\n"); at != std::string::npos; at = section.find("\n.TP\n", at + 1)) {
    std::size_t word = at + 5;
    if (section[word] == '.') word = section.find(' ', word) + 1;
    entries.insert(section.substr(word, section.find_first_not_of("abcdefghijklmnopqrstuvwxyz-", word) - word));
  }
  std::set<std::string> commands;
  for (const Command* command : Commands()) commands.insert(command->name);
  EXPECT_EQ(entries, commands);
}

}  // namespace
}  // namespace zovek::cli
