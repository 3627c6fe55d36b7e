#pragma once
// The JSON form of `dump --json`, for scripts: the editable fields as the
// window shows them ("-" as null), the raw values beside them under keys of
// their own. Its keys and types are listed in docs/cli.md; "formatVersion"
// changes whenever they do.

#include <string>

#include <QJsonObject>

#include "cli/SaveDump.h"
#include "savefile/SaveFileReport.h"

namespace zovek::cli {

inline constexpr int kDumpFormatVersion = 2;

QJsonObject DumpToJson(const FileReport& report, const SaveEntry& save, const SaveDump& dump);

// Indented UTF-8 text, ending in a newline.
std::string DumpJsonText(const FileReport& report, const SaveEntry& save, const SaveDump& dump);

}  // namespace zovek::cli
