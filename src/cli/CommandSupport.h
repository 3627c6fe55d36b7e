#pragma once
// What several commands share: their messages, --save, and the run of the
// edits that set and apply end in.

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <QString>

#include "cli/CliCommands.h"
#include "cli/CommandRegistry.h"
#include "cli/EditRun.h"
#include "savefile/SaveFileReport.h"

namespace zovek::cli {

inline constexpr const char* kProgram = "zovek-cli";

// An argument that is not UTF-8 is held losslessly (savefile/PathEncoding.h);
// paths and messages get its bytes back.
std::filesystem::path ToPath(const QString& text);
std::string Bytes(const QString& text);

// The line, then the pointer to --help; kExitUsage.
int UsageError(std::ostream& err, const std::string& command, const std::string& message);
void FileError(std::ostream& err, const std::filesystem::path& path, const std::string& message);
// The file's problem, or that it lacks save `saveNumber`; kExitFileProblem.
int FileProblem(std::ostream& err, const FileReport& report);
int NoSave(std::ostream& err, const FileReport& report, int saveNumber);

// The save number `option` (save, save-b) gives, 0 when it is not given;
// -1 after the usage error.
int SaveOption(const CommandRun& run, const char* option);

// The edits of set and apply, from the save as read under the lock (`region`
// of the save numbered `saveNumber`); a status other than kExitOk ends the run.
using MakeEdits =
    std::function<int(const SaveFileContents& contents, int saveNumber, const SaveBuffer& region, std::vector<Edit>&)>;

// set and apply once their arguments are checked: opens and locks the file
// (unless --dry-run), reads the save (0: the one the editor shows first),
// makes the edits, runs them and reports the changes.
int EditFile(const CommandRun& run, int saveNumber, const MakeEdits& makeEdits);

}  // namespace zovek::cli
