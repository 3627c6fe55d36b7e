#include "cli/MessageText.h"

#include <cstdint>

#include "savefile/PathEncoding.h"

namespace zovek::cli {

namespace {

void AppendHex(std::string& text, std::uint8_t byte) {
  constexpr const char* kDigits = "0123456789ABCDEF";
  text += "\\x";
  text += kDigits[byte >> 4];
  text += kDigits[byte & 0x0F];
}

}  // namespace

std::string LineText(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    std::uint32_t code = 0;
    const std::size_t length = Utf8SequenceAt(text, at, code);
    if (length == 0) {
      AppendHex(line, static_cast<std::uint8_t>(text[at]));
      ++at;
      continue;
    }
    const bool control = code < 0x20u || code == 0x7Fu || (code >= 0x80u && code <= 0x9Fu);
    if (code == '\n') {
      line += "\\n";
    } else if (code == '\t') {
      line += "\\t";
    } else if (control) {
      for (std::size_t i = 0; i < length; ++i) AppendHex(line, static_cast<std::uint8_t>(text[at + i]));
    } else {
      line.append(text.substr(at, length));
    }
    at += length;
  }
  return line;
}

std::string PathLine(const std::filesystem::path& path) { return LineText(PathBytes(path)); }

}  // namespace zovek::cli
