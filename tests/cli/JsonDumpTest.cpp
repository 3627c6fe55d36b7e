// The JSON of `dump --json`: it parses, holds what the window shows with the
// stored values beside, and has exactly the keys that docs/cli.md lists (a
// change there must show here).

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "cli/JsonPrinter.h"
#include "savedata/SaveDump.h"
#include "savegen/DemoSave.h"

namespace zovek::cli {
namespace {

QStringList Keys(const QJsonObject& o) {
  QStringList keys = o.keys();
  keys.sort();
  return keys;
}

QStringList Sorted(QStringList keys) {
  keys.sort();
  return keys;
}

class JsonDump : public ::testing::Test {
 protected:
  void SetUp() override {
    region = savegen::DemoRegion(42);
    savegen::PutNumber(region, 4600 + 0, 3, 1000000);  // CR of character 0 above 999999
    savegen::SetChips(region, 1234567);
    savegen::SetPlayTime(region, savegen::PlayTime(123, 45, 30));
    region[307] = 255;  // count of possession 64
    report.path = "dir/ファイル.mcr";
    report.container = BareContainer(kCardImage);
    save.saveNumber = 3;
    save.block = 6;
    save.regionOffset = 6 * 8192 + 384;
    save.storedChecksum = 0x12;
    save.computedChecksum = 0x13;
    const std::string text = DumpJsonText(report, save, DecodeSave(region));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_TRUE(doc.isObject());
    root = doc.object();
  }

  const QJsonObject& Root() const { return root; }

  SaveBuffer region{};
  FileReport report;
  SaveEntry save;
  QJsonObject root;
};

TEST_F(JsonDump, HasExactlyTheDocumentedKeys) {
  EXPECT_EQ(Keys(Root()), Sorted({"formatVersion", "file", "kind", "save", "protagonist", "chips", "chipsStored",
                                "playTime", "party", "possessions", "characters", "techniques", "scenarios", "roles"}));
  EXPECT_EQ(Keys(Root()["save"].toObject()), Sorted({"number", "block", "regionOffset", "checksum"}));
  EXPECT_EQ(Keys(Root()["save"]["checksum"].toObject()), Sorted({"stored", "computed", "matches"}));
  EXPECT_EQ(Keys(Root()["playTime"].toObject()), Sorted({"sixtieths", "hours", "minutes", "highByte"}));
  EXPECT_EQ(Keys(Root()["party"].toObject()), Sorted({"main", "sub"}));
  EXPECT_EQ(Keys(Root()["party"]["main"][0].toObject()), Sorted({"slot", "offset", "code", "stored", "label"}));
  EXPECT_EQ(Keys(Root()["possessions"][0].toObject()),
            Sorted({"slot", "label", "offset", "code", "name", "count", "countStored"}));
  const QJsonObject character = Root()["characters"][0].toObject();
  EXPECT_EQ(Keys(character),
            Sorted({"index", "name", "recordOffset", "joined", "joinedStored", "martialArts", "age", "cr", "crStored",
                    "hp", "maxHp", "lp", "maxLp", "wp", "maxWp", "jp", "maxJp", "skills", "equipment"}));
  EXPECT_EQ(Keys(character["martialArts"].toObject()), Sorted({"on", "stored"}));
  EXPECT_EQ(Keys(character["skills"][0].toObject()),
            Sorted({"category", "caption", "offset", "stored", "level", "aptitude"}));
  EXPECT_EQ(Keys(character["equipment"][0].toObject()),
            Sorted({"slot", "label", "offset", "code", "name", "count", "countStored"}));
  EXPECT_EQ(Keys(Root()["techniques"][0].toObject()), Sorted({"index", "name", "techniques"}));
  EXPECT_EQ(Keys(Root()["techniques"][0]["techniques"][0].toObject()), Sorted({"row", "name", "byte", "bit", "mastered"}));
  EXPECT_EQ(Keys(Root()["scenarios"][0].toObject()),
            Sorted({"entry", "caption", "offset", "stored", "state", "stateCaption"}));
  EXPECT_EQ(Keys(Root()["roles"][0].toObject()), Sorted({"entry", "caption", "byte", "bit", "acquired"}));
}

TEST_F(JsonDump, HoldsTheShownValuesAndTheStoredOnesBeside) {
  EXPECT_EQ(Root()["formatVersion"].toInt(), kDumpFormatVersion);
  EXPECT_EQ(Root()["file"].toString().toStdString(), "dir/ファイル.mcr");
  EXPECT_EQ(Root()["kind"].toString(), "card-image");
  EXPECT_EQ(Root()["save"]["number"].toInt(), 3);
  EXPECT_EQ(Root()["save"]["block"].toInt(), 6);
  EXPECT_EQ(Root()["save"]["regionOffset"].toInt(), 49536);
  EXPECT_FALSE(Root()["save"]["checksum"]["matches"].toBool());
  EXPECT_EQ(Root()["save"]["checksum"]["stored"].toInt(), 0x12);
  EXPECT_EQ(Root()["chipsStored"].toInteger(), 1234567);
  EXPECT_EQ(Root()["chips"].toInteger(), 999999);
  EXPECT_EQ(Root()["playTime"]["hours"].toInt(), 99);
  EXPECT_EQ(Root()["playTime"]["minutes"].toInt(), 45);
  EXPECT_EQ(Root()["playTime"]["sixtieths"].toInteger(), savegen::PlayTime(123, 45, 30));
  EXPECT_EQ(Root()["characters"][0]["crStored"].toInteger(), 1000000);
  EXPECT_EQ(Root()["characters"][0]["cr"].toInteger(), 999999);
  EXPECT_EQ(Root()["possessions"][63]["countStored"].toInt(), 255);
  EXPECT_TRUE(Root()["possessions"][63]["count"].isNull());
  EXPECT_TRUE(Root()["characters"][26]["joinedStored"].isNull());
  EXPECT_TRUE(Root()["characters"][26]["joined"].isBool());
  EXPECT_TRUE(Root()["characters"][0]["joined"].isBool());
  EXPECT_TRUE(Root()["characters"][0]["joinedStored"].isBool());
}

TEST_F(JsonDump, EveryNumberAgreesWithTheRegionBytes) {
  const QJsonArray characters = Root()["characters"].toArray();
  ASSERT_EQ(characters.size(), 27);
  for (const QJsonValue value : characters) {
    const QJsonObject c = value.toObject();
    const auto record = static_cast<std::size_t>(c["recordOffset"].toInt());
    EXPECT_EQ(c["age"].toInteger(), region[record + 86]);
    EXPECT_EQ(c["hp"].toInteger(), savegen::GetNumber(region, record + 4, 2));
    EXPECT_EQ(c["maxJp"].toInteger(), region[record + 17]);
    for (const QJsonValue skill : c["skills"].toArray()) {
      EXPECT_EQ(skill["stored"].toInt(), region[static_cast<std::size_t>(skill["offset"].toInt())]);
    }
    for (const QJsonValue item : c["equipment"].toArray()) {
      const auto at = static_cast<std::size_t>(item["offset"].toInt());
      EXPECT_EQ(item["code"].toInt(), region[at]);
      EXPECT_EQ(item["countStored"].toInt(), region[at + 1]);
    }
  }
  for (const QJsonValue item : Root()["possessions"].toArray()) {
    const auto at = static_cast<std::size_t>(item["offset"].toInt());
    EXPECT_EQ(item["code"].toInt(), region[at]);
    EXPECT_EQ(item["countStored"].toInt(), region[at + 1]);
  }
  for (const QJsonValue s : Root()["scenarios"].toArray()) {
    EXPECT_EQ(s["stored"].toInt(), region[static_cast<std::size_t>(s["offset"].toInt())]);
  }
  for (const QJsonValue r : Root()["roles"].toArray()) {
    const int byte = region[static_cast<std::size_t>(r["byte"].toInt())];
    EXPECT_EQ(r["acquired"].toBool(), ((byte >> r["bit"].toInt()) & 1) != 0);
  }
  for (const QJsonValue c : Root()["techniques"].toArray()) {
    for (const QJsonValue t : c["techniques"].toArray()) {
      const int byte = region[static_cast<std::size_t>(t["byte"].toInt())];
      EXPECT_EQ(t["mastered"].toBool(), ((byte >> t["bit"].toInt()) & 1) != 0);
    }
  }
  EXPECT_EQ(Root()["protagonist"].toInt(), region[33]);
  EXPECT_EQ(Root()["party"]["sub"][3]["stored"].toInt(), region[43]);
}

}  // namespace
}  // namespace zovek::cli
