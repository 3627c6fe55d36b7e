#include "cli/DumpApply.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "cli/JsonPrinter.h"

namespace zovek::cli {

namespace {

// Only an object or an array makes a document: the value is wrapped in an
// array to print it, the brackets taken off again.
std::string Compact(const QJsonValue& value) {
  const std::string text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
  return text.substr(1, text.size() - 2);
}

class DumpWalk {
 public:
  std::vector<Edit>& edits;
  std::string& problem;

  bool Walk(const QJsonValue& given, const QJsonValue& now, const std::string& path) {
    if (const CatalogueField* key = FindField(path)) {
      const auto value = ValueFromJson(*key, given);
      if (!value) return Fail(path + ": takes " + TakesText(*key) + ", not " + Compact(given));
      edits.push_back(Edit{key, *value});
      return true;
    }
    if (given.isObject() && now.isObject()) {
      const QJsonObject object = given.toObject();
      const QJsonObject nowObject = now.toObject();
      for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string key = it.key().toStdString();
        const std::string inner = path.empty() ? key : path + "." + key;
        if (!nowObject.contains(it.key())) return Fail(inner + ": not a key of the dump");
        if (!Walk(it.value(), nowObject.value(it.key()), inner)) return false;
      }
      return true;
    }
    if (given.isArray() && now.isArray()) {
      const QJsonArray array = given.toArray();
      const QJsonArray nowArray = now.toArray();
      for (qsizetype i = 0; i < array.size(); ++i) {
        const std::string inner = path + "[" + std::to_string(i) + "]";
        if (i >= nowArray.size()) return Fail(inner + ": not a key of the dump");
        if (!Walk(array.at(i), nowArray.at(i), inner)) return false;
      }
      return true;
    }
    if (given == now) return true;
    return Fail(path + ": not editable; the save has " + Compact(now) + ", the document " + Compact(given));
  }

 private:
  bool Fail(std::string text) {
    problem = std::move(text);
    return false;
  }
};

}  // namespace

int DocumentSaveNumber(const QJsonObject& document) {
  const QJsonValue number = document.value("save").toObject().value("number");
  return number.isDouble() ? number.toInt() : 0;
}

bool EditsFromDump(const QJsonObject& document, const QJsonObject& current, std::vector<Edit>& edits,
                   std::string& problem) {
  const QJsonValue version = document.value("formatVersion");
  if (!version.isDouble() || version.toDouble() != kDumpFormatVersion) {
    problem = "formatVersion: this program applies format " + std::to_string(kDumpFormatVersion) + ", not " +
              (version.isUndefined() ? std::string("a document without one") : Compact(version));
    return false;
  }
  // The path as given when the dump was made may name the file another way.
  QJsonObject given = document;
  given.remove("file");
  DumpWalk walk{edits, problem};
  return walk.Walk(given, current, "");
}

}  // namespace zovek::cli
