#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Command.h"
#include "savedata/FieldCatalogue.h"

namespace zovek::cli {

extern const Command kKeysCommand{
    "keys", {{"json"}},
    "  keys [--json]        every KEY set takes, with its range and caption\n",
    [](const CommandRun& run) {
      if (!run.files.isEmpty()) return UsageError(run.err, run.name, "takes no FILE");
      const bool json = run.parser.isSet("json");
      QJsonArray keys;
      for (const CatalogueField& field : FieldCatalogue()) {
        if (!json) {
          run.out << field.key << '\t' << RangeText(field) << '\t' << field.caption << '\n';
          continue;
        }
        QJsonObject key{{"key", QString::fromStdString(field.key)}, {"caption", QString::fromStdString(field.caption)}};
        if (field.value == EditValue::Number || field.value == EditValue::NumberOrEmpty) {
          key["min"] = 0;
          key["max"] = static_cast<double>(field.maximum);
          if (field.value == EditValue::NumberOrEmpty) key["orNull"] = true;  // "-" on the command line
        } else {
          QJsonArray values;
          if (field.value == EditValue::Flag) values = {true, false};
          for (const std::string& state : field.value == EditValue::State ? StateNames() : std::vector<std::string>{}) {
            values.append(QString::fromStdString(state));
          }
          key["values"] = values;
        }
        keys.append(key);
      }
      if (json) run.out << QJsonDocument(keys).toJson(QJsonDocument::Indented).toStdString();
      return kExitOk;
    },
    false};

}  // namespace zovek::cli
