#pragma once
// Text that the command line prints, kept to one line whatever it holds: a
// file name or a key may contain a line break, a tab or a terminal's escape
// character, and a problem must still stand on one line of its own.

#include <filesystem>
#include <string>
#include <string_view>

namespace zovek::cli {

// `text` (UTF-8) with every control character written out: a line feed as
// \n, a tab as \t, any other control character (U+0000..U+001F, U+007F,
// U+0080..U+009F) and any byte that is not part of valid UTF-8 as \xHH, one
// per byte. Everything else, a backslash included, stays as it is.
std::string LineText(std::string_view text);

// A path as LineText writes it.
std::string PathLine(const std::filesystem::path& path);

}  // namespace zovek::cli
