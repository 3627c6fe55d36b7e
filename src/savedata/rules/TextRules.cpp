// The rules of the value boxes, the party boxes and the grid cell editor.
// Every one of them goes through NumericReading, so a text means the same
// number wherever it is typed.

#include "savedata/rules/TextRules.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "savedata/SaveLayout.h"

namespace zovek {
namespace {

constexpr std::string_view kNone = "-";

bool ReadsZero(std::string_view text) { return NumericReading(text) == 0.0; }

std::string WholeText(std::int64_t value) { return std::to_string(value); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Only a single ASCII digit opens an edit with that digit; a full-width
// digit or any other character is swallowed.
bool IsTypedDigit(std::string_view typed) {
  return typed.size() == 1 && typed[0] >= '0' && typed[0] <= '9';
}

}  // namespace

// Boxes outside 0..4 don't exist; they get the rule of box 0 rather than
// undefined behaviour.
int ValueBoxTypingLimit(int box) { return DecimalDigits(ValueBoxMaximum(box)); }

std::int64_t ValueBoxMaximum(int box) {
  if (box < 0 || box >= static_cast<int>(kValueBoxes.size())) return kValueBoxes[0].maximum;
  return kValueBoxes[static_cast<std::size_t>(box)].maximum;
}

RuleResult ValueBoxChange(int box, std::string_view text) {
  const double reading = NumericReading(text);
  const std::int64_t maximum = ValueBoxMaximum(box);
  RuleResult result;
  if (reading < 0.0) {
    result.text = "0";
  } else if (reading > static_cast<double>(maximum)) {
    result.text = WholeText(maximum);
  } else {
    result.text = CanonicalText(reading);  // fractions stay: the store makes them whole
  }
  result.selectAll = ReadsZero(result.text);
  return result;
}

RuleResult PartyBoxChange(std::string_view text) {
  if (text == kNone) return {std::string(kNone), false};
  const std::int64_t code = WholeNumber(NumericReading(text));
  RuleResult result;
  if (code > kByteMaximum) {
    result.text = kNone;
  } else {
    result.text = WholeText(std::max<std::int64_t>(code, 0));
  }
  result.selectAll = result.text == "0";
  return result;
}

PartyLeave PartyBoxLeave(std::string_view text) {
  // The change rule has normally run already; running it again is harmless
  // and keeps the code within 0..255 whatever the text.
  const RuleResult changed = PartyBoxChange(text);
  if (changed.text == kNone) return {kEmptyCode, std::string(kNone)};
  const int code = static_cast<int>(WholeNumber(NumericReading(changed.text)));
  return {code, code == kEmptyCode ? std::string(kNone) : changed.text};
}

bool IsEditableCell(int grid, int row, int col) {
  if (row < 1) return false;
  if (grid == 0) return col == 1;
  if (grid == 1 || grid == 2) return col == 1 || col == 2;
  return false;
}

int CellTypingLimit(int grid, int row) { return DecimalDigits(CellMaximum(grid, row, 1)); }

CellEditStart CellEditByKey(int editCol, std::string_view cellText, std::string_view typed) {
  const bool digitTyped = IsTypedDigit(typed);
  std::string initial(cellText);
  if (digitTyped) initial.append(typed);
  const RuleResult changed = CellEditChange(editCol, initial);
  // The change rule's own selection is replaced by the one an edit starts with.
  return {changed.text, digitTyped && TrimBlanks(initial) == "0"};
}

CellEditStart CellEditByDoubleClick(int editCol, std::string_view cellText) {
  return {CellEditChange(editCol, cellText).text, true};
}

RuleResult CellEditChange(int editCol, std::string_view text) {
  if (editCol == 2 && text == kNone) return {std::string(kNone), false};
  RuleResult result;
  result.text = CanonicalText(NumericReading(text));
  result.selectAll = ReadsZero(result.text);
  return result;
}

// Column 2 is the count column; every other column commits as column 1.
std::string CellEditCommit(int grid, int row, int col, std::string_view text) {
  if (col == 2) {
    if (text == kNone) return std::string(kNone);
    const std::int64_t count = WholeNumber(NumericReading(text));
    if (count > CellMaximum(grid, row, col)) return std::string(kNone);
    return WholeText(std::max<std::int64_t>(count, 0));
  }
  const std::int64_t code = WholeNumber(NumericReading(text));
  return WholeText(std::clamp(code, std::int64_t{0}, CellMaximum(grid, row, 1)));
}

}  // namespace zovek
