#pragma once
// Plain-text output for a terminal: one block per file for `info`, the
// editor's three tabs as sections for `dump`.

#include <ostream>

#include "savedata/SaveDump.h"
#include "savefile/SaveFileReport.h"

namespace zovek::cli {

void PrintInfo(std::ostream& out, const FileReport& report);
void PrintDumpText(std::ostream& out, const FileReport& report, const SaveEntry& save, const SaveDump& dump);

}  // namespace zovek::cli
