// Reading the number a text begins with, and writing a number back as the
// plain decimal text the boxes show.

#include "savedata/rules/TextRules.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

#include "savedata/rules/DecimalConversion.h"

namespace zovek {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Blanks are ignored wherever they stand, so the reader works on a copy
// without them. Every other byte (non-ASCII included) stays and can stop it.
std::string WithoutBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (!IsBlank(c)) out.push_back(c);
  }
  return out;
}

std::string_view SkipLeadingZeros(std::string_view digits) {
  std::size_t i = 0;
  while (i < digits.size() && digits[i] == '0') ++i;
  return digits.substr(i);
}

double ReadHexDigits(std::string_view hex) {
  hex = SkipLeadingZeros(hex);
  return hex.empty() ? 0.0 : decimal::ParseHexInteger(hex);
}

// Octal has no reader of its own: regroup its bits into hexadecimal digits,
// working from the least significant end.
double ReadOctalDigits(std::string_view octal) {
  octal = SkipLeadingZeros(octal);
  std::string hexReversed;
  hexReversed.reserve(octal.size());
  unsigned bits = 0;
  int bitCount = 0;
  constexpr char kHex[] = "0123456789ABCDEF";
  for (std::size_t i = octal.size(); i > 0; --i) {
    bits |= static_cast<unsigned>(octal[i - 1] - '0') << bitCount;
    bitCount += 3;
    while (bitCount >= 4) {
      hexReversed.push_back(kHex[bits & 15u]);
      bits >>= 4;
      bitCount -= 4;
    }
  }
  if (bitCount > 0) hexReversed.push_back(kHex[bits & 15u]);
  return ReadHexDigits(std::string(hexReversed.rbegin(), hexReversed.rend()));
}

// "&H" / "&O" followed by digits; `rest` starts after the letter.
double ReadRadixInteger(char letter, std::string_view rest) {
  std::size_t n = 0;
  if (letter == 'H') {
    while (n < rest.size() && IsHexDigit(rest[n])) ++n;
    return ReadHexDigits(rest.substr(0, n));
  }
  while (n < rest.size() && IsOctalDigit(rest[n])) ++n;
  return ReadOctalDigits(rest.substr(0, n));
}

// Steps past a sign at s[i], if one stands there: whether it is a minus.
bool TakeSign(std::string_view s, std::size_t& i) {
  if (i >= s.size() || (s[i] != '+' && s[i] != '-')) return false;
  return s[i++] == '-';
}

// Sign, digits, optional point and fraction, optional exponent (E or D).
double ReadDecimal(std::string_view s) {
  std::size_t i = 0;
  const bool negative = TakeSign(s, i);
  const std::size_t intStart = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  const std::string_view intDigits = s.substr(intStart, i - intStart);
  std::string_view fracDigits;
  if (i < s.size() && s[i] == '.') {
    const std::size_t fracStart = ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    fracDigits = s.substr(fracStart, i - fracStart);
  }

  // The exponent counts only when digits follow the letter ("1e" reads 1).
  // Its size is capped far beyond anything a double can hold, so that the
  // arithmetic below can't overflow.
  constexpr long long kExponentCap = 1'000'000'000'000'000LL;
  long long exponent = 0;
  if (i < s.size() && (Upper(s[i]) == 'E' || Upper(s[i]) == 'D')) {
    std::size_t j = i + 1;
    const bool expNegative = TakeSign(s, j);
    if (j < s.size() && IsDigit(s[j])) {
      for (; j < s.size() && IsDigit(s[j]); ++j) {
        if (exponent < kExponentCap) exponent = exponent * 10 + (s[j] - '0');
      }
      if (expNegative) exponent = -exponent;
    }
  }

  // The decimal order of magnitude m of the value (10^(m-1) <= |v| < 10^m)
  // settles values far outside a double at once, so the converter only ever
  // sees a short exponent.
  const std::string_view significantInt = SkipLeadingZeros(intDigits);
  long long magnitude = 0;
  if (!significantInt.empty()) {
    magnitude = static_cast<long long>(significantInt.size());
  } else {
    const std::string_view significantFrac = SkipLeadingZeros(fracDigits);
    if (significantFrac.empty()) return 0.0;
    magnitude = -static_cast<long long>(fracDigits.size() - significantFrac.size());
  }
  magnitude += exponent;
  const double saturated = negative ? -kLargest : kLargest;
  if (magnitude > 400) return saturated;
  if (magnitude < -400) return 0.0;

  std::string cleaned;
  cleaned.reserve(intDigits.size() + fracDigits.size() + 24);
  if (negative) cleaned.push_back('-');
  cleaned.append(intDigits.empty() ? std::string_view("0") : intDigits);
  if (!fracDigits.empty()) {
    cleaned.push_back('.');
    cleaned.append(fracDigits);
  }
  if (exponent != 0) {
    cleaned.push_back('e');
    cleaned.append(std::to_string(exponent));
  }
  return decimal::ParseDecimal(cleaned);
}

}  // namespace

double NumericReading(std::string_view text) {
  const std::string s = WithoutBlanks(text);
  double value = 0.0;
  if (s.size() >= 2 && s[0] == '&' && (Upper(s[1]) == 'H' || Upper(s[1]) == 'O')) {
    value = ReadRadixInteger(Upper(s[1]), std::string_view(s).substr(2));
  } else {
    value = ReadDecimal(s);
  }
  // No negative zero: "-0" is simply 0.
  return value == 0.0 ? 0.0 : value;
}

std::string CanonicalText(double value) {
  if (std::isnan(value) || value == 0.0) return "0";
  if (std::isinf(value)) value = value > 0 ? kLargest : -kLargest;
  return decimal::ShortestFixed(value);
}

std::int64_t WholeNumber(double value) {
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (std::isnan(value)) return 0;
  if (value >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
  // Exact: value - floor(value) loses nothing for a double in this range.
  const double below = std::floor(value);
  const double rest = value - below;
  double nearest = below;
  if (rest > 0.5) {
    nearest = below + 1.0;
  } else if (rest == 0.5) {
    nearest = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
  }
  if (nearest >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(nearest);
}

}  // namespace zovek
