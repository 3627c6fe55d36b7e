#include "cli/JsonPrinter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <cmath>
#include <initializer_list>
#include <map>
#include <vector>

#include "savedata/SaveLayout.h"

namespace zovek::cli {

namespace {

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// Every number in a save fits a double exactly (at most 32 bits).
QJsonValue Num(std::int64_t v) { return QJsonValue(static_cast<double>(v)); }

// The document as it is put together from key paths ("characters[3].hp"):
// a node is an object (members), an array (items) or a value.
struct Node {
  std::map<QString, Node> members;
  std::vector<Node> items;
  QJsonValue value = QJsonValue::Undefined;

  Node& At(const std::string& path) {
    Node* node = this;
    std::size_t i = 0;
    while (i < path.size()) {
      if (path[i] == '.') ++i;
      if (path[i] == '[') {
        const std::size_t end = path.find(']', i);
        const auto index = static_cast<std::size_t>(std::stoul(path.substr(i + 1, end - i - 1)));
        if (node->items.size() <= index) node->items.resize(index + 1);
        node = &node->items[index];
        i = end + 1;
      } else {
        const std::size_t end = path.find_first_of(".[", i);
        node = &node->members[Text(path.substr(i, end == std::string::npos ? std::string::npos : end - i))];
        i = end == std::string::npos ? path.size() : end;
      }
    }
    return *node;
  }
  void Put(const std::string& path, QJsonValue v) { At(path).value = std::move(v); }
  void Put(const std::string& parent, const char* leaf, QJsonValue v) {
    Put(parent.empty() ? leaf : parent + "." + leaf, std::move(v));
  }
  void Put(const std::string& parent, std::initializer_list<std::pair<const char*, QJsonValue>> leaves) {
    for (const auto& [leaf, v] : leaves) Put(parent, leaf, v);
  }

  QJsonValue Json() const {
    if (!items.empty()) {
      QJsonArray array;
      for (const Node& item : items) array.append(item.Json());
      return array;
    }
    if (!members.empty()) {
      QJsonObject object;
      for (const auto& [name, member] : members) object[name] = member.Json();
      return object;
    }
    return value;
  }
};

void PutItem(Node& root, const std::string& at, const ItemSlot& item) {
  root.Put(at, {{"slot", item.slot},
                {"label", Text(item.caption)},
                {"offset", item.offset},
                {"name", Text(item.name)},
                {"countStored", item.countStored}});
}

// The values the dump shows beside a field: where it is stored, its raw
// value, the names and captions of the object it sits in. Each object's are
// put with the field that opens it.
void PutBeside(Node& root, const CatalogueField& f, const SaveDump& dump) {
  const std::string at = ParentKey(f.key);
  const auto character = [&dump, &f]() -> const CharacterDump& {
    return dump.characters.at(static_cast<std::size_t>(f.character));
  };
  switch (f.place) {
    case EditPlace::ValueBox:
      if (f.index == kChipsBox) root.Put(f.key + "Stored", Num(dump.chipsStored));
      if (f.index == kHoursBox) {
        root.Put(at, {{"sixtieths", Num(dump.playTime.sixtieths)}, {"highByte", dump.playTime.highByte}});
      }
      return;
    case EditPlace::PartyBox: {
      const PartySlot& p = dump.party.at(static_cast<std::size_t>(f.index));
      root.Put(at, {{"slot", p.slot}, {"offset", p.offset}, {"stored", p.stored}, {"label", Text(p.label)}});
      return;
    }
    case EditPlace::Cell: {
      if (f.col != 1) return;
      if (f.grid == 2) return PutItem(root, at, dump.possessions.at(static_cast<std::size_t>(f.row - 1)));
      const CharacterDump& c = character();
      if (f.grid == 1) return PutItem(root, at, c.equipment.at(static_cast<std::size_t>(f.row - 1)));
      if (f.row == 1) {  // the first row opens the character
        root.Put(at, {{"index", c.index}, {"name", Text(c.name)}, {"recordOffset", c.recordOffset}});
      }
      // CR is the only number the grid can clamp.
      for (const CharacterNumber& n : c.numbers) {
        if (n.row == f.row && CharacterRowMaximum(n.row) == kShownMaximum) root.Put(f.key + "Stored", Num(n.stored));
      }
      if (f.row >= kFirstSkillRow) {
        const SkillLevel& s = c.skills.at(static_cast<std::size_t>(f.row - kFirstSkillRow));
        root.Put(at,
                 {{"category", s.category}, {"caption", Text(s.caption)}, {"offset", s.offset}, {"stored", s.stored}});
      }
      return;
    }
    case EditPlace::FlagCell: {
      const CharacterDump& c = character();
      if (kCharacterGrid.at(static_cast<std::size_t>(f.row)).kind == CharacterRowKind::Joined) {
        root.Put(f.key + "Stored", c.joinedStored ? QJsonValue(*c.joinedStored) : QJsonValue(QJsonValue::Null));
      } else {
        root.Put(at, "stored", c.martialByte);
      }
      return;
    }
    case EditPlace::Aptitude:
      return;
    case EditPlace::Technique: {
      const CategoryDump& c = dump.techniques.at(static_cast<std::size_t>(f.index));
      const TechniqueDump& t = c.techniques.at(static_cast<std::size_t>(f.row));
      root.Put(at, {{"row", t.row}, {"name", Text(t.name)}, {"byte", t.byteIndex}, {"bit", t.bit}});
      if (f.row == 0) {
        root.Put(ParentKey(at), {{"index", c.index}, {"name", Text(c.name)}});
      }
      return;
    }
    case EditPlace::Scenario: {
      const ScenarioDump& s = dump.scenarios.at(static_cast<std::size_t>(f.index));
      root.Put(at, {{"entry", s.entry},
                    {"caption", Text(s.caption)},
                    {"offset", s.offset},
                    {"stored", s.stored},
                    {"stateCaption", Text(s.stateCaption)}});
      return;
    }
    case EditPlace::Role: {
      const RoleDump& r = dump.roles.at(static_cast<std::size_t>(f.index));
      root.Put(at, {{"entry", r.entry}, {"caption", Text(r.caption)}, {"byte", r.byteIndex}, {"bit", r.bit}});
      return;
    }
  }
}

}  // namespace

QJsonValue JsonOf(const CatalogueField& field, const std::string& value) {
  switch (field.value) {
    case EditValue::NumberOrEmpty:
      if (value == "-") return QJsonValue(QJsonValue::Null);
      [[fallthrough]];
    case EditValue::Number:
      return Num(std::stoll(value));
    case EditValue::Flag:
      return value == "true";
    case EditValue::State:
      return Text(value);
  }
  return {};
}

std::optional<std::string> ValueFromJson(const CatalogueField& field, const QJsonValue& value) {
  switch (field.value) {
    case EditValue::NumberOrEmpty:
      if (value.isNull()) return std::string("-");
      [[fallthrough]];
    case EditValue::Number: {
      if (!value.isDouble()) return std::nullopt;
      const double v = value.toDouble();
      if (v != std::floor(v) || v < 0 || v > static_cast<double>(field.maximum)) return std::nullopt;
      return std::to_string(static_cast<std::int64_t>(v));
    }
    case EditValue::Flag:
      if (!value.isBool()) return std::nullopt;
      return std::string(value.toBool() ? "true" : "false");
    case EditValue::State:
      if (!value.isString()) return std::nullopt;
      return ValueFromText(field, value.toString().toStdString());
  }
  return std::nullopt;
}

QJsonObject DumpToJson(const FileReport& report, const SaveEntry& save, const SaveDump& dump) {
  Node root;
  root.Put("formatVersion", kDumpFormatVersion);
  root.Put("file", Text(PathText(report.path)));
  root.Put("kind", Text(report.container->kindKey));
  // A container's offsets include its header.
  if (!report.container->containerKey.empty()) root.Put("container", Text(report.container->containerKey));
  root.Put("save", QJsonObject{
                       {"number", save.saveNumber},
                       {"block", save.block == 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(save.block)},
                       {"regionOffset", Num(static_cast<std::int64_t>(save.regionOffset))},
                       {"checksum", QJsonObject{{"stored", save.storedChecksum},
                                                {"computed", save.computedChecksum},
                                                {"matches", save.ChecksumMatches()}}},
                   });
  const std::vector<CatalogueField>& fields = FieldCatalogue();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    root.Put(fields[i].key, JsonOf(fields[i], dump.values.at(i)));
    PutBeside(root, fields[i], dump);
  }
  return root.Json().toObject();
}

std::string DumpJsonText(const FileReport& report, const SaveEntry& save, const SaveDump& dump) {
  return QJsonDocument(DumpToJson(report, save, dump)).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace zovek::cli
