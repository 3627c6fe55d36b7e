// The window's language as gettext would choose it, and the option that
// overrides it.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ui/CommandLine.h"
#include "ui/LanguageChoice.h"

namespace zovek {
namespace {

using Environment = std::map<std::string, std::string>;

TEST(LanguageChoice, FollowsGettextUnlessOverridden) {
  const struct {
    Environment environment;
    const char* language;
  } cases[] = {
      {{{"LANG", "C"}}, "ja"},
      {{{"LANG", "C.UTF-8"}}, "ja"},
      {{{"LANG", "POSIX"}}, "ja"},
      {{{"LANGUAGE", "en"}, {"LC_ALL", "C"}}, "ja"},
      {{{"LANGUAGE", "en"}}, "ja"},  // no locale at all is C too
      {{{"LANGUAGE", "en:ja"}, {"LANG", "de_DE.UTF-8"}}, "en"},
      {{{"LANGUAGE", "fr::en@quot"}, {"LANG", "de_DE.UTF-8"}}, "en"},
      {{{"LANGUAGE", "ja"}, {"LANG", "en_US.UTF-8"}}, "ja"},
      {{{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "en_US.UTF-8"}}, "en"},  // empty is unset
      {{{"LANG", "de_DE.UTF-8"}}, "ja"},
      {{{"LANG", "ja_JP.UTF-8"}}, "ja"},
      {{{"LANG", "en_US.UTF-8"}}, "en"},
      {{{"LANG", "en_GB.UTF-8"}}, "en"},
      {{{"LANG", "eng"}}, "ja"},
      {{}, "ja"},
      {{{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}, "en"},
      {{{"LC_ALL", "ja_JP.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}}, "ja"},
  };
  for (const auto& c : cases) {
    const auto environment = [&c](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    std::string name;
    for (const auto& [variable, value] : c.environment) name += variable + "=" + value + " ";
    EXPECT_EQ(ChooseWindowLanguage("", environment), c.language) << name;
    EXPECT_EQ(ChooseWindowLanguage("fr", environment), c.language) << name << "--language fr";
    EXPECT_EQ(ChooseWindowLanguage("en", environment), "en") << name;
    EXPECT_EQ(ChooseWindowLanguage("ja", environment), "ja") << name;
  }
}

TEST(LanguageChoice, OptionOnTheCommandLine) {
  using Action = EditorCommandLine::Action;
  const struct {
    QStringList arguments;
    Action action;
    QString language;
    QString problem;
  } cases[] = {
      {{"zovek", "--language", "en", "card.mcr"}, Action::Run, "en", {}},
      {{"zovek", "--language=ja"}, Action::Run, "ja", {}},
      {{"zovek", "card.mcr"}, Action::Run, {}, {}},
      {{"zovek", "--language", "fr"}, Action::Wrong, {}, "unknown language 'fr' (ja or en)"},
      {{"zovek", "--language=EN"}, Action::Wrong, {}, "unknown language 'EN' (ja or en)"},
      {{"zovek", "--language"}, Action::Wrong, {}, "Missing value after '--language'."},
  };
  for (const auto& c : cases) {
    const EditorCommandLine line = ParseEditorCommandLine(c.arguments);
    const std::string name = c.arguments.join(' ').toStdString();
    EXPECT_EQ(line.action, c.action) << name;
    if (c.action == Action::Run) {
      EXPECT_EQ(line.language.toStdString(), c.language.toStdString()) << name;
    }
    EXPECT_EQ(line.problem.toStdString(), c.problem.toStdString()) << name;
  }
}

}  // namespace
}  // namespace zovek
