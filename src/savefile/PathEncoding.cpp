#include "savefile/PathEncoding.h"

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
  const auto put = [&bytes](std::uint32_t byte) { bytes += static_cast<char>(static_cast<std::uint8_t>(byte)); };
  if (code < 0x80u) {
    put(code);
  } else if (code < 0x800u) {
    put(0xC0u | (code >> 6));
    put(0x80u | (code & 0x3Fu));
  } else if (code < 0x10000u) {
    put(0xE0u | (code >> 12));
    put(0x80u | ((code >> 6) & 0x3Fu));
    put(0x80u | (code & 0x3Fu));
  } else {
    put(0xF0u | (code >> 18));
    put(0x80u | ((code >> 12) & 0x3Fu));
    put(0x80u | ((code >> 6) & 0x3Fu));
    put(0x80u | (code & 0x3Fu));
  }
}

}  // namespace

std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at, std::uint32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
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
  if (at + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(at + i) & 0x3Fu);
  }
  const std::uint32_t smallest = length == 2 ? 0x80u : length == 3 ? 0x800u : 0x10000u;
  if (code < smallest || IsSurrogate(code) || code > 0x10FFFFu) return 0;
  return length;
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
