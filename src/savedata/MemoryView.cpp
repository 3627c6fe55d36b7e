#include "savedata/MemoryView.h"

#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "names/NameTables.h"
#include "savedata/rules/TextRules.h"

namespace zovek {

namespace {

// Appends the parts in order (plain operator+ chains set off a false
// -Wrestrict warning in GCC 12 at higher optimisation).
std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

std::string Num(int v) { return std::to_string(v); }
const char* Flag(bool on) { return on ? "1" : "0"; }

std::size_t Index(int i, std::size_t size, const char* control) {
  if (i < 0 || static_cast<std::size_t>(i) >= size) throw std::out_of_range(Concat({control, "(", Num(i), ")"}));
  return static_cast<std::size_t>(i);
}

std::size_t CellIndex(const MemoryView::CellKey& key) {
  const auto [grid, row, col] = key;
  if (grid < 0 || grid > 2 || row < 0 || row >= kGridRows[static_cast<std::size_t>(grid)] || col < 0 ||
      col >= kGridCols[static_cast<std::size_t>(grid)]) {
    throw std::out_of_range(Concat({"Fgrid(", Num(grid), ") has no cell (", Num(row), ", ", Num(col), ")"}));
  }
  return static_cast<std::size_t>(row * kGridCols[static_cast<std::size_t>(grid)] + col);
}

}  // namespace

MemoryView::Cells::Cells() {
  for (std::size_t g = 0; g < texts_.size(); ++g) {
    texts_[g].resize(static_cast<std::size_t>(kGridRows[g] * kGridCols[g]));
  }
}

std::string& MemoryView::Cells::operator[](const CellKey& key) {
  return const_cast<std::string&>(std::as_const(*this)[key]);
}

const std::string& MemoryView::Cells::operator[](const CellKey& key) const {
  const std::size_t at = CellIndex(key);
  return texts_[static_cast<std::size_t>(key.grid)][at];
}

MemoryView::MemoryView(BoxTexts boxTexts) : boxTexts_(boxTexts) { Reset(); }

void MemoryView::Reset() {
  for (int g = 0; g < 3; ++g) {
    for (int r = 1; r < kGridRows[static_cast<std::size_t>(g)]; ++r) {
      cells[{g, r, 1}] = "0";
      if (g > 0) {
        cells[{g, r, 2}] = "-";
        cells[{g, r, 3}] = NoItemName();
      }
    }
  }
  values.fill("0");
  party.fill("-");
  partyLabels.fill(EmptySlotLabel());
  aptitude.fill(false);
  scenarioOption = 0;
  roles.fill(false);
  roleCurrent = 0;
  techniques.clear();
  techniqueCurrent = 0;
  calls.clear();
}

void MemoryView::SetTechniqueRowCount(int n) { techniques.assign(static_cast<std::size_t>(n < 0 ? 0 : n), false); }

std::string MemoryView::CellText(int grid, int row, int col) const {
  Record([&] { return Concat({"CellText(", Num(grid), ",", Num(row), ",", Num(col), ")"}); });
  return cells[{grid, row, col}];
}

void MemoryView::SetCellText(int grid, int row, int col, const std::string& text) {
  Record([&] { return Concat({"SetCellText(", Num(grid), ",", Num(row), ",", Num(col), ",", text, ")"}); });
  cells[{grid, row, col}] = text;
}

std::string MemoryView::ValueText(int i) const {
  Record([&] { return Concat({"ValueText(", Num(i), ")"}); });
  return values[Index(i, values.size(), "txtValue")];
}

// The window's box rewrites every change by its rule, so it never holds a
// text the rule would change.
void MemoryView::SetValueText(int i, const std::string& text) {
  Record([&] { return Concat({"SetValueText(", Num(i), ",", text, ")"}); });
  std::string& box = values[Index(i, values.size(), "txtValue")];
  box = boxTexts_ == BoxTexts::Ruled ? ValueBoxChange(i, text).text : text;
}

std::string MemoryView::PartyText(int i) const {
  Record([&] { return Concat({"PartyText(", Num(i), ")"}); });
  return party[Index(i, party.size(), "txtParty")];
}

void MemoryView::SetPartyText(int i, const std::string& text) {
  Record([&] { return Concat({"SetPartyText(", Num(i), ",", text, ")"}); });
  std::string& box = party[Index(i, party.size(), "txtParty")];
  box = boxTexts_ == BoxTexts::Ruled ? PartyBoxChange(text).text : text;
}

void MemoryView::SetPartyLabel(int i, const std::string& text) {
  Record([&] { return Concat({"SetPartyLabel(", Num(i), ",", text, ")"}); });
  partyLabels[Index(i, partyLabels.size(), "lblValue")] = text;
}

bool MemoryView::AptitudeChecked(int i) const {
  Record([&] { return Concat({"AptitudeChecked(", Num(i), ")"}); });
  return aptitude[Index(i, aptitude.size(), "chkSitu")];
}

void MemoryView::SetAptitudeChecked(int i, bool checked) {
  Record([&] { return Concat({"SetAptitudeChecked(", Num(i), ",", Flag(checked), ")"}); });
  aptitude[Index(i, aptitude.size(), "chkSitu")] = checked;
}

int MemoryView::ScenarioOption() const {
  Record([] { return std::string("ScenarioOption()"); });
  return scenarioOption;
}

void MemoryView::SetScenarioOption(int i) {
  Record([&] { return Concat({"SetScenarioOption(", Num(i), ")"}); });
  scenarioOption = static_cast<int>(Index(i, kScenarioOptions, "optEvt"));
}

bool MemoryView::RoleChecked(int entry) const {
  Record([&] { return Concat({"RoleChecked(", Num(entry), ")"}); });
  return roles[Index(entry, roles.size(), "lstRoll")];
}

void MemoryView::SetRoleChecked(int entry, bool checked) {
  Record([&] { return Concat({"SetRoleChecked(", Num(entry), ",", Flag(checked), ")"}); });
  roles[Index(entry, roles.size(), "lstRoll")] = checked;
}

void MemoryView::SetRoleCurrent(int entry) {
  Record([&] { return Concat({"SetRoleCurrent(", Num(entry), ")"}); });
  roleCurrent = static_cast<int>(Index(entry, roles.size(), "lstRoll"));
}

void MemoryView::RedrawRoles() {
  Record([] { return std::string("RedrawRoles()"); });
  ++roleRedraws;
}

int MemoryView::TechniqueRowCount() const {
  Record([] { return std::string("TechniqueRowCount()"); });
  return static_cast<int>(techniques.size());
}

bool MemoryView::TechniqueChecked(int row) const {
  Record([&] { return Concat({"TechniqueChecked(", Num(row), ")"}); });
  return techniques[Index(row, techniques.size(), "lstWaza")];
}

void MemoryView::SetTechniqueChecked(int row, bool checked) {
  Record([&] { return Concat({"SetTechniqueChecked(", Num(row), ",", Flag(checked), ")"}); });
  techniques[Index(row, techniques.size(), "lstWaza")] = checked;
}

void MemoryView::SetTechniqueCurrent(int row) {
  Record([&] { return Concat({"SetTechniqueCurrent(", Num(row), ")"}); });
  techniqueCurrent = static_cast<int>(Index(row, techniques.size(), "lstWaza"));
}

void MemoryView::RedrawTechniques() {
  Record([] { return std::string("RedrawTechniques()"); });
  ++techniqueRedraws;
}

}  // namespace zovek
