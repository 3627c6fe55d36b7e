#pragma once
// Turning the text of a view element back into a whole number. The editors
// leave plain decimal numbers there (a value box may keep a fraction such as
// "1.5"), or "-" where a slot or count may be empty.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zovek {

// "-"? digits ("." digits)?, made whole to the nearest integer with halves
// going to the even neighbour (2.5 -> 2, 3.5 -> 4). Anything else gives
// nothing. Magnitudes beyond every field width saturate at kHugeTextNumber,
// so they still fail the width check instead of wrapping.
std::optional<std::int64_t> WholeNumberFromText(std::string_view text);

inline constexpr std::int64_t kHugeTextNumber = std::int64_t{1} << 40;

}  // namespace zovek
