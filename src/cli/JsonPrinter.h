#pragma once
// The JSON form of `dump --json`, for scripts: the editable fields as the
// window shows them ("-" as null), the raw values beside them under keys of
// their own. Its keys and types are listed in docs/cli.md; "formatVersion"
// changes whenever they do.

#include <optional>
#include <string>

#include <QJsonObject>

#include "savedata/FieldCatalogue.h"
#include "savedata/SaveDump.h"
#include "savefile/SaveFileReport.h"

namespace zovek::cli {

inline constexpr int kDumpFormatVersion = 2;

// A field's canonical value (savedata/FieldCatalogue.h) as the dump shows it,
// and back: a number, null for "-", a boolean, a state's name. Nothing when
// the JSON value is not one the field takes.
QJsonValue JsonOf(const CatalogueField& field, const std::string& value);
std::optional<std::string> ValueFromJson(const CatalogueField& field, const QJsonValue& value);

QJsonObject DumpToJson(const FileReport& report, const SaveEntry& save, const SaveDump& dump);

// Indented UTF-8 text, ending in a newline.
std::string DumpJsonText(const FileReport& report, const SaveEntry& save, const SaveDump& dump);

}  // namespace zovek::cli
