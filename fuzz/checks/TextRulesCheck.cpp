// The text rules of the value boxes, the party boxes and the grid cell editor
// on arbitrary text: every output is a text its box may hold, and running a
// rule on its own output changes nothing (the window runs a change rule again
// whenever the rule rewrites the text).

#include <cmath>
#include <string>
#include <string_view>

#include "FuzzChecks.h"
#include "savedata/rules/DecimalConversion.h"
#include "savedata/rules/TextRules.h"

namespace zovek::fuzzcheck {
namespace {

constexpr std::array<int, 3> kGridRows{25, 7, 65};

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\') {
      out.push_back(c);
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\x";
      out.push_back(kHex[u >> 4]);
      out.push_back(kHex[u & 15]);
    }
  }
  return out + "\"";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "-"? (0 | [1-9][0-9]*) ("." [0-9]*[1-9])?, and not "-0".
bool IsPlainDecimal(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  const std::size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == start || (text[start] == '0' && i - start > 1)) return false;
  if (i < text.size()) {
    if (text[i] != '.' || i + 1 == text.size() || text.back() == '0') return false;
    for (++i; i < text.size(); ++i) {
      if (!IsDigit(text[i])) return false;
    }
  }
  return text != "-0";
}

// A whole number lo..hi in plain decimal.
bool IsWholeIn(std::string_view text, std::int64_t lo, std::int64_t hi) {
  if (!IsPlainDecimal(text) || text.find('.') != std::string_view::npos) return false;
  const double value = NumericReading(text);
  return value >= static_cast<double>(lo) && value <= static_cast<double>(hi);
}

std::string Fail(const char* rule, std::string_view input, std::string_view output, const char* why) {
  return std::string(rule) + "(" + Quoted(input) + ") gave " + Quoted(output) + ": " + why;
}

std::string CheckReading(std::string_view text) {
  const double reading = NumericReading(text);
  if (!std::isfinite(reading)) return Fail("NumericReading", text, std::to_string(reading), "not finite");
  if (reading == 0.0 && std::signbit(reading)) return Fail("NumericReading", text, "-0", "negative zero");
  const std::string canonical = CanonicalText(reading);
  if (!IsPlainDecimal(canonical)) return Fail("CanonicalText", text, canonical, "not plain decimal");
  if (NumericReading(canonical) != reading) return Fail("CanonicalText", text, canonical, "reads back otherwise");
  if (decimal::UsesCharconv()) {
    if (decimal::portable::ShortestFixed(reading) != canonical) {
      return Fail("portable::ShortestFixed", text, decimal::portable::ShortestFixed(reading), "differs");
    }
    if (decimal::portable::ParseDecimal(canonical) != reading) {
      return Fail("portable::ParseDecimal", canonical, std::to_string(decimal::portable::ParseDecimal(canonical)),
                  "differs");
    }
  }
  return "";
}

std::string CheckValueBox(int box, std::string_view text) {
  const RuleResult out = ValueBoxChange(box, text);
  if (!IsPlainDecimal(out.text)) return Fail("ValueBoxChange", text, out.text, "not plain decimal");
  const double value = NumericReading(out.text);
  if (value < 0 || value > static_cast<double>(ValueBoxMaximum(box))) {
    return Fail("ValueBoxChange", text, out.text, "out of the box's range");
  }
  if (out.selectAll != (value == 0)) return Fail("ValueBoxChange", text, out.text, "selection is not 'reads 0'");
  if (!(ValueBoxChange(box, out.text) == out)) return Fail("ValueBoxChange", text, out.text, "not idempotent");
  return "";
}

std::string CheckPartyBox(std::string_view text) {
  const RuleResult out = PartyBoxChange(text);
  if (out.text != "-" && !IsWholeIn(out.text, 0, 255)) return Fail("PartyBoxChange", text, out.text, "not - or 0..255");
  if (out.selectAll != (out.text == "0")) return Fail("PartyBoxChange", text, out.text, "selection is not 'is 0'");
  if (!(PartyBoxChange(out.text) == out)) return Fail("PartyBoxChange", text, out.text, "not idempotent");

  const PartyLeave leave = PartyBoxLeave(text);
  if (leave.code < 0 || leave.code > 255) return Fail("PartyBoxLeave", text, leave.text, "code outside 0..255");
  if ((leave.code == 255) != (leave.text == "-")) return Fail("PartyBoxLeave", text, leave.text, "255 is not -");
  if (leave.text != "-" && leave.text != std::to_string(leave.code)) {
    return Fail("PartyBoxLeave", text, leave.text, "text is not the code");
  }
  const PartyLeave again = PartyBoxLeave(leave.text);
  if (again.code != leave.code || again.text != leave.text) {
    return Fail("PartyBoxLeave", text, leave.text, "not idempotent");
  }
  if (PartyBoxLeave(out.text).code != leave.code) {
    return Fail("PartyBoxLeave", text, out.text, "the changed text leaves another code");
  }
  return "";
}

std::string CheckCellEditor(int grid, int row, int col, std::string_view typed, std::string_view text) {
  const int editCol = col == 2 ? 2 : 1;
  const RuleResult changed = CellEditChange(editCol, text);
  const bool dashKept = editCol == 2 && changed.text == "-";
  if (!dashKept && !IsPlainDecimal(changed.text)) return Fail("CellEditChange", text, changed.text, "not plain decimal");
  if (!(CellEditChange(editCol, changed.text) == changed)) {
    return Fail("CellEditChange", text, changed.text, "not idempotent");
  }

  const CellEditStart byKey = CellEditByKey(editCol, text, typed);
  if (CellEditChange(editCol, byKey.text).text != byKey.text) {
    return Fail("CellEditByKey", text, byKey.text, "not through the change rule");
  }
  const CellEditStart byClick = CellEditByDoubleClick(editCol, text);
  if (!byClick.selectAll || byClick.text != changed.text) {
    return Fail("CellEditByDoubleClick", text, byClick.text, "not the changed text, all selected");
  }

  if (!IsEditableCell(grid, row, col)) return "";
  const std::string committed = CellEditCommit(grid, row, col, text);
  if (col == 2) {
    if (committed != "-" && !IsWholeIn(committed, 0, 254)) {
      return Fail("CellEditCommit", text, committed, "count not - or 0..254");
    }
  } else {
    std::int64_t high = 255;
    if (grid == 0 && (row == 2 || row == 3)) high = 1;
    if (grid == 0 && row == 4) high = 999999;
    if (grid == 0 && (row == 5 || row == 6)) high = 65535;
    if (!IsWholeIn(committed, 0, high)) return Fail("CellEditCommit", text, committed, "code out of the row's range");
  }
  if (CellEditCommit(grid, row, col, committed) != committed) {
    return Fail("CellEditCommit", text, committed, "not idempotent");
  }
  if (CellEditCommit(grid, row, col, changed.text) != committed) {
    return Fail("CellEditCommit", changed.text, committed, "the changed text commits otherwise");
  }
  return "";
}

}  // namespace

std::string CheckTextRules(std::span<const std::uint8_t> data) {
  if (data.size() < 4) return "";
  const int box = data[0] % 5;
  const int grid = data[1] % 3;
  const int row = data[2] % kGridRows[static_cast<std::size_t>(grid)];
  const int col = (data[0] >> 3) % 4;
  const std::string typed(1, static_cast<char>(data[3]));
  const std::string_view text(reinterpret_cast<const char*>(data.data() + 4), data.size() - 4);

  for (const std::string& failure : {CheckReading(text), CheckValueBox(box, text), CheckPartyBox(text),
                              CheckCellEditor(grid, row, col, typed, text)}) {
    if (!failure.empty()) return failure;
  }
  return "";
}

}  // namespace zovek::fuzzcheck
