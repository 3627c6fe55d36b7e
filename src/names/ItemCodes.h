#pragma once
// Which kind of text an item code shows. The game leaves some codes without a
// proper name: those show a generated placeholder, "アイテム" below code 88 and
// "ぼうぐ" from 88 up, followed by the code. Internal to zovek_names.

#include <array>
#include <cstddef>

namespace zovek::item_codes {

enum class TextKind { Nothing, Blank, ItemPlaceholder, ArmourPlaceholder, ProperName };

struct CodeRange {
  int first;
  int last;
};

inline constexpr std::array<CodeRange, 3> kItemPlaceholders{{{14, 15}, {68, 68}, {86, 87}}};

inline constexpr std::array<CodeRange, 10> kArmourPlaceholders{{
    {103, 103}, {107, 107}, {118, 123}, {136, 139}, {141, 143},
    {150, 151}, {215, 219}, {227, 232}, {249, 249}, {252, 254}}};

template <std::size_t N>
constexpr bool InRanges(int code, const std::array<CodeRange, N>& ranges) {
  for (const CodeRange& r : ranges) {
    if (code >= r.first && code <= r.last) return true;
  }
  return false;
}

// Codes 0..255; anything else is treated as having a proper name and must be
// rejected by the caller first.
constexpr TextKind TextKindOf(int code) {
  if (code == 0) return TextKind::Nothing;
  if (code == 255) return TextKind::Blank;
  if (InRanges(code, kItemPlaceholders)) return TextKind::ItemPlaceholder;
  if (InRanges(code, kArmourPlaceholders)) return TextKind::ArmourPlaceholder;
  return TextKind::ProperName;
}

// The number of codes with a proper name: one line each in items.txt.
constexpr int ProperNameCount() {
  int count = 0;
  for (int code = 0; code <= 255; ++code) {
    if (TextKindOf(code) == TextKind::ProperName) ++count;
  }
  return count;
}

static_assert(ProperNameCount() == 217, "items.txt holds one line per code with a proper name");

}  // namespace zovek::item_codes
