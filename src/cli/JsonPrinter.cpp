#include "cli/JsonPrinter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

namespace zovek::cli {

namespace {

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// Every number in a save fits a double exactly (at most 32 bits).
QJsonValue Num(std::int64_t v) { return QJsonValue(static_cast<double>(v)); }

// A box or cell that shows "-" is null.
QJsonValue NumOrNull(const std::optional<int>& v) { return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null); }

QJsonObject Item(const ItemSlot& item) {
  return QJsonObject{{"slot", item.slot},
                     {"label", Text(item.caption)},
                     {"offset", item.offset},
                     {"code", item.code},
                     {"name", Text(item.name)},
                     {"count", NumOrNull(item.count)},
                     {"countStored", item.countStored}};
}

QJsonObject Character(const CharacterDump& c) {
  QJsonObject o{{"index", c.index}, {"name", Text(c.name)}, {"recordOffset", c.recordOffset}};
  o["joined"] = c.joined;
  o["joinedStored"] = c.joinedStored ? QJsonValue(*c.joinedStored) : QJsonValue(QJsonValue::Null);
  o["martialArts"] = QJsonObject{{"on", c.martialArts}, {"stored", c.martialByte}};
  for (const CharacterNumber& n : c.numbers) {
    o[Text(n.key)] = Num(n.shown);
    if (n.key == "cr") o["crStored"] = Num(n.stored);  // the only number the grid can clamp
  }
  QJsonArray skills;
  for (const SkillLevel& s : c.skills) {
    skills.append(QJsonObject{{"category", s.category}, {"caption", Text(s.caption)}, {"offset", s.offset},
                              {"stored", s.stored},     {"level", s.level},          {"aptitude", s.aptitude}});
  }
  o["skills"] = skills;
  QJsonArray equipment;
  for (const ItemSlot& item : c.equipment) equipment.append(Item(item));
  o["equipment"] = equipment;
  return o;
}

QJsonObject Category(const CategoryDump& c) {
  QJsonArray techniques;
  for (const TechniqueDump& t : c.techniques) {
    techniques.append(QJsonObject{{"row", t.row}, {"name", Text(t.name)}, {"byte", t.byteIndex}, {"bit", t.bit},
                                  {"mastered", t.mastered}});
  }
  return QJsonObject{{"index", c.index}, {"name", Text(c.name)}, {"techniques", techniques}};
}

QJsonObject Scenario(const ScenarioDump& s) {
  return QJsonObject{{"entry", s.entry},   {"caption", Text(s.caption)}, {"offset", s.offset},
                     {"stored", s.stored}, {"state", Text(s.state)},     {"stateCaption", Text(s.stateCaption)}};
}

QJsonObject Role(const RoleDump& r) {
  return QJsonObject{{"entry", r.entry}, {"caption", Text(r.caption)}, {"byte", r.byteIndex}, {"bit", r.bit},
                     {"acquired", r.acquired}};
}

QJsonObject Party(const PartySlot& p) {
  return QJsonObject{
      {"slot", p.slot}, {"offset", p.offset}, {"code", NumOrNull(p.code)}, {"stored", p.stored}, {"label", Text(p.label)}};
}

}  // namespace

QJsonObject DumpToJson(const FileReport& report, const SaveEntry& save, const SaveDump& dump) {
  QJsonObject root;
  root["formatVersion"] = kDumpFormatVersion;
  root["file"] = Text(PathText(report.path));
  root["kind"] = Text(report.container->kindKey);
  if (!report.container->containerKey.empty()) root["container"] = Text(report.container->containerKey);
  root["save"] = QJsonObject{
      {"number", save.saveNumber},
      {"block", save.block == 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(save.block)},
      {"regionOffset", Num(static_cast<std::int64_t>(save.regionOffset))},
      {"checksum", QJsonObject{{"stored", save.storedChecksum},
                               {"computed", save.computedChecksum},
                               {"matches", save.ChecksumMatches()}}},
  };

  root["protagonist"] = dump.protagonist;
  root["chips"] = Num(dump.chips);
  root["chipsStored"] = Num(dump.chipsStored);
  root["playTime"] = QJsonObject{{"sixtieths", Num(dump.playTime.sixtieths)},
                                 {"hours", Num(dump.playTime.hours)},
                                 {"minutes", Num(dump.playTime.minutes)},
                                 {"highByte", dump.playTime.highByte}};

  QJsonArray mainParty;
  QJsonArray subParty;
  for (const PartySlot& p : dump.party) (p.slot < 4 ? mainParty : subParty).append(Party(p));
  root["party"] = QJsonObject{{"main", mainParty}, {"sub", subParty}};

  QJsonArray possessions;
  for (const ItemSlot& item : dump.possessions) possessions.append(Item(item));
  root["possessions"] = possessions;

  QJsonArray characters;
  for (const CharacterDump& c : dump.characters) characters.append(Character(c));
  root["characters"] = characters;

  QJsonArray techniques;
  for (const CategoryDump& c : dump.techniques) techniques.append(Category(c));
  root["techniques"] = techniques;

  QJsonArray scenarios;
  for (const ScenarioDump& s : dump.scenarios) scenarios.append(Scenario(s));
  root["scenarios"] = scenarios;

  QJsonArray roles;
  for (const RoleDump& r : dump.roles) roles.append(Role(r));
  root["roles"] = roles;
  return root;
}

std::string DumpJsonText(const FileReport& report, const SaveEntry& save, const SaveDump& dump) {
  return QJsonDocument(DumpToJson(report, save, dump)).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace zovek::cli
