#pragma once
// Text that the command line prints, kept to one line whatever it holds: a
// file name or a key may contain a line break, a tab or a terminal's escape
// character, and a problem must still stand on one line of its own.

#include <filesystem>
#include <string>
#include <string_view>

namespace zovek::cli {

// `text` (UTF-8) with every control character and every byte that is not
// part of valid UTF-8 written out (EscapedUtf8 with `controls`).
std::string LineText(std::string_view text);

// A path as LineText writes it.
std::string PathLine(const std::filesystem::path& path);

}  // namespace zovek::cli
