#include <set>

#include "cli/Command.h"
#include "savedata/FieldCatalogue.h"

namespace zovek::cli {

extern const Command kSetCommand{
    "set", {{"save", "N"}, {"dry-run"}, {"no-backup"}},
    "  set FILE [--save N] KEY=VALUE...\n"
    "                       enters the values as the window would and saves: KEY\n"
    "                       is the key path of an editable field in dump --json\n"
    "                       (chips, characters[3].hp, possessions[10].count, ...)\n",
    [](const CommandRun& run) {
      const int saveNumber = SaveOption(run, "save");
      if (saveNumber < 0) return kExitUsage;
      std::vector<Edit> edits;
      std::set<std::string> seen;
      for (const QString& argument : run.files.mid(1)) {
        const qsizetype equals = argument.indexOf('=');
        if (equals <= 0) return UsageError(run.err, "set", "'" + Bytes(argument) + "' is not KEY=VALUE");
        const std::string key = Bytes(argument.left(equals));
        const std::string text = Bytes(argument.mid(equals + 1));
        const CatalogueField* field = FindField(key);
        if (field == nullptr) return UsageError(run.err, "set", key + ": not an editable key (docs/cli.md lists them)");
        if (!seen.insert(key).second) return UsageError(run.err, "set", key + ": given twice");
        const auto value = ValueFromText(*field, text);
        if (!value) return UsageError(run.err, "set", key + ": takes " + TakesText(*field) + ", not '" + text + "'");
        edits.push_back(Edit{field, *value});
      }
      if (edits.empty()) return UsageError(run.err, "set", "no KEY=VALUE given");
      return EditFile(run, saveNumber, [&edits](const SaveFileContents&, int, std::vector<Edit>& made) {
        made = std::move(edits);
        return kExitOk;
      });
    }};

}  // namespace zovek::cli
