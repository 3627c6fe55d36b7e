#include "cli/Command.h"
#include "cli/JsonPrinter.h"
#include "cli/TextPrinter.h"
#include "savedata/SaveDump.h"

namespace zovek::cli {

extern const Command kDumpCommand{
    "dump", {{"save", "N"}, {"json"}},
    "  dump FILE [--save N] [--json]\n"
    "                       every field the editor shows for one save, as the\n"
    "                       window shows it, stored values beside; the save the\n"
    "                       editor shows first unless --save N (1..15) is given;\n"
    "                       --json for scripts (see docs/cli.md)\n",
    [](const CommandRun& run) {
      const auto files = run.files.size();
      if (files > 1) return UsageError(run.err, run.name, "takes one FILE, not " + std::to_string(files));
      const int saveNumber = SaveOption(run, "save");
      if (saveNumber < 0) return kExitUsage;
      const SaveFileContents contents = ReadSaveFile(ToPath(run.files.at(0)));
      const FileReport& report = contents.report;
      if (!report.ok()) return FileProblem(run.err, report);
      const SaveEntry* save = report.Save(saveNumber == 0 ? report.selectedSave : saveNumber);
      if (save == nullptr) return NoSave(run.err, report, saveNumber);
      const SaveDump dump = DecodeSave(contents.Region(*save));
      if (run.parser.isSet("json")) {
        run.out << DumpJsonText(report, *save, dump);
      } else {
        PrintDumpText(run.out, report, *save, dump);
      }
      if (!save->ChecksumMatches()) {
        FileError(run.err, report.path, "warning: " + SaveName(*save) + ": " + ChecksumText(*save));
      }
      return kExitOk;
    }};

}  // namespace zovek::cli
