#pragma once
// Conversions between doubles and digit strings for NumericReading and
// CanonicalText. The standard library's <charconv> does them exactly and
// without regard to the locale; some standard libraries still lack its
// floating-point part, and there the portable versions, built on the C
// library, stand in. Both are always compiled so that they are tested
// against each other.

#include <string>
#include <string_view>

namespace zovek::decimal {

// `text` is [-]digits[.digits][e[-]digits] with at least one digit before
// the exponent, in ASCII. Correctly rounded; beyond the range of a double
// the result saturates to the largest finite value, below it becomes 0.
double ParseDecimal(std::string_view text);

// `hexDigits`: one or more hexadecimal digits, no prefix. Correctly rounded,
// saturating like ParseDecimal.
double ParseHexInteger(std::string_view hexDigits);

// The shortest fixed-notation text (no exponent) that reads back to
// `value`, which must be finite; whole numbers of 2^53 and above are
// written exactly.
std::string ShortestFixed(double value);

namespace portable {
double ParseDecimal(std::string_view text);
double ParseHexInteger(std::string_view hexDigits);
std::string ShortestFixed(double value);
}  // namespace portable

// Whether the functions above use <charconv> (else the portable ones).
bool UsesCharconv();

}  // namespace zovek::decimal
