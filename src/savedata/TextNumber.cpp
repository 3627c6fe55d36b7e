#include "savedata/TextNumber.h"

#include <algorithm>

namespace zovek {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit); }

// Whether the fraction digits push the whole part up by one: above one half
// always, exactly one half only when the whole part is odd.
bool RoundsUp(std::string_view fraction, std::int64_t whole) {
  if (fraction.empty() || fraction[0] < '5') return false;
  if (fraction[0] > '5') return true;
  const bool exactlyHalf = std::all_of(fraction.begin() + 1, fraction.end(), [](char c) { return c == '0'; });
  return !exactlyHalf || (whole % 2 != 0);
}

}  // namespace

std::optional<std::int64_t> WholeNumberFromText(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  std::string_view wholeDigits = text;
  std::string_view fraction;
  if (const auto point = text.find('.'); point != std::string_view::npos) {
    wholeDigits = text.substr(0, point);
    fraction = text.substr(point + 1);
    if (!AllDigits(fraction)) return std::nullopt;
  }
  if (!AllDigits(wholeDigits)) return std::nullopt;

  std::int64_t whole = 0;
  for (const char c : wholeDigits) {
    whole = std::min<std::int64_t>(whole * 10 + (c - '0'), kHugeTextNumber);
  }
  if (RoundsUp(fraction, whole)) whole = std::min<std::int64_t>(whole + 1, kHugeTextNumber);
  return negative ? -whole : whole;
}

}  // namespace zovek
