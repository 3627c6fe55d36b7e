// Character, party, technique, scenario and role texts, and the choice of
// the language they come in.

#include "names/NameTables.h"

#include "names/EmbeddedNameData.h"
#include "names/NameLanguage.h"
#include "names/NameSet.h"
#include "names/TextMark.h"

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zovek {
namespace name_set {

std::string MadeTexts::operator()(const char* source) const { return Translated(translate_, "Names", source); }

std::string MadeTexts::operator()(const char* source, int number) const {
  return Filled((*this)(source), std::to_string(number));
}

namespace {

constexpr int kCharacterCount = 27;  // codes 0..26: 24 named, then three soldiers

struct LanguageData {
  const name_data::EmbeddedTable& items;
  const name_data::EmbeddedTable& techniques;
  const name_data::EmbeddedTable& characters;
  const name_data::EmbeddedTable& scenarios;
  const name_data::EmbeddedTable& roles;
};

std::vector<std::string> ToStrings(const name_data::EmbeddedTable& table) {
  return {table.texts.begin(), table.texts.end()};
}

std::array<std::vector<std::string>, 12> BuildTechniqueLists(const name_data::EmbeddedTable& table) {
  std::array<std::vector<std::string>, 12> lists;
  std::size_t next = 0;
  for (std::size_t c = 0; c < lists.size() && c < table.listSizes.size(); ++c) {
    for (std::size_t i = 0; i < table.listSizes[c] && next < table.texts.size(); ++i) {
      lists[c].emplace_back(table.texts[next++]);
    }
  }
  return lists;
}

std::unique_ptr<NameSet> BuildNameSet(const LanguageData& data, TextTranslation translate) {
  const MadeTexts made(translate);
  auto set = std::make_unique<NameSet>();
  set->items = BuildItemNames(data.items, made);
  set->characters = ToStrings(data.characters);
  for (int soldier = 1; soldier <= 3; ++soldier) {
    set->characters.push_back(made(ZOVEK_TR_NOOP("Names", "兵士(%1)"), soldier));
  }
  set->sharedSoldierLabel = made(ZOVEK_TR_NOOP("Names", "*兵士"));
  set->emptySlotLabel = made(ZOVEK_TR_NOOP("Names", "（未加入）"));
  for (std::size_t c = 0; c < kTechniqueCategoryTexts.size(); ++c) {
    set->categoryNames[c] = made(kTechniqueCategoryTexts[c].name);
    set->categoryInitials[c] = made(kTechniqueCategoryTexts[c].initial);
  }
  set->techniques = BuildTechniqueLists(data.techniques);
  set->scenarios = ToStrings(data.scenarios);
  set->roles = ToStrings(data.roles);
  return set;
}

// The chosen language and the table sets built so far. A set, once built,
// is kept, which keeps earlier references valid.
struct LanguageState {
  std::mutex mutex;
  NameLanguage language = NameLanguage::Japanese;
  TextTranslation translate = nullptr;
  std::unique_ptr<NameSet> japanese;
  std::unique_ptr<NameSet> english;
};

LanguageState& State() {
  static LanguageState state;
  return state;
}

}  // namespace

const NameSet& Current() {
  LanguageState& state = State();
  const std::lock_guard<std::mutex> lock(state.mutex);
  if (state.language == NameLanguage::Japanese) {
    if (!state.japanese) {
      state.japanese = BuildNameSet({name_data::items, name_data::techniques, name_data::characters,
                                     name_data::scenarios, name_data::roles},
                                    nullptr);
    }
    return *state.japanese;
  }
  if (!state.english) {
    state.english = BuildNameSet({name_data::items_en, name_data::techniques_en, name_data::characters_en,
                                  name_data::scenarios_en, name_data::roles_en},
                                 state.translate);
  }
  return *state.english;
}

}  // namespace name_set

void UseNameLanguage(NameLanguage language, TextTranslation translate) {
  name_set::LanguageState& state = name_set::State();
  const std::lock_guard<std::mutex> lock(state.mutex);
  state.language = language;
  // Japanese texts are the sources themselves.
  state.translate = language == NameLanguage::English ? translate : nullptr;
}

NameLanguage CurrentNameLanguage() {
  name_set::LanguageState& state = name_set::State();
  const std::lock_guard<std::mutex> lock(state.mutex);
  return state.language;
}

const std::string& EmptySlotLabel() { return name_set::Current().emptySlotLabel; }

const std::vector<std::string>& CharacterNames() { return name_set::Current().characters; }

std::string PartyLabel(int code) {
  constexpr int kEmptySlot = 255;
  if (code < 0 || code > kEmptySlot) return {};
  const name_set::NameSet& names = name_set::Current();
  if (code == kEmptySlot) return names.emptySlotLabel;
  if (code < name_set::kCharacterCount) return names.characters[static_cast<std::size_t>(code)];
  // The soldiers share one label; any other stray code is marked and falls
  // back to the first character's name.
  if (code == name_set::kCharacterCount) return names.sharedSoldierLabel;
  return "*" + names.characters.front();
}

const std::array<std::string, 12>& TechniqueCategoryNames() { return name_set::Current().categoryNames; }

const std::array<std::string, 12>& TechniqueCategoryInitials() { return name_set::Current().categoryInitials; }

const std::vector<std::string>& TechniqueNames(int category) {
  static const std::vector<std::string> none;
  const auto& lists = name_set::Current().techniques;
  if (category < 0 || category >= static_cast<int>(lists.size())) return none;
  return lists[static_cast<std::size_t>(category)];
}

const std::vector<std::string>& ScenarioCaptions() { return name_set::Current().scenarios; }

const std::vector<std::string>& RoleCaptions() { return name_set::Current().roles; }

}  // namespace zovek
