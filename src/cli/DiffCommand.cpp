#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Command.h"
#include "cli/JsonPrinter.h"
#include "savedata/SaveDiff.h"

namespace zovek::cli {

// A's save is the one asked for or the one the editor shows first; B's the
// one asked for, else A's number where B has it, else B's first.
extern const Command kDiffCommand{
    "diff", {{"save", "N"}, {"save-b", "M"}, {"json"}},
    "  diff A B [--save N] [--save-b M] [--json]\n"
    "                       the fields whose shown values differ between a save of\n"
    "                       A and one of B (KEY: A-value → B-value), then how many\n"
    "                       other bytes of the save differ; --save picks A's save,\n"
    "                       --save-b B's (default: the same number, if B has it)\n",
    [](const CommandRun& run) {
      const int saveA = SaveOption(run, "save");
      if (saveA < 0) return kExitUsage;
      const int saveB = SaveOption(run, "save-b");
      if (saveB < 0) return kExitUsage;
      if (run.files.size() != 2) {
        return UsageError(run.err, run.name, "takes two files, A and B, not " + std::to_string(run.files.size()));
      }
      const SaveFileContents contentsA = ReadSaveFile(ToPath(run.files.at(0)));
      const SaveFileContents contentsB = ReadSaveFile(ToPath(run.files.at(1)));
      const SaveEntry* saves[2] = {nullptr, nullptr};
      int wanted = saveA;
      for (int side = 0; side < 2; ++side) {
        const FileReport& report = (side == 0 ? contentsA : contentsB).report;
        if (!report.ok()) return FileProblem(run.err, report);
        if (side == 1) wanted = saveB != 0 ? saveB : (report.Save(wanted) != nullptr ? wanted : 0);
        saves[side] = report.Save(wanted == 0 ? report.selectedSave : wanted);
        if (saves[side] == nullptr) return NoSave(run.err, report, wanted);
        wanted = saves[side]->saveNumber;
      }
      const SaveDifference difference = CompareSaves(contentsA.Region(*saves[0]), contentsB.Region(*saves[1]));
      if (run.parser.isSet("json")) {
        QJsonArray fields;
        for (const FieldDifference& d : difference.fields) {
          fields.append(QJsonObject{{"key", QString::fromStdString(d.field->key)},
                                    {"a", JsonOf(*d.field, d.a)},
                                    {"b", JsonOf(*d.field, d.b)}});
        }
        const auto side = [](const FileReport& report, const SaveEntry& save) {
          return QJsonObject{{"file", QString::fromStdString(PathText(report.path))}, {"save", save.saveNumber}};
        };
        const QJsonObject root{{"formatVersion", 1},
                               {"a", side(contentsA.report, *saves[0])},
                               {"b", side(contentsB.report, *saves[1])},
                               {"fields", fields},
                               {"otherBytes", difference.otherBytes}};
        run.out << QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
      } else {
        for (const FieldDifference& d : difference.fields) {
          run.out << d.field->key << ": " << d.a << " → " << d.b << '\n';
        }
        run.out << "otherBytes: " << difference.otherBytes << '\n';
      }
      return difference.None() ? kExitOk : kExitDiffers;
    }};

}  // namespace zovek::cli
