#pragma once
// Plain-text output for a terminal: one block per file for `info`, the
// editor's three tabs as sections for `dump`.

#include <ostream>

#include "cli/SaveDump.h"
#include "cli/SaveReport.h"

namespace zovek::cli {

void PrintInfo(std::ostream& out, const FileReport& report);
void PrintDumpText(std::ostream& out, const FileReport& report, const SaveEntry& save, const SaveDump& dump);

// "0x5A matches" / "0x5A does not match (data sums to 0x5B)".
std::string ChecksumText(const SaveEntry& save);
// "save 3 (block 6)" / "save 5".
std::string SaveName(const SaveEntry& save);

}  // namespace zovek::cli
