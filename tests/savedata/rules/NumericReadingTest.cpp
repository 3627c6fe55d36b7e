// NumericReading, CanonicalText and WholeNumber: what a text means as a
// number, and how a number is written back.

#include "savedata/rules/TextRules.h"
#include "savedata/rules/DecimalConversion.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace zovek {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

TEST(NumericReading, ReadsTheLeadingNumberAndStopsAtTheFirstOtherCharacter) {
  EXPECT_EQ(NumericReading("12a"), 12.0);
  EXPECT_EQ(NumericReading("a12"), 0.0);
  EXPECT_EQ(NumericReading("1.5"), 1.5);
  EXPECT_EQ(NumericReading("1e3"), 1000.0);
  EXPECT_EQ(NumericReading(""), 0.0);
  EXPECT_EQ(NumericReading("05"), 5.0);
  EXPECT_EQ(NumericReading("1.50"), 1.5);
  EXPECT_EQ(NumericReading("1.2.3"), 1.2);
  EXPECT_EQ(NumericReading(".5"), 0.5);
  EXPECT_EQ(NumericReading("5."), 5.0);
  EXPECT_EQ(NumericReading("."), 0.0);
  EXPECT_EQ(NumericReading("-"), 0.0);
  EXPECT_EQ(NumericReading("--5"), 0.0);
  EXPECT_EQ(NumericReading("+-5"), 0.0);
  EXPECT_EQ(NumericReading("5-3"), 5.0);
}

TEST(NumericReading, SignsAndNegativeZero) {
  EXPECT_EQ(NumericReading("-9"), -9.0);
  EXPECT_EQ(NumericReading("+7"), 7.0);
  EXPECT_EQ(NumericReading("-.25"), -0.25);
  const double negZero = NumericReading("-0");
  EXPECT_EQ(negZero, 0.0);
  EXPECT_FALSE(std::signbit(negZero));
  EXPECT_FALSE(std::signbit(NumericReading("-0.0e5")));
}

TEST(NumericReading, BlanksAreSkippedAnywhere) {
  EXPECT_EQ(NumericReading("  1 2\t3\r\n"), 123.0);
  EXPECT_EQ(NumericReading("- 1 . 5 e 1"), -15.0);
  EXPECT_EQ(NumericReading(" & h 1 F"), 31.0);
  EXPECT_EQ(NumericReading("   "), 0.0);
}

TEST(NumericReading, ExponentWithEOrDInEitherCase) {
  EXPECT_EQ(NumericReading("1E3"), 1000.0);
  EXPECT_EQ(NumericReading("1d3"), 1000.0);
  EXPECT_EQ(NumericReading("1D3"), 1000.0);
  EXPECT_EQ(NumericReading("25e-1"), 2.5);
  EXPECT_EQ(NumericReading("2e+2"), 200.0);
  EXPECT_EQ(NumericReading("9e9"), 9e9);
  EXPECT_EQ(NumericReading("e5"), 0.0);
  EXPECT_EQ(NumericReading(".e5"), 0.0);
}

TEST(NumericReading, ExponentLetterWithoutDigitsEndsTheNumberBeforeIt) {
  EXPECT_EQ(NumericReading("1e"), 1.0);
  EXPECT_EQ(NumericReading("1e+"), 1.0);
  EXPECT_EQ(NumericReading("1d-"), 1.0);
  EXPECT_EQ(NumericReading("1ex5"), 1.0);
  EXPECT_EQ(NumericReading("1.5E-x"), 1.5);
}

TEST(NumericReading, HexadecimalAndOctalAfterAmpersand) {
  EXPECT_EQ(NumericReading("&HFF"), 255.0);
  EXPECT_EQ(NumericReading("&hff"), 255.0);
  EXPECT_EQ(NumericReading("&H1g2"), 1.0);
  EXPECT_EQ(NumericReading("&O17"), 15.0);
  EXPECT_EQ(NumericReading("&o777"), 511.0);
  EXPECT_EQ(NumericReading("&O78"), 7.0);
  EXPECT_EQ(NumericReading("&O1234567"), 342391.0);
  EXPECT_EQ(NumericReading("&H"), 0.0);
  EXPECT_EQ(NumericReading("&O"), 0.0);
  EXPECT_EQ(NumericReading("&Hx1"), 0.0);
  EXPECT_EQ(NumericReading("&"), 0.0);
  EXPECT_EQ(NumericReading("&X12"), 0.0);
  EXPECT_EQ(NumericReading("1&H5"), 1.0);
  EXPECT_EQ(NumericReading("-&H5"), 0.0);
  EXPECT_EQ(NumericReading("&H0000000000000000000000000010"), 16.0);
}

TEST(NumericReading, LongRadixIntegersAreRoundedNotWrapped) {
  EXPECT_EQ(NumericReading("&HFFFFFFFFFFFFFFFFFFFFFFFF"), std::ldexp(1.0, 96));
  EXPECT_EQ(NumericReading("&H10000000000000000"), std::ldexp(1.0, 64));
  EXPECT_EQ(NumericReading("&O" + std::string(40, '7')), std::ldexp(1.0, 120));
  EXPECT_EQ(NumericReading("&O1" + std::string(30, '0')), std::ldexp(1.0, 90));
  EXPECT_EQ(NumericReading("&H" + std::string(300, 'F')), kLargest);
  EXPECT_EQ(NumericReading("&O" + std::string(400, '7')), kLargest);
}

TEST(NumericReading, NonAsciiBytesStopTheReading) {
  EXPECT_EQ(NumericReading("12\xE3\x80\x80" "34"), 12.0);  // ideographic space is no blank
  EXPECT_EQ(NumericReading("\xEF\xBC\x95"), 0.0);           // full-width 5
  EXPECT_EQ(NumericReading("3\xFF"), 3.0);
  EXPECT_EQ(NumericReading("1e\xC3\xA9" "5"), 1.0);
}

TEST(NumericReading, HugeAndTinyNumbersSaturateOrVanish) {
  EXPECT_EQ(NumericReading("9e999"), kLargest);
  EXPECT_EQ(NumericReading("-1e400"), -kLargest);
  EXPECT_EQ(NumericReading("1e308"), 1e308);
  EXPECT_EQ(NumericReading("2e308"), kLargest);
  EXPECT_EQ(NumericReading("1e99999999999999999999999999"), kLargest);
  EXPECT_EQ(NumericReading("1e-400"), 0.0);
  EXPECT_EQ(NumericReading("1e-99999999999999999999999999"), 0.0);
  EXPECT_EQ(NumericReading("5e-324"), 5e-324);
  EXPECT_EQ(NumericReading(std::string(5000, '9')), kLargest);
  EXPECT_EQ(NumericReading("-" + std::string(5000, '9')), -kLargest);
  EXPECT_EQ(NumericReading("0." + std::string(5000, '0') + "1"), 0.0);
}

TEST(NumericReading, LongMantissasAreRoundedCorrectly) {
  // 200 digits scaled back down: exactly 1.5 and 0.1.
  EXPECT_EQ(NumericReading("15" + std::string(198, '0') + "e-199"), 1.5);
  EXPECT_EQ(NumericReading("0." + std::string(300, '0') + "1e300"), 0.1);
  EXPECT_EQ(NumericReading(std::string(400, '0') + "42"), 42.0);
  // Digits past the first 17 still decide the rounding of a halfway case.
  EXPECT_EQ(NumericReading("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(NumericReading("9007199254740993" + std::string(1, '.') + std::string(300, '0') + "1"),
            9007199254740994.0);
  EXPECT_EQ(NumericReading("1e" + std::string(500, '0') + "3"), 1000.0);
}

TEST(CanonicalText, PlainDecimalWithoutSignZerosOrExponent) {
  EXPECT_EQ(CanonicalText(5.0), "5");
  EXPECT_EQ(CanonicalText(1.5), "1.5");
  EXPECT_EQ(CanonicalText(0.0), "0");
  EXPECT_EQ(CanonicalText(-0.0), "0");
  EXPECT_EQ(CanonicalText(-9.0), "-9");
  EXPECT_EQ(CanonicalText(0.1), "0.1");
  EXPECT_EQ(CanonicalText(9e9), "9000000000");
  EXPECT_EQ(CanonicalText(1e-7), "0.0000001");
  EXPECT_EQ(CanonicalText(1e21), "1000000000000000000000");
  EXPECT_EQ(CanonicalText(std::nan("")), "0");
}

TEST(CanonicalText, ExtremesStayPlainAndReadBack) {
  const std::string largest = CanonicalText(kLargest);
  EXPECT_EQ(largest.size(), 309u);
  EXPECT_EQ(largest.find_first_not_of("0123456789"), std::string::npos);
  EXPECT_EQ(NumericReading(largest), kLargest);
  EXPECT_EQ(CanonicalText(std::numeric_limits<double>::infinity()), largest);
  EXPECT_EQ(CanonicalText(-std::numeric_limits<double>::infinity()), "-" + largest);

  const double tiny = std::numeric_limits<double>::denorm_min();
  const std::string tinyText = CanonicalText(tiny);
  EXPECT_EQ(tinyText.rfind("0.", 0), 0u);
  EXPECT_EQ(tinyText.find('e'), std::string::npos);
  EXPECT_EQ(NumericReading(tinyText), tiny);
}

TEST(WholeNumber, NearestWithHalvesToEven) {
  EXPECT_EQ(WholeNumber(2.5), 2);
  EXPECT_EQ(WholeNumber(3.5), 4);
  EXPECT_EQ(WholeNumber(1.5), 2);
  EXPECT_EQ(WholeNumber(0.5), 0);
  EXPECT_EQ(WholeNumber(-0.5), 0);
  EXPECT_EQ(WholeNumber(-1.5), -2);
  EXPECT_EQ(WholeNumber(-2.5), -2);
  EXPECT_EQ(WholeNumber(2.4999999), 2);
  EXPECT_EQ(WholeNumber(2.5000001), 3);
  EXPECT_EQ(WholeNumber(-7.6), -8);
  EXPECT_EQ(WholeNumber(0.49999999999999994), 0);
  EXPECT_EQ(WholeNumber(4503599627370497.0), 4503599627370497);
}

TEST(WholeNumber, SaturatesAtInt64Limits) {
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(WholeNumber(kLargest), kMax);
  EXPECT_EQ(WholeNumber(-kLargest), kMin);
  EXPECT_EQ(WholeNumber(9223372036854775808.0), kMax);
  EXPECT_EQ(WholeNumber(-9223372036854775808.0), kMin);
  EXPECT_EQ(WholeNumber(9223372036854774784.0), 9223372036854774784);
  EXPECT_EQ(WholeNumber(std::numeric_limits<double>::infinity()), kMax);
  EXPECT_EQ(WholeNumber(std::nan("")), 0);
}

// The C-library conversions stand in where <charconv> has no floating point;
// here both exist, so they must agree on every value.
class DecimalConversionAgreement : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!decimal::UsesCharconv()) GTEST_SKIP() << "no <charconv> to compare against";
  }
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Any finite double, or one with few decimals, or a whole number.
  double NextDouble() {
    const std::uint64_t kind = Next() % 3;
    if (kind == 0) {
      double value = 0.0;
      const std::uint64_t bits = Next();
      std::memcpy(&value, &bits, sizeof value);
      return std::isfinite(value) ? value : 1.0;
    }
    const double whole = static_cast<double>(Next() % 2000000) - 1000000.0;
    return kind == 1 ? whole / 1000.0 : whole * std::ldexp(1.0, static_cast<int>(Next() % 80));
  }
  std::uint64_t state_ = 77;
};

TEST_F(DecimalConversionAgreement, ShortestFixedMatches) {
  const double fixedCases[] = {1e23, 1e22, 9007199254740992.0, 9007199254740991.0,
                               123456789012345680.0, 0.1, 1.0 / 3, 5e-324, 2.2250738585072014e-308,
                               std::numeric_limits<double>::max(), 255.5, -0.001};
  for (double value : fixedCases) {
    EXPECT_EQ(decimal::portable::ShortestFixed(value), decimal::ShortestFixed(value)) << value;
  }
  for (int i = 0; i < 3000; ++i) {
    const double value = NextDouble();
    ASSERT_EQ(decimal::portable::ShortestFixed(value), decimal::ShortestFixed(value)) << value;
  }
}

TEST_F(DecimalConversionAgreement, ParsingMatches) {
  for (int i = 0; i < 3000; ++i) {
    const std::string text = decimal::ShortestFixed(NextDouble());
    ASSERT_EQ(decimal::portable::ParseDecimal(text), decimal::ParseDecimal(text)) << text;
  }
  for (const char* text : {"1e309", "-1e309", "1e-330", "2.4703282292062328e-324",
                           "179769313486231580793728971405301e276", "0.5e-323", "123.456e-2"}) {
    EXPECT_EQ(decimal::portable::ParseDecimal(text), decimal::ParseDecimal(text)) << text;
  }
  EXPECT_EQ(decimal::ParseDecimal("1e309"), std::numeric_limits<double>::max());
  EXPECT_EQ(decimal::ParseDecimal("-1e309"), -std::numeric_limits<double>::max());
  EXPECT_EQ(decimal::ParseDecimal("1e-330"), 0.0);
  for (const char* hex : {"1", "FF", "fffffffffffffffff", "20000000000001", "20000000000003"}) {
    EXPECT_EQ(decimal::portable::ParseHexInteger(hex), decimal::ParseHexInteger(hex)) << hex;
  }
  const std::string hugeHex(300, 'F');
  EXPECT_EQ(decimal::portable::ParseHexInteger(hugeHex), std::numeric_limits<double>::max());
}

// The portable reader must not depend on the decimal point of the locale.
TEST(DecimalConversionPortable, ReadsAPointUnderACommaLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  bool switched = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      switched = true;
      break;
    }
  }
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
  const double value = decimal::portable::ParseDecimal("1.5");
  const std::string text = decimal::portable::ShortestFixed(2.25);
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(value, 1.5);
  EXPECT_EQ(text, "2.25");
}

}  // namespace
}  // namespace zovek
