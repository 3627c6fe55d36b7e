#include "savedata/rules/DecimalConversion.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <version>

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#include <charconv>
#include <system_error>
#define ZOVEK_HAS_FLOAT_CHARCONV 1
#else
#define ZOVEK_HAS_FLOAT_CHARCONV 0
#endif

namespace zovek::decimal {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

double Saturated(double value) {
  if (std::isinf(value)) return value > 0 ? kLargest : -kLargest;
  if (std::isnan(value)) return 0.0;
  return value;
}

// Enough for "0." and 324 decimals, or 309 integer digits, plus a sign.
constexpr std::size_t kFixedBufferSize = 400;

}  // namespace

namespace portable {

// strtod reads the decimal point of the current locale, so the point of
// the text is swapped for it first.
double ParseDecimal(std::string_view text) {
  const char* localePoint = std::localeconv()->decimal_point;
  std::string converted;
  converted.reserve(text.size() + 4);
  for (char c : text) {
    if (c == '.') {
      converted.append(localePoint != nullptr && *localePoint != '\0' ? localePoint : ".");
    } else {
      converted.push_back(c);
    }
  }
  return Saturated(std::strtod(converted.c_str(), nullptr));
}

double ParseHexInteger(std::string_view hexDigits) {
  std::string prefixed = "0x";
  prefixed.append(hexDigits);
  return Saturated(std::strtod(prefixed.c_str(), nullptr));
}

std::string ShortestFixed(double value) {
  if (value == 0.0 || !std::isfinite(value)) return "0";
  char buffer[kFixedBufferSize];
  // From 2^53 on every double is whole and is written exactly.
  if (std::fabs(value) >= 9007199254740992.0) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
  }
  // The fewest significant digits that read back to the same double; the
  // C library rounds them correctly, so they are also the closest ones.
  int precision = 1;
  for (; precision < 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);

  // Spread "d.ddde±x" out in fixed notation.
  std::string digits;
  int exponent = 0;
  for (const char* p = buffer; *p != '\0'; ++p) {
    if (*p >= '0' && *p <= '9') {
      digits.push_back(*p);
    } else if (*p == 'e' || *p == 'E') {
      exponent = std::atoi(p + 1);
      break;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = value < 0 ? "-" : "";
  const int count = static_cast<int>(digits.size());
  if (exponent >= count - 1) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent - (count - 1)), '0');
  } else if (exponent >= 0) {
    const auto wholeDigits = static_cast<std::size_t>(exponent + 1);
    out += digits.substr(0, wholeDigits);
    out += '.';
    out += digits.substr(wholeDigits);
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  }
  return out;
}

}  // namespace portable

#if ZOVEK_HAS_FLOAT_CHARCONV

bool UsesCharconv() { return true; }

double ParseDecimal(std::string_view text) {
  double value = 0.0;
  const std::from_chars_result read =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (read.ec == std::errc::result_out_of_range) {
    // Out of range either way: the text's own exponent says which way.
    return portable::ParseDecimal(text);
  }
  if (read.ec != std::errc{}) return 0.0;
  return Saturated(value);
}

double ParseHexInteger(std::string_view hexDigits) {
  double value = 0.0;
  const std::from_chars_result read =
      std::from_chars(hexDigits.data(), hexDigits.data() + hexDigits.size(), value, std::chars_format::hex);
  if (read.ec == std::errc::result_out_of_range) return kLargest;  // integers only overflow
  if (read.ec != std::errc{}) return 0.0;
  return Saturated(value);
}

std::string ShortestFixed(double value) {
  if (value == 0.0 || !std::isfinite(value)) return "0";
  char buffer[kFixedBufferSize];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (ec != std::errc{}) return portable::ShortestFixed(value);
  return std::string(buffer, end);
}

#else

bool UsesCharconv() { return false; }
double ParseDecimal(std::string_view text) { return portable::ParseDecimal(text); }
double ParseHexInteger(std::string_view hexDigits) { return portable::ParseHexInteger(hexDigits); }
std::string ShortestFixed(double value) { return portable::ShortestFixed(value); }

#endif

}  // namespace zovek::decimal
