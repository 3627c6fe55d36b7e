#pragma once
// One language's name tables as the name functions hand them out, and the
// translation of the texts the program makes itself. Internal to zovek_names.

#include "names/EmbeddedNameData.h"
#include "names/NameLanguage.h"

#include <array>
#include <string>
#include <vector>

namespace zovek::name_set {

// Gives a marked text in the language being built: through the translation
// when there is one, "%1" replaced by the number when one is given.
class MadeTexts {
 public:
  explicit MadeTexts(TextTranslation translate) : translate_(translate) {}
  std::string operator()(const char* source) const;
  std::string operator()(const char* source, int number) const;

 private:
  TextTranslation translate_;
};

struct NameSet {
  std::array<std::string, 256> items;
  std::vector<std::string> characters;  // 27: the named ones, then the soldiers
  std::string sharedSoldierLabel;
  std::string emptySlotLabel;
  std::array<std::string, 12> categoryNames;
  std::array<std::string, 12> categoryInitials;
  std::array<std::vector<std::string>, 12> techniques;
  std::vector<std::string> scenarios;
  std::vector<std::string> roles;
};

// The tables of the current language, built on their first use.
const NameSet& Current();

// Item code 0..255 -> text, from a language's proper names.
std::array<std::string, 256> BuildItemNames(const name_data::EmbeddedTable& proper, const MadeTexts& made);

}  // namespace zovek::name_set
