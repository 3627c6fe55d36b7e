#pragma once
// The text rules of the value boxes, the party boxes and the grid cell
// editor, as pure functions over UTF-8 text. The widgets only apply them.

#include <cstdint>
#include <string>
#include <string_view>

namespace zovek {

// The value of the number a text begins with, 0 when it begins with none.
// Blanks anywhere are skipped; then an optional sign, digits with an optional
// decimal point and fraction, an optional exponent (E or D, either case);
// "&H" / "&O" at the start read a hexadecimal / octal integer. Reading stops at
// the first character that cannot continue the number. Values beyond the range
// of a double saturate to the largest finite one.
double NumericReading(std::string_view text);

// The plain decimal text of a reading: "-" only below zero, no leading zeros,
// no point for whole numbers, no trailing zeros after one, never an exponent.
std::string CanonicalText(double value);

// Nearest whole number, a value exactly halfway going to the even neighbour
// (2.5 -> 2, 3.5 -> 4). Saturates at the limits of int64.
std::int64_t WholeNumber(double value);

// What a change rule leaves in its box: the text, and whether all of it is
// to be selected so that the next digit replaces it.
struct RuleResult {
  std::string text;
  bool selectAll = false;
  bool operator==(const RuleResult&) const = default;
};

// txtValue(box), box 0..4: typing limit and change rule.
int ValueBoxTypingLimit(int box);
std::int64_t ValueBoxMaximum(int box);
RuleResult ValueBoxChange(int box, std::string_view text);

// txtParty(i): typing limit 3, change rule, and the focus-loss handling, which
// gives the slot's code (255 for "-") and the text the box keeps.
inline constexpr int kPartyBoxTypingLimit = 3;
RuleResult PartyBoxChange(std::string_view text);
struct PartyLeave {
  int code;
  std::string text;
};
PartyLeave PartyBoxLeave(std::string_view text);

// Grid cell editor (txtFlex). Grids 0..2; row 0 and column 0 are headers.
bool IsEditableCell(int grid, int row, int col);
int CellTypingLimit(int grid, int row);

// The start of an edit: by a key press (`typed` is the character, UTF-8) or a
// double-click. The text has already been through the change rule.
struct CellEditStart {
  std::string text;
  bool selectAll = false;
};
CellEditStart CellEditByKey(int editCol, std::string_view cellText, std::string_view typed);
CellEditStart CellEditByDoubleClick(int editCol, std::string_view cellText);

// Change rule while the box is open; editCol 1 or 2 ("-" is kept in column 2).
RuleResult CellEditChange(int editCol, std::string_view text);

// The text a commit writes into cell (row, col) of `grid`, within its range.
std::string CellEditCommit(int grid, int row, int col, std::string_view text);

}  // namespace zovek
