// The rules of the value boxes, the party boxes and the grid cell editor:
// worked examples, then properties over many generated texts.

#include "savedata/rules/TextRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zovek {
namespace {

// ---------------------------------------------------------------- examples

TEST(ValueBox, TypingLimitsAndMaximums) {
  const int limits[] = {3, 3, 6, 2, 2};
  const std::int64_t maximums[] = {255, 255, 999999, 99, 59};
  for (int box = 0; box < 5; ++box) {
    EXPECT_EQ(ValueBoxTypingLimit(box), limits[box]) << box;
    EXPECT_EQ(ValueBoxMaximum(box), maximums[box]) << box;
  }
}

TEST(ValueBox, RewritesToTheCanonicalReading) {
  EXPECT_EQ(ValueBoxChange(1, "05"), (RuleResult{"5", false}));
  EXPECT_EQ(ValueBoxChange(1, "12a"), (RuleResult{"12", false}));
  EXPECT_EQ(ValueBoxChange(1, "a12"), (RuleResult{"0", true}));
  EXPECT_EQ(ValueBoxChange(2, ""), (RuleResult{"0", true}));
  EXPECT_EQ(ValueBoxChange(2, "1e3"), (RuleResult{"1000", false}));
}

TEST(ValueBox, NegativeTextsBecomeZeroSelected) {
  EXPECT_EQ(ValueBoxChange(1, "-"), (RuleResult{"0", true}));
  EXPECT_EQ(ValueBoxChange(1, "-5"), (RuleResult{"0", true}));
  EXPECT_EQ(ValueBoxChange(3, "-1e400"), (RuleResult{"0", true}));
}

TEST(ValueBox, ClampsToTheBoxMaximum) {
  EXPECT_EQ(ValueBoxChange(1, "300"), (RuleResult{"255", false}));
  EXPECT_EQ(ValueBoxChange(4, "75"), (RuleResult{"59", false}));
  EXPECT_EQ(ValueBoxChange(3, "100"), (RuleResult{"99", false}));
  EXPECT_EQ(ValueBoxChange(4, "59.5"), (RuleResult{"59", false}));
  EXPECT_EQ(ValueBoxChange(2, "999999"), (RuleResult{"999999", false}));
  EXPECT_EQ(ValueBoxChange(2, "9e999"), (RuleResult{"999999", false}));
  EXPECT_EQ(ValueBoxChange(0, std::string(5000, '9')), (RuleResult{"255", false}));
  EXPECT_EQ(ValueBoxChange(1, "&HFFFFFFFFFFFFFFFFFFFFFFFF"), (RuleResult{"255", false}));
}

TEST(ValueBox, FractionsSurviveATrailingPointDoesNot) {
  EXPECT_EQ(ValueBoxChange(1, "1."), (RuleResult{"1", false}));
  EXPECT_EQ(ValueBoxChange(1, "1.2"), (RuleResult{"1.2", false}));
  EXPECT_EQ(ValueBoxChange(1, "1.50"), (RuleResult{"1.5", false}));
  EXPECT_EQ(ValueBoxChange(4, "0.5"), (RuleResult{"0.5", false}));
  EXPECT_EQ(ValueBoxChange(4, "0."), (RuleResult{"0", true}));
}

TEST(PartyBox, ChangeRule) {
  EXPECT_EQ(kPartyBoxTypingLimit, 3);
  EXPECT_EQ(PartyBoxChange("-"), (RuleResult{"-", false}));
  EXPECT_EQ(PartyBoxChange("-7"), (RuleResult{"0", true}));
  EXPECT_EQ(PartyBoxChange("12"), (RuleResult{"12", false}));
  EXPECT_EQ(PartyBoxChange("300"), (RuleResult{"-", false}));
  EXPECT_EQ(PartyBoxChange("1.5"), (RuleResult{"2", false}));
  EXPECT_EQ(PartyBoxChange("2.5"), (RuleResult{"2", false}));
  EXPECT_EQ(PartyBoxChange("255.4"), (RuleResult{"255", false}));
  EXPECT_EQ(PartyBoxChange("255.6"), (RuleResult{"-", false}));
  EXPECT_EQ(PartyBoxChange(""), (RuleResult{"0", true}));
  EXPECT_EQ(PartyBoxChange("--"), (RuleResult{"0", true}));
  EXPECT_EQ(PartyBoxChange("9e999"), (RuleResult{"-", false}));
  EXPECT_EQ(PartyBoxChange("-9e999"), (RuleResult{"0", true}));
}

TEST(PartyBox, LeavingGivesTheCodeAndTurns255IntoNone) {
  PartyLeave left = PartyBoxLeave("12");
  EXPECT_EQ(left.code, 12);
  EXPECT_EQ(left.text, "12");
  left = PartyBoxLeave("-");
  EXPECT_EQ(left.code, 255);
  EXPECT_EQ(left.text, "-");
  left = PartyBoxLeave("255");
  EXPECT_EQ(left.code, 255);
  EXPECT_EQ(left.text, "-");
  left = PartyBoxLeave("0");
  EXPECT_EQ(left.code, 0);
  EXPECT_EQ(left.text, "0");
  // A text that skipped the change rule still gives a code in range.
  left = PartyBoxLeave("1e9");
  EXPECT_EQ(left.code, 255);
  EXPECT_EQ(left.text, "-");
  left = PartyBoxLeave("-3");
  EXPECT_EQ(left.code, 0);
  EXPECT_EQ(left.text, "0");
}

TEST(CellEditor, EditableCells) {
  EXPECT_TRUE(IsEditableCell(0, 1, 1));
  EXPECT_TRUE(IsEditableCell(0, 30, 1));
  EXPECT_FALSE(IsEditableCell(0, 1, 2));
  EXPECT_FALSE(IsEditableCell(0, 0, 1));
  EXPECT_FALSE(IsEditableCell(0, 3, 0));
  for (int grid = 1; grid <= 2; ++grid) {
    EXPECT_TRUE(IsEditableCell(grid, 1, 1));
    EXPECT_TRUE(IsEditableCell(grid, 1, 2));
    EXPECT_FALSE(IsEditableCell(grid, 1, 3));
    EXPECT_FALSE(IsEditableCell(grid, 0, 1));
    EXPECT_FALSE(IsEditableCell(grid, 0, 2));
    EXPECT_FALSE(IsEditableCell(grid, 5, 0));
  }
  EXPECT_FALSE(IsEditableCell(3, 1, 1));
  EXPECT_FALSE(IsEditableCell(-1, 1, 1));
}

TEST(CellEditor, TypingLimits) {
  const int grid0[] = {3, 3, 1, 1, 6, 5, 5, 3, 3};  // rows 0..8
  for (int row = 0; row < 9; ++row) EXPECT_EQ(CellTypingLimit(0, row), grid0[row]) << row;
  EXPECT_EQ(CellTypingLimit(0, 40), 3);
  for (int row = 1; row <= 64; ++row) {
    EXPECT_EQ(CellTypingLimit(1, row), 3);
    EXPECT_EQ(CellTypingLimit(2, row), 3);
  }
}

TEST(CellEditor, KeyPressAppendsADigitAndSwallowsEverythingElse) {
  EXPECT_EQ(CellEditByKey(1, "12", "3").text, "123");
  EXPECT_FALSE(CellEditByKey(1, "12", "3").selectAll);
  // A digit added to a full cell is shown whole.
  EXPECT_EQ(CellEditByKey(1, "255", "5").text, "2555");
  for (const char* other : {"a", "\r", "\b", "\x1b", " ", "-", ".", "\xEF\xBC\x95", ""}) {
    const CellEditStart start = CellEditByKey(1, "12", other);
    EXPECT_EQ(start.text, "12") << other;
    EXPECT_FALSE(start.selectAll) << other;
  }
  // Swallowed over a cell reading 0: caret at the end, nothing selected.
  EXPECT_EQ(CellEditByKey(1, "0", "x").text, "0");
  EXPECT_FALSE(CellEditByKey(1, "0", "x").selectAll);
  EXPECT_EQ(CellEditByKey(2, "-", "\r").text, "-");
}

TEST(CellEditor, KeyPressSelectsOnlyWhenTheStartingTextIsZero) {
  // "5" over "0": the box shows "5" with the caret after it.
  EXPECT_EQ(CellEditByKey(1, "0", "5").text, "5");
  EXPECT_FALSE(CellEditByKey(1, "0", "5").selectAll);
  EXPECT_EQ(CellEditByKey(1, "", "0").text, "0");
  EXPECT_TRUE(CellEditByKey(1, "", "0").selectAll);
  EXPECT_TRUE(CellEditByKey(1, "  ", "0").selectAll);
  EXPECT_EQ(CellEditByKey(1, "0", "0").text, "0");
  EXPECT_FALSE(CellEditByKey(1, "0", "0").selectAll);
}

TEST(CellEditor, KeyOnACountCellHoldingNone) {
  const CellEditStart start = CellEditByKey(2, "-", "9");
  EXPECT_EQ(start.text, "-9");
  EXPECT_FALSE(start.selectAll);
  EXPECT_EQ(CellEditCommit(1, 4, 2, start.text), "0");
}

TEST(CellEditor, DoubleClickAlwaysSelects) {
  EXPECT_EQ(CellEditByDoubleClick(1, "255").text, "255");
  EXPECT_TRUE(CellEditByDoubleClick(1, "255").selectAll);
  EXPECT_EQ(CellEditByDoubleClick(2, "-").text, "-");
  EXPECT_TRUE(CellEditByDoubleClick(2, "-").selectAll);
  EXPECT_EQ(CellEditByDoubleClick(1, "-").text, "0");
  EXPECT_EQ(CellEditByDoubleClick(1, "007").text, "7");
  // Typing "7" over the selection, then Enter.
  EXPECT_EQ(CellEditChange(1, "7"), (RuleResult{"7", false}));
  EXPECT_EQ(CellEditCommit(1, 1, 1, "7"), "7");
}

TEST(CellEditor, ChangeRule) {
  EXPECT_EQ(CellEditChange(2, "-"), (RuleResult{"-", false}));
  EXPECT_EQ(CellEditChange(1, "-"), (RuleResult{"0", true}));
  EXPECT_EQ(CellEditChange(1, "05"), (RuleResult{"5", false}));
  EXPECT_EQ(CellEditChange(1, "12a"), (RuleResult{"12", false}));
  EXPECT_EQ(CellEditChange(2, "-9"), (RuleResult{"-9", false}));
  EXPECT_EQ(CellEditChange(1, "9e9"), (RuleResult{"9000000000", false}));
  EXPECT_EQ(CellEditChange(1, ""), (RuleResult{"0", true}));
  EXPECT_EQ(CellEditChange(2, " - "), (RuleResult{"0", true}));
}

TEST(CellEditor, CommitCodeColumnClampsToTheRowRange) {
  EXPECT_EQ(CellEditCommit(0, 2, 1, "7"), "1");
  EXPECT_EQ(CellEditCommit(0, 3, 1, "0"), "0");
  EXPECT_EQ(CellEditCommit(0, 4, 1, "9000000000"), "999999");
  EXPECT_EQ(CellEditCommit(0, 4, 1, "9e9"), "999999");
  EXPECT_EQ(CellEditCommit(0, 5, 1, "70000"), "65535");
  EXPECT_EQ(CellEditCommit(0, 6, 1, "65535"), "65535");
  EXPECT_EQ(CellEditCommit(0, 1, 1, "256"), "255");
  EXPECT_EQ(CellEditCommit(0, 7, 1, "-3"), "0");
  EXPECT_EQ(CellEditCommit(1, 1, 1, "2.5"), "2");
  EXPECT_EQ(CellEditCommit(2, 64, 1, "3.5"), "4");
  EXPECT_EQ(CellEditCommit(2, 1, 1, "1e400"), "255");
  EXPECT_EQ(CellEditCommit(2, 1, 1, "-1e400"), "0");
  EXPECT_EQ(CellEditCommit(1, 1, 1, "&HFFFFFFFFFFFFFFFFFFFFFFFF"), "255");
  EXPECT_EQ(CellEditCommit(0, 4, 1, std::string(5000, '9')), "999999");
  EXPECT_EQ(CellEditCommit(1, 1, 1, "-"), "0");
}

TEST(CellEditor, CommitCountColumn) {
  EXPECT_EQ(CellEditCommit(1, 1, 2, "-"), "-");
  EXPECT_EQ(CellEditCommit(1, 1, 2, "-9"), "0");
  EXPECT_EQ(CellEditCommit(2, 1, 2, "300"), "-");
  EXPECT_EQ(CellEditCommit(2, 1, 2, "255"), "-");
  EXPECT_EQ(CellEditCommit(2, 1, 2, "254"), "254");
  EXPECT_EQ(CellEditCommit(2, 1, 2, "254.5"), "254");
  EXPECT_EQ(CellEditCommit(2, 1, 2, "254.6"), "-");
  EXPECT_EQ(CellEditCommit(2, 1, 2, "9e999"), "-");
  EXPECT_EQ(CellEditCommit(2, 1, 2, "-9e999"), "0");
}

// -------------------------------------------------------------- properties

// SplitMix64: the same texts on every platform and standard library.
class TextGenerator {
 public:
  explicit TextGenerator(std::uint64_t seed) : state_(seed) {}

  std::string Next() {
    static const std::vector<std::string> kPieces = {
        "0", "1", "5", "9", "00", "05", "12", "255", "256", "999999", "65535",
        "-", "+", ".", "e", "E", "d", "D", "e-", "e+", "E9", "D-3", "e400",
        "&H", "&h", "&O", "&o", "&", "F", "ff", "7", "8",
        " ", "\t", "\r\n", "  ", "a", "x", "Z", ",",
        "\xE3\x81\x82", "\xEF\xBC\x95", "\xFF", "\xC3\xA9", "\xE3\x80\x80"};
    std::string text;
    const std::uint64_t count = Below(7);
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint64_t kind = Below(16);
      if (kind == 0) {
        text += Digits(1 + Below(400));  // very long numbers
      } else if (kind == 1) {
        text += Digits(1 + Below(6));
      } else {
        text += kPieces[Below(kPieces.size())];
      }
    }
    return text;
  }

 private:
  std::uint64_t NextRaw() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint64_t Below(std::uint64_t n) { return NextRaw() % n; }
  std::string Digits(std::uint64_t n) {
    std::string digits;
    for (std::uint64_t i = 0; i < n; ++i) digits.push_back(static_cast<char>('0' + Below(10)));
    return digits;
  }

  std::uint64_t state_;
};

std::vector<std::string> GeneratedTexts() {
  TextGenerator generator(20240611);
  std::vector<std::string> texts = {"", "-", "9e999", "-1e400", "&HFFFFFFFFFFFFFFFFFFFFFFFF",
                                    std::string(5000, '9'), "-" + std::string(5000, '7')};
  for (int i = 0; i < 3000; ++i) texts.push_back(generator.Next());
  return texts;
}

const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = GeneratedTexts();
  return texts;
}

// A canonical decimal: optional "-", no leading zeros, no exponent, no
// trailing zeros after a point, not "-0", and it is its own canonical text.
bool IsCanonicalDecimal(const std::string& text) {
  std::string_view body(text);
  if (!body.empty() && body[0] == '-') body.remove_prefix(1);
  if (body.empty() || body.find_first_not_of("0123456789.") != std::string_view::npos) return false;
  const std::size_t point = body.find('.');
  const std::string_view whole = body.substr(0, point);
  if (whole.empty() || (whole.size() > 1 && whole[0] == '0')) return false;
  if (point != std::string_view::npos) {
    const std::string_view fraction = body.substr(point + 1);
    if (fraction.empty() || fraction.back() == '0' ||
        fraction.find('.') != std::string_view::npos) {
      return false;
    }
  }
  if (text == "-0") return false;
  return CanonicalText(NumericReading(text)) == text;
}

// A decimal whole number in [low, high], written without leading zeros.
bool IsWholeIn(const std::string& text, std::int64_t low, std::int64_t high) {
  if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  if (text.size() > 1 && text[0] == '0') return false;
  const std::int64_t value = std::stoll(text);
  return value >= low && value <= high;
}

TEST(TextRuleProperties, CanonicalTextIsIdempotentAndKeepsTheNumber) {
  for (const std::string& text : Texts()) {
    const double reading = NumericReading(text);
    const std::string canonical = CanonicalText(reading);
    ASSERT_TRUE(IsCanonicalDecimal(canonical)) << text << " -> " << canonical;
    ASSERT_EQ(NumericReading(canonical), reading) << text;
    ASSERT_EQ(CanonicalText(NumericReading(canonical)), canonical) << text;
  }
}

TEST(TextRuleProperties, ValueBoxesHoldACanonicalNumberInRange) {
  for (const std::string& text : Texts()) {
    for (int box = 0; box < 5; ++box) {
      const RuleResult result = ValueBoxChange(box, text);
      ASSERT_TRUE(IsCanonicalDecimal(result.text)) << box << " " << text << " -> " << result.text;
      const double value = NumericReading(result.text);
      ASSERT_GE(value, 0.0) << text;
      ASSERT_LE(value, static_cast<double>(ValueBoxMaximum(box))) << text;
      ASSERT_EQ(result.selectAll, value == 0.0) << text;
      ASSERT_EQ(ValueBoxChange(box, result.text), result) << box << " " << text;
      // Within range the number is the one typed, fraction and all.
      const double typed = NumericReading(text);
      ASSERT_EQ(value, std::clamp(typed, 0.0, static_cast<double>(ValueBoxMaximum(box)))) << text;
    }
  }
}

TEST(TextRuleProperties, PartyBoxesHoldACodeOrNone) {
  for (const std::string& text : Texts()) {
    const RuleResult result = PartyBoxChange(text);
    ASSERT_TRUE(result.text == "-" || IsWholeIn(result.text, 0, 255)) << text << " -> " << result.text;
    ASSERT_EQ(result.selectAll, result.text == "0") << text;
    ASSERT_EQ(PartyBoxChange(result.text), result) << text;

    const PartyLeave left = PartyBoxLeave(result.text);
    ASSERT_GE(left.code, 0);
    ASSERT_LE(left.code, 255);
    ASSERT_EQ(left.text, left.code == 255 ? std::string("-") : std::to_string(left.code)) << text;
    ASSERT_EQ(PartyBoxChange(left.text).text, left.text) << text;
    ASSERT_EQ(PartyBoxLeave(left.text).code, left.code) << text;
    ASSERT_EQ(PartyBoxLeave(text).code, left.code) << text;
  }
}

TEST(TextRuleProperties, CellEditorTextsAreStable) {
  for (const std::string& text : Texts()) {
    for (int col = 1; col <= 2; ++col) {
      const RuleResult changed = CellEditChange(col, text);
      const bool none = col == 2 && changed.text == "-";
      ASSERT_TRUE(none || IsCanonicalDecimal(changed.text)) << text << " -> " << changed.text;
      ASSERT_EQ(CellEditChange(col, changed.text), changed) << text;
      if (!none) {
        ASSERT_EQ(changed.selectAll, NumericReading(changed.text) == 0.0) << text;
      }

      const CellEditStart byClick = CellEditByDoubleClick(col, text);
      ASSERT_EQ(byClick.text, changed.text);
      ASSERT_TRUE(byClick.selectAll);
      for (const char* typed : {"0", "7", "a"}) {
        const CellEditStart byKey = CellEditByKey(col, text, typed);
        ASSERT_EQ(CellEditChange(col, byKey.text).text, byKey.text) << text << typed;
        ASSERT_TRUE(!byKey.selectAll || typed[0] == '0') << text;
      }
    }
  }
}

TEST(TextRuleProperties, CommitsAreWholeNumbersInRange) {
  struct Cell {
    int grid, row, col;
    std::int64_t high;
  };
  const Cell cells[] = {{0, 1, 1, 255},   {0, 2, 1, 1},     {0, 3, 1, 1},   {0, 4, 1, 999999},
                        {0, 5, 1, 65535}, {0, 6, 1, 65535}, {0, 9, 1, 255}, {1, 1, 1, 255},
                        {1, 1, 2, 254},   {2, 64, 1, 255},  {2, 64, 2, 254}};
  for (const std::string& text : Texts()) {
    const std::string changedCode = CellEditChange(1, text).text;
    const std::string changedCount = CellEditChange(2, text).text;
    for (const Cell& cell : cells) {
      const std::string committed = CellEditCommit(cell.grid, cell.row, cell.col, text);
      ASSERT_TRUE((cell.col == 2 && committed == "-") || IsWholeIn(committed, 0, cell.high))
          << cell.grid << "," << cell.row << "," << cell.col << " " << text << " -> " << committed;
      ASSERT_EQ(CellEditCommit(cell.grid, cell.row, cell.col, committed), committed) << text;
      // The change rule never alters what a commit makes of the text.
      const std::string& changed = cell.col == 2 ? changedCount : changedCode;
      ASSERT_EQ(CellEditCommit(cell.grid, cell.row, cell.col, changed), committed) << text;
    }
  }
}

}  // namespace
}  // namespace zovek
