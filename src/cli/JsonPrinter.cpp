#include "cli/JsonPrinter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <cmath>
#include <map>
#include <vector>


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

QJsonValue Json(const DumpValue& v) {
  if (const auto* flag = std::get_if<bool>(&v)) return *flag;
  if (const auto* number = std::get_if<std::int64_t>(&v)) return Num(*number);
  if (const auto* text = std::get_if<std::string>(&v)) return Text(*text);
  return QJsonValue(QJsonValue::Null);
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
    for (const DumpMember& member : dump.beside.at(i)) root.Put(member.key, Json(member.value));
  }
  return root.Json().toObject();
}

std::string DumpJsonText(const FileReport& report, const SaveEntry& save, const SaveDump& dump) {
  return QJsonDocument(DumpToJson(report, save, dump)).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace zovek::cli
