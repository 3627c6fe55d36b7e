#include "cli/Command.h"
#include "cli/TextPrinter.h"

namespace zovek::cli {

extern const Command kInfoCommand{
    "info", {},
    "  info FILE...         the kind of each file, the game's saves it holds (save\n"
    "                       number, block) and whether each save's checksum matches\n",
    [](const CommandRun& run) {
      int status = kExitOk;
      for (const QString& file : run.files) {
        const FileReport report = InspectFile(ToPath(file));
        if (!report.ok()) {
          status = FileProblem(run.err, report);
          continue;
        }
        PrintInfo(run.out, report);
      }
      return status;
    }};

}  // namespace zovek::cli
