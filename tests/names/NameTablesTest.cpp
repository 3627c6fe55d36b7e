// The name tables: fixed texts, generated placeholders, table shapes, that
// the built-in names are exactly the lines of the data files, and the switch
// to English and back.

#include "names/NameTables.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstddef>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace zovek {
namespace {

const std::set<int> kItemPlaceholderCodes{14, 15, 68, 86, 87};
const std::set<int> kArmourPlaceholderCodes{
    103, 107, 118, 119, 120, 121, 122, 123, 136, 137, 138, 139, 141, 142, 143, 150,
    151, 215, 216, 217, 218, 219, 227, 228, 229, 230, 231, 232, 249, 252, 253, 254};

std::vector<int> ProperNameCodes() {
  std::vector<int> codes;
  for (int code = 1; code <= 254; ++code) {
    if (!kItemPlaceholderCodes.count(code) && !kArmourPlaceholderCodes.count(code)) codes.push_back(code);
  }
  return codes;
}

// Columns a text takes in a list row: ASCII one, everything else (kana,
// kanji, full-width signs) two. Returns -1 for text that is not valid UTF-8.
int DisplayColumns(const std::string& text) {
  int columns = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || i + length > text.size()) return -1;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return -1;
    }
    if (lead < 0x20) return -1;
    columns += length == 1 ? 1 : 2;
    i += length;
  }
  return columns;
}

// A list row is about 145 px wide at 9 pt: eleven full-width characters fit.
void ExpectFitsListRow(const std::string& text) {
  const int columns = DisplayColumns(text);
  EXPECT_GT(columns, 0) << "empty or not UTF-8: '" << text << "'";
  EXPECT_LE(columns, 22) << "too wide for a list row: " << text;
}

// Reads a data file the plain way: entries are the lines that are neither
// blank nor "#" comments, trimmed. "# <heading>" lines are returned as
// headings when headings is given.
std::vector<std::string> ReadDataFile(const std::string& name, std::vector<std::size_t>* list_starts = nullptr,
                                      std::vector<std::string>* headings = nullptr) {
  std::ifstream in(std::string(ZOVEK_NAME_DATA_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::vector<std::string> entries;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    const auto last = line.find_last_not_of(" \t\r");
    line = line.substr(first, last - first + 1);
    if (line[0] == '#') {
      if (headings && line.size() > 2 && line[1] == ' ' && line.find(' ', 2) == std::string::npos) {
        headings->push_back(line.substr(2));
        list_starts->push_back(entries.size());
      }
      continue;
    }
    entries.push_back(line);
  }
  return entries;
}

TEST(ItemNameTest, FixedTextsAndPlaceholders) {
  EXPECT_EQ(ItemName(0), "（なし）");
  EXPECT_EQ(ItemName(255), "（空白）");
  for (int code : kItemPlaceholderCodes) EXPECT_EQ(ItemName(code), "アイテム" + std::to_string(code));
  for (int code : kArmourPlaceholderCodes) EXPECT_EQ(ItemName(code), "ぼうぐ" + std::to_string(code));
  // The prefix changes at 88; digits have no padding.
  EXPECT_EQ(ItemName(87), "アイテム87");
  EXPECT_EQ(ItemName(14), "アイテム14");
  EXPECT_EQ(ItemName(103), "ぼうぐ103");
  EXPECT_EQ(ItemName(118), "ぼうぐ118");
  EXPECT_EQ(ItemName(122), "ぼうぐ122");
}

TEST(ItemNameTest, ProperNamesAreTheDataFileInCodeOrder) {
  const std::vector<int> codes = ProperNameCodes();
  const std::vector<std::string> lines = ReadDataFile("items.txt");
  ASSERT_EQ(codes.size(), 217u);
  ASSERT_EQ(lines.size(), codes.size());
  for (std::size_t i = 0; i < codes.size(); ++i) {
    EXPECT_EQ(ItemName(codes[i]), lines[i]) << "code " << codes[i];
  }
  // Codes right next to placeholders carry proper names, not placeholders.
  for (int code : {13, 16, 67, 69, 85, 88, 102, 104, 116, 117, 140, 214, 220, 248, 251}) {
    EXPECT_EQ(ItemName(code).find("アイテム"), std::string::npos) << code;
    EXPECT_EQ(ItemName(code).find("ぼうぐ"), std::string::npos) << code;
  }
}

TEST(ItemNameTest, OnlyCodes71_72_84ShareAName) {
  const std::string& shared = ItemName(71);
  EXPECT_EQ(ItemName(72), shared);
  EXPECT_EQ(ItemName(84), shared);
  std::set<std::string> others;
  for (int code : ProperNameCodes()) {
    if (code == 71 || code == 72 || code == 84) continue;
    EXPECT_NE(ItemName(code), shared) << code;
    others.insert(ItemName(code));
  }
  EXPECT_EQ(others.size(), 214u) << "two other item codes share a name";
}

TEST(ItemNameTest, EveryCodeHasAShortUtf8Text) {
  for (int code = 0; code <= 255; ++code) {
    SCOPED_TRACE(code);
    ExpectFitsListRow(ItemName(code));
  }
}

TEST(NameTablesTest, CodesOutsideTheirRangeGiveEmptyTexts) {
  for (int code : {-1, 256, INT_MIN, INT_MAX}) {
    EXPECT_EQ(ItemName(code), "") << code;
    EXPECT_EQ(PartyLabel(code), "") << code;
  }
  for (int category : {-1, 12, INT_MIN, INT_MAX}) EXPECT_TRUE(TechniqueNames(category).empty()) << category;
}

TEST(CharacterNamesTest, TwentyFourFromDataThenTheSoldiers) {
  const auto& names = CharacterNames();
  const std::vector<std::string> lines = ReadDataFile("characters.txt");
  ASSERT_EQ(names.size(), 27u);
  ASSERT_EQ(lines.size(), 24u);
  for (std::size_t i = 0; i < 24; ++i) EXPECT_EQ(names[i], lines[i]) << i;
  EXPECT_EQ(names[24], "兵士(1)");
  EXPECT_EQ(names[25], "兵士(2)");
  EXPECT_EQ(names[26], "兵士(3)");
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 27u) << "two characters share a name";
  for (const auto& name : names) ExpectFitsListRow(name);
}

TEST(PartyLabelTest, LabelsForEveryCode) {
  const auto& names = CharacterNames();
  for (int code = 0; code <= 26; ++code) EXPECT_EQ(PartyLabel(code), names[static_cast<std::size_t>(code)]);
  EXPECT_EQ(PartyLabel(26), "兵士(3)");
  EXPECT_EQ(PartyLabel(27), "*兵士");
  for (int code = 28; code <= 254; ++code) EXPECT_EQ(PartyLabel(code), "*" + names[0]) << code;
  EXPECT_EQ(PartyLabel(255), "（未加入）");
}

TEST(TechniqueNamesTest, TwelveListsOfFixedLengthsFromTheDataFile) {
  const std::array<std::string, 12> categories{"体術", "剣術", "斧術", "杖術", "槍術", "弓術",
                                               "樹術", "石術", "火術", "水術", "音術", "獣術"};
  const std::array<std::size_t, 12> lengths{21, 24, 16, 12, 18, 18, 8, 5, 5, 6, 5, 5};
  EXPECT_EQ(TechniqueCategoryNames(), categories);

  std::vector<std::size_t> starts;
  std::vector<std::string> headings;
  const std::vector<std::string> lines = ReadDataFile("techniques.txt", &starts, &headings);
  ASSERT_EQ(std::vector<std::string>(categories.begin(), categories.end()), headings);

  std::set<std::string> all;
  std::size_t total = 0;
  for (int c = 0; c < 12; ++c) {
    SCOPED_TRACE(categories[static_cast<std::size_t>(c)]);
    const auto& list = TechniqueNames(c);
    ASSERT_EQ(list.size(), lengths[static_cast<std::size_t>(c)]);
    for (std::size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(list[i], lines[starts[static_cast<std::size_t>(c)] + i]) << "row " << i;
      ExpectFitsListRow(list[i]);
      all.insert(list[i]);
    }
    total += list.size();
  }
  EXPECT_EQ(total, 143u);
  EXPECT_EQ(all.size(), 143u) << "a technique name occurs twice";
  EXPECT_EQ(TechniqueNames(1).size(), 24u);
}

TEST(CaptionsTest, ScenarioAndRoleCaptionsFromTheDataFiles) {
  EXPECT_EQ(ScenarioCaptions(), ReadDataFile("scenarios.txt"));
  EXPECT_EQ(RoleCaptions(), ReadDataFile("roles.txt"));
  EXPECT_EQ(ScenarioCaptions().size(), 58u);
  EXPECT_EQ(RoleCaptions().size(), 28u);
  for (const auto& caption : ScenarioCaptions()) ExpectFitsListRow(caption);
  for (const auto& caption : RoleCaptions()) ExpectFitsListRow(caption);
}

// Stands in for the window's translator: the made-up texts to English, the
// technique categories to "Category <n>" and initials to letters.
std::string FakeEnglish(const char* context, const char* text) {
  static const std::map<std::string_view, std::string_view> fixed{
      {"兵士(%1)", "Soldier (%1)"}, {"*兵士", "*Soldier"},     {"アイテム%1", "Item %1"},     {"ぼうぐ%1", "Armour %1"},
      {"（空白）", "(blank)"},      {"（なし）", "(nothing)"}, {"（未加入）", "(not joined)"}};
  if (std::string_view(context) != "Names") return {};
  if (auto it = fixed.find(text); it != fixed.end()) return std::string(it->second);
  for (std::size_t c = 0; c < kTechniqueCategoryTexts.size(); ++c) {
    if (std::string_view(text) == kTechniqueCategoryTexts[c].name) return "Category " + std::to_string(c);
    if (std::string_view(text) == kTechniqueCategoryTexts[c].initial) return std::string(1, static_cast<char>('A' + c));
  }
  return {};
}

// Every table of the current language, in a fixed order.
std::vector<std::vector<std::string>> AllTables() {
  std::vector<std::vector<std::string>> tables;
  std::vector<std::string> items;
  for (int code = 0; code <= 255; ++code) items.push_back(ItemName(code));
  tables.push_back(items);
  tables.push_back(CharacterNames());
  tables.emplace_back(TechniqueCategoryNames().begin(), TechniqueCategoryNames().end());
  tables.emplace_back(TechniqueCategoryInitials().begin(), TechniqueCategoryInitials().end());
  for (int c = 0; c < 12; ++c) tables.push_back(TechniqueNames(c));
  tables.push_back(ScenarioCaptions());
  tables.push_back(RoleCaptions());
  return tables;
}

TEST(NameLanguageTest, EnglishTablesMatchTheJapaneseShapeAndSwitchingBackKeepsJapanese) {
  ASSERT_EQ(CurrentNameLanguage(), NameLanguage::Japanese);
  struct RestoreJapanese {
    ~RestoreJapanese() { UseNameLanguage(NameLanguage::Japanese); }
  } restore;
  const auto japanese = AllTables();
  const std::string* japanese_item = &ItemName(1);
  const auto* japanese_characters = &CharacterNames();

  UseNameLanguage(NameLanguage::English, FakeEnglish);
  ASSERT_EQ(CurrentNameLanguage(), NameLanguage::English);
  const auto english = AllTables();
  ASSERT_EQ(english.size(), japanese.size());
  std::set<std::string> techniques;
  for (std::size_t t = 0; t < english.size(); ++t) {
    SCOPED_TRACE("table " + std::to_string(t));
    ASSERT_EQ(english[t].size(), japanese[t].size());
    for (const std::string& name : english[t]) {
      ExpectFitsListRow(name);
      for (char ch : name) EXPECT_GE(static_cast<signed char>(ch), 0) << "not English: " << name;
    }
    if (t >= 4 && t < 16) techniques.insert(english[t].begin(), english[t].end());
  }
  EXPECT_EQ(techniques.size(), 143u) << "an English technique name occurs twice";

  // The proper names are the English files, line for line.
  std::vector<std::string> proper_items;
  for (int code : ProperNameCodes()) proper_items.push_back(ItemName(code));
  EXPECT_EQ(proper_items, ReadDataFile("en/items.txt"));
  EXPECT_EQ(std::vector<std::string>(CharacterNames().begin(), CharacterNames().begin() + 24),
            ReadDataFile("en/characters.txt"));
  std::vector<std::string> all_techniques;
  for (int c = 0; c < 12; ++c)
    all_techniques.insert(all_techniques.end(), TechniqueNames(c).begin(), TechniqueNames(c).end());
  EXPECT_EQ(all_techniques, ReadDataFile("en/techniques.txt"));
  EXPECT_EQ(ScenarioCaptions(), ReadDataFile("en/scenarios.txt"));
  EXPECT_EQ(RoleCaptions(), ReadDataFile("en/roles.txt"));

  // The made-up texts, translated and numbered.
  EXPECT_EQ(CharacterNames()[25], "Soldier (2)");
  EXPECT_EQ(PartyLabel(27), "*Soldier");
  EXPECT_EQ(PartyLabel(200), "*" + CharacterNames()[0]);
  EXPECT_EQ(PartyLabel(255), "(not joined)");
  EXPECT_EQ(NoItemName(), "(nothing)");
  EXPECT_EQ(ItemName(255), "(blank)");
  EXPECT_EQ(ItemName(68), "Item 68");
  EXPECT_EQ(ItemName(249), "Armour 249");
  EXPECT_EQ(TechniqueCategoryNames()[11], "Category 11");
  EXPECT_EQ(TechniqueCategoryInitials()[1], "B");

  UseNameLanguage(NameLanguage::Japanese, FakeEnglish);
  EXPECT_EQ(CurrentNameLanguage(), NameLanguage::Japanese);
  EXPECT_EQ(AllTables(), japanese);
  EXPECT_EQ(&ItemName(1), japanese_item);
  EXPECT_EQ(&CharacterNames(), japanese_characters);
  EXPECT_EQ(PartyLabel(255), "（未加入）");
}

}  // namespace
}  // namespace zovek
