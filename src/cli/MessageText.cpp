#include "cli/MessageText.h"

#include "savefile/PathEncoding.h"

namespace zovek::cli {

std::string LineText(std::string_view text) { return EscapedUtf8(text, true); }

std::string PathLine(const std::filesystem::path& path) { return LineText(PathBytes(path)); }

}  // namespace zovek::cli
