#pragma once
// Every field the editor shows for one save: the editor's own load walks run
// on the core's in-memory view, and what that view then shows is taken for
// each field of the catalogue, so the dump shows what the window shows.
// Beside each field stand what is stored (bytes, whole numbers, the play
// time in sixtieths) and the names and captions of the object it opens, as
// members of the dump's document. The command line's dump and the
// comparison of two saves both read it.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "savefile/SaveBuffer.h"

namespace zovek {

// A value of the document: none (JSON null), a flag, a whole number, a text.
using DumpValue = std::variant<std::nullptr_t, bool, std::int64_t, std::string>;

// A value beside the fields, at its key path ("characters[3].recordOffset").
struct DumpMember {
  std::string key;
  DumpValue value;
};

struct SaveDump {
  // What the window shows for each field of FieldCatalogue(), in its order,
  // as canonical text.
  std::vector<std::string> values;
  // For each field of the catalogue, what stands beside it.
  std::vector<std::vector<DumpMember>> beside;
};

SaveDump DecodeSave(const SaveBuffer& buffer);

}  // namespace zovek
