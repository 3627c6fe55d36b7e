// Turning view texts back into whole numbers.

#include <gtest/gtest.h>

#include "savedata/TextNumber.h"

namespace zovek {
namespace {

TEST(WholeNumberFromText, PlainDecimals) {
  EXPECT_EQ(WholeNumberFromText("0"), 0);
  EXPECT_EQ(WholeNumberFromText("123"), 123);
  EXPECT_EQ(WholeNumberFromText("007"), 7);
  EXPECT_EQ(WholeNumberFromText("16777215"), 16777215);
  EXPECT_EQ(WholeNumberFromText("-3"), -3);
}

TEST(WholeNumberFromText, FractionsRoundToNearestWithHalvesToEven) {
  EXPECT_EQ(WholeNumberFromText("1.5"), 2);
  EXPECT_EQ(WholeNumberFromText("2.5"), 2);
  EXPECT_EQ(WholeNumberFromText("3.5"), 4);
  EXPECT_EQ(WholeNumberFromText("0.5"), 0);
  EXPECT_EQ(WholeNumberFromText("2.500"), 2);
  EXPECT_EQ(WholeNumberFromText("2.5001"), 3);
  EXPECT_EQ(WholeNumberFromText("2.49999"), 2);
  EXPECT_EQ(WholeNumberFromText("2.51"), 3);
  EXPECT_EQ(WholeNumberFromText("9.9"), 10);
  EXPECT_EQ(WholeNumberFromText("-2.5"), -2);
  EXPECT_EQ(WholeNumberFromText("-3.5"), -4);
  EXPECT_EQ(WholeNumberFromText("-0.4"), 0);
}

TEST(WholeNumberFromText, HugeNumbersSaturateInsteadOfWrapping) {
  EXPECT_EQ(WholeNumberFromText("99999999999999999999999999"), kHugeTextNumber);
  EXPECT_EQ(WholeNumberFromText("-99999999999999999999999999"), -kHugeTextNumber);
  EXPECT_GT(kHugeTextNumber, std::int64_t{4294967295});
}

TEST(WholeNumberFromText, EverythingElseIsNotANumber) {
  for (const char* text : {"", "-", "--1", "abc", "1a", "a1", " 1", "1 ", "1.", ".5", "1.2.3", "+1", "1e3", "&H10", "１"}) {
    EXPECT_FALSE(WholeNumberFromText(text).has_value()) << text;
  }
}

}  // namespace
}  // namespace zovek
