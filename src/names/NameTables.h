#pragma once
// The fixed tables that turn codes into display texts (UTF-8). The proper
// names are built into the program from the data files in names/data.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zovek {

// The name of item code 0, also what an empty item grid shows.
inline constexpr std::string_view kNoItemName = "（なし）";
// The label of an empty party slot, also what the window shows before a load.
inline constexpr std::string_view kEmptySlotLabel = "（未加入）";
inline const std::string& NoItemName() { static const std::string text(kNoItemName); return text; }
inline const std::string& EmptySlotLabel() { static const std::string text(kEmptySlotLabel); return text; }

// Item code 0..255 -> name; every code has a text.
const std::string& ItemName(int code);

// Character code 0..26 -> name (24 names from data, then the three soldiers).
const std::vector<std::string>& CharacterNames();

// Party slot code 0..255 -> label (kEmptySlotLabel for 255).
std::string PartyLabel(int code);

// The twelve technique categories, 0..11: the names of the technique list's
// categories and of the skill rows ("体術LV"), and the initials on the
// aptitude boxes ("体").
struct TechniqueCategoryName {
  std::string_view name;
  std::string_view initial;
};
inline constexpr std::array<TechniqueCategoryName, 12> kTechniqueCategoryTexts{{
    {"体術", "体"}, {"剣術", "剣"}, {"斧術", "斧"}, {"杖術", "杖"}, {"槍術", "槍"}, {"弓術", "弓"},
    {"樹術", "樹"}, {"石術", "石"}, {"火術", "火"}, {"水術", "水"}, {"音術", "音"}, {"獣術", "獣"},
}};

// Category 0..11 in the order 体術, 剣術, ..., 獣術.
const std::array<std::string, 12>& TechniqueCategoryNames();
const std::vector<std::string>& TechniqueNames(int category);

// Captions of the 58 scenario entries and the 28 roles, in list order.
const std::vector<std::string>& ScenarioCaptions();
const std::vector<std::string>& RoleCaptions();

}  // namespace zovek
