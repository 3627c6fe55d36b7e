#include "cli/MessageText.h"

#include <cstdint>

namespace zovek::cli {

namespace {

void AppendHex(std::string& text, std::uint8_t byte) {
  constexpr const char* kDigits = "0123456789ABCDEF";
  text += "\\x";
  text += kDigits[byte >> 4];
  text += kDigits[byte & 0x0F];
}

// The length of the valid UTF-8 sequence at `at`, 0 when there is none.
std::size_t SequenceLength(std::string_view text, std::size_t at, std::uint32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(at);
  std::size_t length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(at + i) & 0x3Fu);
  }
  // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
  const std::uint32_t smallest = length == 2 ? 0x80u : length == 3 ? 0x800u : 0x10000u;
  if (code < smallest || (code >= 0xD800u && code <= 0xDFFFu) || code > 0x10FFFFu) return 0;
  return length;
}

}  // namespace

std::string LineText(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    std::uint32_t code = 0;
    const std::size_t length = SequenceLength(text, at, code);
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

std::string PathLine(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return LineText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

}  // namespace zovek::cli
