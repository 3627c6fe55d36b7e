#pragma once
// File names as UTF-16 text and back, without loss. On POSIX a name is bytes,
// and not every name is UTF-8 (a card named in Shift-JIS, as archives from
// Japanese systems unpack). Such text holds valid UTF-8 decoded as usual and
// every other byte b as the lone code unit U+DC00+b, which no decoded name
// holds otherwise, so the bytes come back exactly. On Windows a name is
// UTF-16 already and is taken as it is.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>

namespace zovek {

// True where a path is bytes (POSIX), false where it is UTF-16 (Windows).
inline constexpr bool kPathsAreBytes = std::is_same_v<std::filesystem::path::value_type, char>;

// The length (1..4) of the valid UTF-8 sequence at `at`, with its code point
// in `code`; 0 when the byte there begins none. Overlong forms, surrogates
// and code points past U+10FFFF are not UTF-8.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at, std::uint32_t& code);

// Bytes as printable UTF-8: every byte that is not part of valid UTF-8 as
// \xHH; with `controls`, also a line feed as \n, a tab as \t and any other
// control character (U+0000..U+001F, U+007F, U+0080..U+009F) as \xHH, one
// per byte. Everything else, a backslash included, stays as it is.
std::string EscapedUtf8(std::string_view bytes, bool controls);

// Bytes as text: valid UTF-8 decoded, every other byte b as U+DC00+b.
std::u16string TextFromBytes(std::string_view bytes);

// The reverse, exact for any text TextFromBytes made. A lone surrogate it
// cannot have made becomes U+FFFD.
std::string BytesFromText(std::u16string_view text);

// Such text as a path and back: through the bytes on POSIX, the UTF-16 name
// itself on Windows.
std::filesystem::path PathFromText(std::u16string_view text);
std::u16string TextFromPath(const std::filesystem::path& path);

// The path's bytes: its own on POSIX, its UTF-8 on Windows.
inline std::string PathBytes(const std::filesystem::path& path) { return BytesFromText(TextFromPath(path)); }

}  // namespace zovek
