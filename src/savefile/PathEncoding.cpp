#include "savefile/PathEncoding.h"

#include <algorithm>
#include <cstdio>

namespace zovek {

namespace {

constexpr std::uint32_t kEscapeBase = 0xDC00u;  // + the byte
constexpr std::uint32_t kReplacement = 0xFFFDu;

bool IsSurrogate(std::uint32_t unit) { return unit >= 0xD800u && unit <= 0xDFFFu; }
bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800u && unit <= 0xDBFFu; }
bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00u && unit <= 0xDFFFu; }
// Only bytes from 0x80 on are ever escaped: the rest are ASCII, always valid.
bool IsEscape(std::uint32_t unit) { return unit >= kEscapeBase + 0x80u && unit <= kEscapeBase + 0xFFu; }

void AppendUtf8(std::string& bytes, std::uint32_t code) {
  // The lead byte says how many bytes follow; each of those carries six bits.
  constexpr std::uint32_t kLead[] = {0x00u, 0xC0u, 0xE0u, 0xF0u};
  const int following = code < 0x80u ? 0 : code < 0x800u ? 1 : code < 0x10000u ? 2 : 3;
  const auto put = [&bytes](std::uint32_t byte) { bytes += static_cast<char>(static_cast<std::uint8_t>(byte)); };
  put(kLead[following] | (code >> (6 * following)));
  for (int i = following - 1; i >= 0; --i) {
    put(0x80u | ((code >> (6 * i)) & 0x3Fu));
  }
}

}  // namespace

std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at, std::uint32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byte(at);
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  // Below 0xC2 a continuation byte or an overlong lead; above 0xF4 past U+10FFFF.
  if (lead < 0xC2 || lead > 0xF4) return 0;
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  code = lead & (0x7Fu >> length);  // the bits the lead byte carries
  if (at + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(at + i) & 0x3Fu);
  }
  const std::uint32_t smallest = length == 2 ? 0x80u : length == 3 ? 0x800u : 0x10000u;
  if (code < smallest || IsSurrogate(code) || code > 0x10FFFFu) return 0;
  return length;
}

std::string EscapedUtf8(std::string_view bytes, bool controls) {
  std::string text;
  text.reserve(bytes.size());
  const auto hex = [&text](std::string_view sequence) {
    for (const char byte : sequence) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(static_cast<std::uint8_t>(byte)));
      text += escape;
    }
  };
  for (std::size_t at = 0; at < bytes.size();) {
    std::uint32_t code = 0;
    const std::size_t length = Utf8SequenceAt(bytes, at, code);
    const std::string_view sequence = bytes.substr(at, std::max<std::size_t>(length, 1));
    const bool control = code < 0x20u || code == 0x7Fu || (code >= 0x80u && code <= 0x9Fu);
    if (length == 0) {
      hex(sequence);
    } else if (controls && code == '\n') {
      text += "\\n";
    } else if (controls && code == '\t') {
      text += "\\t";
    } else if (controls && control) {
      hex(sequence);
    } else {
      text.append(sequence);
    }
    at += sequence.size();
  }
  return text;
}

std::u16string TextFromBytes(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::uint32_t code = 0;
    const std::size_t length = Utf8SequenceAt(bytes, at, code);
    if (length == 0) {
      text += static_cast<char16_t>(kEscapeBase + static_cast<std::uint8_t>(bytes[at]));
      ++at;
      continue;
    }
    if (code >= 0x10000u) {
      text += static_cast<char16_t>(0xD800u + ((code - 0x10000u) >> 10));
      text += static_cast<char16_t>(kEscapeBase + ((code - 0x10000u) & 0x3FFu));
    } else {
      text += static_cast<char16_t>(code);
    }
    at += length;
  }
  return text;
}

std::string BytesFromText(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint32_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(bytes, 0x10000u + ((unit - 0xD800u) << 10) + (text[i + 1] - kEscapeBase));
      ++i;
    } else if (IsEscape(unit)) {
      bytes += static_cast<char>(static_cast<std::uint8_t>(unit - kEscapeBase));
    } else {
      AppendUtf8(bytes, IsSurrogate(unit) ? kReplacement : unit);
    }
  }
  return bytes;
}

// Both branches compile everywhere; only the system's runs.
std::filesystem::path PathFromText(std::u16string_view text) {
  if constexpr (kPathsAreBytes) {
    return std::filesystem::path(BytesFromText(text));
  } else {
    return std::filesystem::path(std::wstring(text.begin(), text.end()));
  }
}

std::u16string TextFromPath(const std::filesystem::path& path) {
  if constexpr (kPathsAreBytes) {
    return TextFromBytes(path.string());
  } else {
    const std::wstring wide = path.wstring();
    return std::u16string(wide.begin(), wide.end());
  }
}

}  // namespace zovek
