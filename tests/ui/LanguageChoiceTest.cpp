// The window's language as gettext would choose it, and the option over it.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ui/CommandLine.h"
#include "ui/LanguageChoice.h"

namespace zovek {
namespace {

TEST(LanguageChoice, FollowsGettextUnlessOverridden) {
  using Environment = std::map<std::string, std::string>;
  const std::pair<Environment, const char*> cases[] = {
      {{{"LANG", "C"}}, "ja"},
      {{{"LANG", "C.UTF-8"}}, "ja"},
      {{{"LANG", "POSIX"}}, "ja"},
      {{{"LANGUAGE", "en"}, {"LC_ALL", "C"}}, "ja"},
      {{{"LANGUAGE", "en"}}, "ja"},  // no locale at all is C too
      {{{"LANGUAGE", "en:ja"}, {"LANG", "de_DE.UTF-8"}}, "en"},
      {{{"LANGUAGE", "fr::en@quot"}, {"LANG", "de_DE.UTF-8"}}, "en"},
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
  for (const auto& [variables, language] : cases) {
    const auto environment = [&variables](const char* name) {
      const auto found = variables.find(name);
      return found == variables.end() ? nullptr : found->second.c_str();
    };
    const std::string name = testing::PrintToString(variables);
    EXPECT_EQ(ChooseWindowLanguage("", environment), language) << name;
    EXPECT_EQ(ChooseWindowLanguage("fr", environment), language) << name << " --language fr";
    EXPECT_EQ(ChooseWindowLanguage("en", environment), "en") << name;
    EXPECT_EQ(ChooseWindowLanguage("ja", environment), "ja") << name;
  }
  // The option as the window gets it (its wrong values: OpenRequestTest).
  for (const auto& [arguments, language] : std::initializer_list<std::pair<QStringList, QString>>{
           {{"zovek", "--language", "en", "card.mcr"}, "en"}, {{"zovek", "--language=ja"}, "ja"}, {{"zovek"}, ""}}) {
    const EditorCommandLine line = ParseEditorCommandLine(arguments);
    EXPECT_EQ(line.action, EditorCommandLine::Action::Run) << arguments.join(' ').toStdString();
    EXPECT_EQ(line.language.toStdString(), language.toStdString()) << arguments.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace zovek
