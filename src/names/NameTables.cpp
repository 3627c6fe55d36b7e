// Character, party, technique, scenario and role texts.

#include "names/NameTables.h"

#include "names/EmbeddedNameData.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zovek {
namespace {

constexpr int kCharacterCount = 27;  // codes 0..26: 24 named, then three soldiers
constexpr int kEmptySlot = 255;

std::vector<std::string> ToStrings(const name_data::EmbeddedTable& table) {
  return {table.texts.begin(), table.texts.end()};
}

std::vector<std::string> BuildCharacterNames() {
  std::vector<std::string> names = ToStrings(name_data::characters);
  for (int soldier = 1; soldier <= 3; ++soldier) names.push_back("兵士(" + std::to_string(soldier) + ")");
  return names;
}

std::array<std::vector<std::string>, 12> BuildTechniqueLists() {
  const auto& table = name_data::techniques;
  std::array<std::vector<std::string>, 12> lists;
  std::size_t next = 0;
  for (std::size_t c = 0; c < lists.size() && c < table.listSizes.size(); ++c) {
    for (std::size_t i = 0; i < table.listSizes[c] && next < table.texts.size(); ++i) {
      lists[c].emplace_back(table.texts[next++]);
    }
  }
  return lists;
}

}  // namespace

const std::vector<std::string>& CharacterNames() {
  static const std::vector<std::string> names = BuildCharacterNames();
  return names;
}

std::string PartyLabel(int code) {
  if (code < 0 || code > kEmptySlot) return {};
  if (code == kEmptySlot) return std::string(kEmptySlotLabel);
  if (code < kCharacterCount) return CharacterNames()[static_cast<std::size_t>(code)];
  // The soldiers share one label; any other stray code is marked and falls
  // back to the first character's name.
  if (code == kCharacterCount) return "*兵士";
  return "*" + CharacterNames().front();
}

const std::array<std::string, 12>& TechniqueCategoryNames() {
  static const std::array<std::string, 12> names = [] {
    std::array<std::string, 12> all;
    for (std::size_t c = 0; c < all.size(); ++c) all[c] = std::string(kTechniqueCategoryTexts[c].name);
    return all;
  }();
  return names;
}

const std::vector<std::string>& TechniqueNames(int category) {
  static const std::array<std::vector<std::string>, 12> lists = BuildTechniqueLists();
  static const std::vector<std::string> none;
  if (category < 0 || category >= static_cast<int>(lists.size())) return none;
  return lists[static_cast<std::size_t>(category)];
}

const std::vector<std::string>& ScenarioCaptions() {
  static const std::vector<std::string> captions = ToStrings(name_data::scenarios);
  return captions;
}

const std::vector<std::string>& RoleCaptions() {
  static const std::vector<std::string> captions = ToStrings(name_data::roles);
  return captions;
}

}  // namespace zovek
