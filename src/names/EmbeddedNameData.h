#pragma once
// The name data files, compiled in. Each table is generated at build time from
// its file in names/data by EmbedNameData.cmake, which has already checked the
// number of entries (and, for techniques, each list's length and that no name
// repeats). Internal to zovek_names; the rest of the program uses NameTables.h.

#include <cstddef>
#include <span>
#include <string_view>

namespace zovek::name_data {

struct EmbeddedTable {
  std::span<const std::string_view> texts;  // UTF-8, in file order
  std::span<const std::size_t> listSizes;   // consecutive lists; one list when the file is not split
};

extern const EmbeddedTable items;
extern const EmbeddedTable techniques;
extern const EmbeddedTable characters;
extern const EmbeddedTable scenarios;
extern const EmbeddedTable roles;

// The same tables in English, from names/data/en.
extern const EmbeddedTable items_en;
extern const EmbeddedTable techniques_en;
extern const EmbeddedTable characters_en;
extern const EmbeddedTable scenarios_en;
extern const EmbeddedTable roles_en;

}  // namespace zovek::name_data
