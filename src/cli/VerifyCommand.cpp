#include <algorithm>

#include "cli/Command.h"

namespace zovek::cli {

extern const Command kVerifyCommand{
    "verify", {},
    "  verify FILE...       checks every save of every file\n",
    [](const CommandRun& run) {
      int status = kExitOk;
      std::size_t saves = 0;
      std::size_t problems = 0;
      for (const QString& file : run.files) {
        const FileReport report = InspectFile(ToPath(file));
        if (!report.ok()) {
          status = FileProblem(run.err, report);
          ++problems;
          continue;
        }
        for (const SaveEntry& save : report.saves) {
          ++saves;
          if (save.ChecksumMatches()) continue;
          FileError(run.err, report.path, SaveName(save) + ": " + ChecksumText(save));
          status = std::max(status, kExitChecksumWrong);
          ++problems;
        }
      }
      const auto files = run.files.size();
      run.out << "verified " << files << (files == 1 ? " file, " : " files, ") << saves
              << (saves == 1 ? " save: " : " saves: ")
              << (problems == 0 ? std::string("all sound")
                                : std::to_string(problems) + (problems == 1 ? " problem" : " problems"))
              << '\n';
      return status;
    }};

}  // namespace zovek::cli
