#pragma once
// `apply`: the edits a `dump --json` document asks for, against the dump of
// the save as it is now. Every editable key of the document becomes an edit
// (one that equals what the window shows changes nothing); every other key
// must be one the dump has, with the value it has now. Keys left out of the
// document stay as loaded.

#include <string>
#include <vector>

#include <QJsonObject>

#include "cli/EditRun.h"

namespace zovek::cli {

// The save number the document names (save.number), 0 when it names none.
int DocumentSaveNumber(const QJsonObject& document);

// False with `problem` naming the key and what is wrong with it.
bool EditsFromDump(const QJsonObject& document, const QJsonObject& current, std::vector<Edit>& edits,
                   std::string& problem);

}  // namespace zovek::cli
