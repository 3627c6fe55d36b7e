// Decoding a save as the editor shows it, checked against byte positions
// and bit places written out here, not taken from the tables under test.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <utility>
#include <variant>

#include "names/NameTables.h"
#include "savedata/FieldCatalogue.h"
#include "savedata/SaveDump.h"
#include "savegen/DemoSave.h"

namespace zovek::cli {
namespace {

using Texts = std::map<std::string, std::string>;

// Every value of the dump by its key path, as text.
Texts TextsOf(const SaveBuffer& b) {
  const SaveDump dump = DecodeSave(b);
  Texts texts;
  for (std::size_t i = 0; i < dump.values.size(); ++i) {
    texts[FieldCatalogue()[i].key] = dump.values[i];
    for (const DumpMember& m : dump.beside[i]) {
      texts[m.key] = std::visit(
          [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::nullptr_t>) return "null";
            else if constexpr (std::is_same_v<T, bool>) return v ? "true" : "false";
            else if constexpr (std::is_same_v<T, std::int64_t>) return std::to_string(v);
            else return v;
          },
          m.value);
    }
  }
  return texts;
}

std::string At(const Texts& t, const std::string& key) {
  const auto it = t.find(key);
  return it == t.end() ? "(absent)" : it->second;
}

// Bytes put into the demo save, and what the dump then says at key paths.
struct Case {
  const char* what;
  std::vector<std::pair<int, int>> bytes;  // index, value
  std::vector<std::pair<std::string, std::string>> expected;
};

TEST(SaveDump, ShowsEachByteWhereTheLayoutPutsIt) {
  const std::string c3 = "characters[3].", c0 = "characters[0].";
  const int r3 = 4600 + 112 * 3, r5 = 4600 + 112 * 5;
  const Case cases[] = {
      {"every part with its count", {},
       {{"characters[26].name", "兵士(3)"}, {"characters[27].name", "(absent)"}, {"party.sub[3].slot", "7"},
        {"possessions[63].slot", "64"}, {"possessions[64].slot", "(absent)"}, {"scenarios[57].entry", "57"},
        {"scenarios[58].entry", "(absent)"}, {"roles[27].entry", "27"}, {"roles[28].entry", "(absent)"},
        {"techniques[0].techniques[20].row", "20"}, {"techniques[0].techniques[21].row", "(absent)"},
        {"techniques[11].techniques[4].row", "4"}, {"techniques[11].techniques[5].row", "(absent)"},
        {"characters[4].skills[11].caption", "獣術LV"}, {"characters[4].equipment[5].label", "防具4"}}},
      {"character numbers from their record bytes, CR unclamped beside",
       {{r3, 255}, {r3 + 1, 255}, {r3 + 2, 255}, {r3 + 4, 0x34}, {r3 + 5, 0x12}, {r3 + 6, 255}, {r3 + 7, 255}, {r3 + 86, 77}},
       {{c3 + "cr", "999999"}, {c3 + "crStored", "16777215"}, {c3 + "hp", "4660"}, {c3 + "maxHp", "65535"},
        {c3 + "age", "77"}, {c3 + "recordOffset", "4936"}, {c3 + "hpStored", "(absent)"}}},
      {"the last record", {{7598, 61}}, {{"characters[26].age", "61"}, {"characters[26].recordOffset", "7512"}}},
      {"a skill byte is a level and an aptitude",
       {{4621, 200}, {4626, 72}, {4628, 128}, {4633, 127}},
       {{c0 + "skills[0].level", "72"}, {c0 + "skills[0].aptitude", "true"}, {c0 + "skills[0].stored", "200"},
        {c0 + "skills[5].level", "72"}, {c0 + "skills[5].aptitude", "false"}, {c0 + "skills[6].offset", "4628"},
        {c0 + "skills[6].level", "0"}, {c0 + "skills[6].aptitude", "true"}, {c0 + "skills[11].offset", "4633"},
        {c0 + "skills[11].level", "127"}}},
      {"joined bits from bit 7 of byte 412; the soldiers have none",
       {{412, 0x80}, {413, 0x40}, {414, 0x01}},
       {{c0 + "joined", "true"}, {c0 + "joinedStored", "true"}, {"characters[1].joined", "false"},
        {"characters[9].joinedStored", "true"}, {"characters[23].joined", "true"}, {"characters[22].joined", "false"},
        {"characters[24].joined", "false"}, {"characters[24].joinedStored", "null"}}},
      {"the martial flag keeps its byte", {{4664, 34}, {4776, 0}},
       {{c0 + "martialArts.on", "true"}, {c0 + "martialArts.stored", "34"}, {"characters[1].martialArts.on", "false"}}},
      {"equipment is code then count, with names",
       {{r5 + 52, 0}, {r5 + 53, 255}, {r5 + 62, 122}, {r5 + 63, 9}},
       {{"characters[5].equipment[0].offset", "5212"}, {"characters[5].equipment[0].name", "（なし）"},
        {"characters[5].equipment[0].count", "-"}, {"characters[5].equipment[0].countStored", "255"},
        {"characters[5].equipment[5].name", "ぼうぐ122"}, {"characters[5].equipment[5].count", "9"}}},
      {"header values as stored beyond the boxes' limits",
       {{33, 250}, {1005, 255}, {1006, 255}, {1007, 255}, {964, 0}, {965, 0}, {966, 0}, {967, 7}},
       {{"protagonist", "250"}, {"chips", "999999"}, {"chipsStored", "16777215"},
        {"playTime.sixtieths", "16777216"}, {"playTime.hours", "77"}, {"playTime.minutes", "40"},
        {"playTime.highByte", "7"}}},
      {"party slots and labels",
       {{36, 3}, {37, 255}, {38, 27}, {39, 200}, {40, 26}},
       {{"party.main[0].code", "3"}, {"party.main[0].label", CharacterNames()[3]}, {"party.main[1].code", "-"},
        {"party.main[1].label", "（未加入）"}, {"party.main[1].stored", "255"}, {"party.main[2].label", "*兵士"},
        {"party.main[3].label", "*" + CharacterNames()[0]}, {"party.sub[0].label", "兵士(3)"},
        {"party.sub[0].offset", "40"}}},
      {"possessions are consecutive pairs from 180",
       {{180, 1}, {181, 255}, {306, 87}, {307, 99}},
       {{"possessions[0].count", "-"}, {"possessions[0].countStored", "255"}, {"possessions[6].label", "持物07"},
        {"possessions[6].offset", "192"}, {"possessions[63].name", "アイテム87"}, {"possessions[63].count", "99"}}},
      {"scenario entries read their own byte",
       {{579, 2}, {582, 254}, {516, 3}, {522, 255}, {523, 4}, {519, 1}},
       {{"scenarios[0].offset", "579"}, {"scenarios[0].state", "unvisited"}, {"scenarios[0].stateCaption", "未踏"},
        {"scenarios[30].offset", "582"}, {"scenarios[30].state", "finished"}, {"scenarios[4].state", "current"},
        {"scenarios[5].state", "hidden"}, {"scenarios[5].stored", "255"}, {"scenarios[6].state", "hidden"},
        {"scenarios[6].stored", "4"}, {"scenarios[7].stateCaption", "非表示"}}},
      {"roles follow the shown bits of the four bytes",
       {{976, 0x01}, {977, 0}, {978, 0x07}, {979, 0x92}},
       {{"roles[0].acquired", "true"}, {"roles[1].acquired", "false"}, {"roles[16].acquired", "true"},
        {"roles[27].acquired", "true"}, {"roles[22].byte", "979"}, {"roles[22].bit", "0"}, {"roles[23].bit", "2"}}},
  };
  for (const Case& c : cases) {
    SaveBuffer b = savegen::DemoRegion(77);
    for (const auto& [index, value] : c.bytes) b[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value);
    const Texts t = TextsOf(b);
    for (const auto& [key, value] : c.expected) EXPECT_EQ(At(t, key), value) << c.what << ": " << key;
  }
}

// The names beside the fields are the vocabulary's, and the technique bits
// are each their own: all set, every row is mastered at a place of its own.
TEST(SaveDump, NamesAndTechniqueBitsComeOncePerRow) {
  SaveBuffer b = savegen::DemoRegion(77);
  for (int i = 85; i <= 110; ++i) b[static_cast<std::size_t>(i)] = 0xFF;
  const Texts t = TextsOf(b);
  std::set<std::pair<std::string, std::string>> places;
  int rows = 0;
  for (int c = 0; c < 12; ++c) {
    const std::string category = "techniques[" + std::to_string(c) + "]";
    EXPECT_EQ(At(t, category + ".name"), TechniqueCategoryNames().at(static_cast<std::size_t>(c)));
    for (std::size_t r = 0; r < TechniqueNames(c).size(); ++r, ++rows) {
      const std::string at = category + ".techniques[" + std::to_string(r) + "]";
      EXPECT_EQ(At(t, at + ".name"), TechniqueNames(c)[r]);
      EXPECT_EQ(At(t, at + ".mastered"), "true") << at;
      places.insert({At(t, at + ".byte"), At(t, at + ".bit")});
    }
  }
  EXPECT_EQ(rows, 143);
  EXPECT_EQ(places.size(), 143u);
  for (std::size_t e = 0; e < 58; ++e) {
    EXPECT_EQ(At(t, "scenarios[" + std::to_string(e) + "].caption"), ScenarioCaptions().at(e));
  }
}

// What the dump shows is what the window's boxes and cells make of the stored
// bytes, over saves whose bytes lean towards the values that get rewritten.
TEST(SaveDump, ShownValuesAreTheStoredOnesAsTheWindowShowsThem) {
  std::mt19937 rng(2026);
  const auto number = [](const Texts& t, const std::string& key) { return std::stoll(At(t, key)); };
  const auto countOf = [](const std::string& stored) { return stored == "255" ? std::string("-") : stored; };
  for (int round = 0; round < 20; ++round) {
    SaveBuffer b{};
    for (auto& byte : b) byte = static_cast<std::uint8_t>(rng() % 3 == 0 ? 255 : rng());
    const Texts t = TextsOf(b);
    EXPECT_EQ(number(t, "chips"), std::min<std::int64_t>(number(t, "chipsStored"), 999999));
    EXPECT_EQ(number(t, "playTime.hours"), std::min<std::int64_t>(number(t, "playTime.sixtieths") / 216000, 99));
    EXPECT_EQ(number(t, "playTime.minutes"), number(t, "playTime.sixtieths") / 3600 % 60);
    EXPECT_EQ(number(t, "protagonist"), b[33]);
    for (int p = 0; p < 8; ++p) {
      const std::string at = std::string(p < 4 ? "party.main[" : "party.sub[") + std::to_string(p % 4) + "]";
      EXPECT_EQ(At(t, at + ".code"), countOf(At(t, at + ".stored"))) << at;
    }
    for (int i = 0; i < 64; ++i) {
      const std::string at = "possessions[" + std::to_string(i) + "]";
      EXPECT_EQ(At(t, at + ".count"), countOf(At(t, at + ".countStored"))) << at;
    }
    for (int k = 0; k < 27; ++k) {
      const std::string at = "characters[" + std::to_string(k) + "].";
      EXPECT_EQ(number(t, at + "cr"), std::min<std::int64_t>(number(t, at + "crStored"), 999999));
      for (int s = 0; s < 12; ++s) {
        const std::string skill = at + "skills[" + std::to_string(s) + "].";
        EXPECT_EQ(number(t, skill + "level") + (At(t, skill + "aptitude") == "true" ? 128 : 0),
                  number(t, skill + "stored"));
      }
      EXPECT_EQ(At(t, at + "martialArts.on"), At(t, at + "martialArts.stored") != "0" ? "true" : "false");
      const std::string joined = At(t, at + "joinedStored");
      EXPECT_EQ(At(t, at + "joined"), joined == "true" ? "true" : "false");
    }
  }
}

}  // namespace
}  // namespace zovek::cli
