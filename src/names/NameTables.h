#pragma once
// The fixed tables that turn codes into display texts (UTF-8). The proper
// names are built into the program from the data files in names/data.

#include "names/NameLanguage.h"
#include "names/TextMark.h"

#include <array>
#include <string>
#include <vector>

namespace zovek {

// All texts come in the language chosen with UseNameLanguage (NameLanguage.h).

// The name of item code 0, also what an empty item grid shows.
const std::string& NoItemName();
// The label of an empty party slot, also what the window shows before a load.
const std::string& EmptySlotLabel();

// Item code 0..255 -> name; every code has a text.
const std::string& ItemName(int code);

// Character code 0..26 -> name (24 names from data, then the three soldiers).
const std::vector<std::string>& CharacterNames();

// Party slot code 0..255 -> label (EmptySlotLabel() for 255).
std::string PartyLabel(int code);

// The twelve technique categories, 0..11: the names of the technique list's
// categories and of the skill rows ("体術LV"), and the initials on the
// aptitude boxes ("体"). These are the Japanese sources; the texts to show
// come from TechniqueCategoryNames() and TechniqueCategoryInitials().
struct TechniqueCategoryName {
  const char* name;
  const char* initial;
};
// Written out in full: lupdate reads the marks but does not expand macros.
inline constexpr std::array<TechniqueCategoryName, 12> kTechniqueCategoryTexts{{
    {ZOVEK_TR_NOOP("Names", "体術"), ZOVEK_TR_NOOP("Names", "体")},
    {ZOVEK_TR_NOOP("Names", "剣術"), ZOVEK_TR_NOOP("Names", "剣")},
    {ZOVEK_TR_NOOP("Names", "斧術"), ZOVEK_TR_NOOP("Names", "斧")},
    {ZOVEK_TR_NOOP("Names", "杖術"), ZOVEK_TR_NOOP("Names", "杖")},
    {ZOVEK_TR_NOOP("Names", "槍術"), ZOVEK_TR_NOOP("Names", "槍")},
    {ZOVEK_TR_NOOP("Names", "弓術"), ZOVEK_TR_NOOP("Names", "弓")},
    {ZOVEK_TR_NOOP("Names", "樹術"), ZOVEK_TR_NOOP("Names", "樹")},
    {ZOVEK_TR_NOOP("Names", "石術"), ZOVEK_TR_NOOP("Names", "石")},
    {ZOVEK_TR_NOOP("Names", "火術"), ZOVEK_TR_NOOP("Names", "火")},
    {ZOVEK_TR_NOOP("Names", "水術"), ZOVEK_TR_NOOP("Names", "水")},
    {ZOVEK_TR_NOOP("Names", "音術"), ZOVEK_TR_NOOP("Names", "音")},
    {ZOVEK_TR_NOOP("Names", "獣術"), ZOVEK_TR_NOOP("Names", "獣")},
}};

// Category 0..11 in the order 体術, 剣術, ..., 獣術.
const std::array<std::string, 12>& TechniqueCategoryNames();
const std::array<std::string, 12>& TechniqueCategoryInitials();
const std::vector<std::string>& TechniqueNames(int category);

// Captions of the 58 scenario entries and the 28 roles, in list order.
const std::vector<std::string>& ScenarioCaptions();
const std::vector<std::string>& RoleCaptions();

}  // namespace zovek
