#pragma once
// An in-memory EditorView for tests: every control the engine and the walks
// reach is a plain member that a test can set and read directly. It starts
// as the window looks with no file loaded. Indices outside the window's
// control arrays and grid sizes throw std::out_of_range, so a wrong slot
// fails loudly. With `recording` on, every call is appended to `calls`.

#include <array>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

#include "savedata/EditorView.h"

namespace zovek {

class FakeEditorView : public EditorView {
 public:
  // Fgrid(0) 25 x 2, Fgrid(1) 7 x 4, Fgrid(2) 65 x 4 (row 0, column 0 headers).
  static constexpr std::array<int, 3> kGridRows{25, 7, 65};
  static constexpr std::array<int, 3> kGridCols{2, 4, 4};

  using CellKey = std::tuple<int, int, int>;  // grid, row, col

  std::map<CellKey, std::string> cells;
  std::array<std::string, 5> values;         // txtValue(0..4)
  std::array<std::string, 8> party;          // txtParty(0..7)
  std::array<std::string, 8> partyLabels;    // lblValue(0..7)
  std::array<bool, 12> aptitude{};           // chkSitu(0..11)
  int scenarioOption = 0;                    // optEvt index on, -1 for none
  std::array<bool, 28> roles{};              // lstRoll check marks
  int roleCurrent = 0;
  int roleRedraws = 0;
  std::vector<bool> techniques;              // lstWaza check marks, one per row
  int techniqueCurrent = 0;
  int techniqueRedraws = 0;

  bool recording = false;
  mutable std::vector<std::string> calls;

  FakeEditorView() { Reset(); }

  // The empty window: value columns "0", counts "-", names "（なし）",
  // value boxes "0", party boxes "-" labelled "（未加入）", nothing checked.
  void Reset() {
    cells.clear();
    for (int g = 0; g < 3; ++g) {
      for (int r = 1; r < kGridRows[g]; ++r) {
        cells[{g, r, 1}] = "0";
        if (g > 0) {
          cells[{g, r, 2}] = "-";
          cells[{g, r, 3}] = "（なし）";
        }
      }
    }
    values.fill("0");
    party.fill("-");
    partyLabels.fill("（未加入）");
    aptitude.fill(false);
    scenarioOption = 0;
    roles.fill(false);
    roleCurrent = 0;
    techniques.clear();
    techniqueCurrent = 0;
    calls.clear();
  }

  // What filling lstWaza with a category's names leaves: n unmarked rows.
  void SetTechniqueRowCount(int n) { techniques.assign(static_cast<std::size_t>(n), false); }

  // Convenience for tests: the text of a cell, "" when never set.
  std::string Cell(int grid, int row, int col) const {
    const auto it = cells.find({grid, row, col});
    return it == cells.end() ? std::string() : it->second;
  }

  // --- EditorView ---
  std::string CellText(int grid, int row, int col) const override {
    CheckCell(grid, row, col);
    Record([&] { return Concat({"CellText(", Args(grid, row, col), ")"}); });
    return Cell(grid, row, col);
  }
  void SetCellText(int grid, int row, int col, const std::string& text) override {
    CheckCell(grid, row, col);
    Record([&] { return Concat({"SetCellText(", Args(grid, row, col), ",", text, ")"}); });
    cells[{grid, row, col}] = text;
  }

  std::string ValueText(int i) const override {
    Record([&] { return Concat({"ValueText(", std::to_string(i), ")"}); });
    return values.at(Index(i));
  }
  void SetValueText(int i, const std::string& text) override {
    Record([&] { return Concat({"SetValueText(", std::to_string(i), ",", text, ")"}); });
    values.at(Index(i)) = text;
  }

  std::string PartyText(int i) const override {
    Record([&] { return Concat({"PartyText(", std::to_string(i), ")"}); });
    return party.at(Index(i));
  }
  void SetPartyText(int i, const std::string& text) override {
    Record([&] { return Concat({"SetPartyText(", std::to_string(i), ",", text, ")"}); });
    party.at(Index(i)) = text;
  }
  void SetPartyLabel(int i, const std::string& text) override {
    Record([&] { return Concat({"SetPartyLabel(", std::to_string(i), ",", text, ")"}); });
    partyLabels.at(Index(i)) = text;
  }

  bool AptitudeChecked(int i) const override {
    Record([&] { return Concat({"AptitudeChecked(", std::to_string(i), ")"}); });
    return aptitude.at(Index(i));
  }
  void SetAptitudeChecked(int i, bool checked) override {
    Record([&] { return Concat({"SetAptitudeChecked(", std::to_string(i), ",", (checked ? "1" : "0"), ")"}); });
    aptitude.at(Index(i)) = checked;
  }

  int ScenarioOption() const override {
    Record([&] { return std::string("ScenarioOption()"); });
    return scenarioOption;
  }
  void SetScenarioOption(int i) override {
    Record([&] { return Concat({"SetScenarioOption(", std::to_string(i), ")"}); });
    if (i < 0 || i > 3) throw std::out_of_range(Concat({"optEvt(", std::to_string(i), ")"}));
    scenarioOption = i;
  }

  bool RoleChecked(int entry) const override {
    Record([&] { return Concat({"RoleChecked(", std::to_string(entry), ")"}); });
    return roles.at(Index(entry));
  }
  void SetRoleChecked(int entry, bool checked) override {
    Record([&] { return Concat({"SetRoleChecked(", std::to_string(entry), ",", (checked ? "1" : "0"), ")"}); });
    roles.at(Index(entry)) = checked;
  }
  void SetRoleCurrent(int entry) override {
    Record([&] { return Concat({"SetRoleCurrent(", std::to_string(entry), ")"}); });
    roles.at(Index(entry));
    roleCurrent = entry;
  }
  void RedrawRoles() override {
    Record([&] { return std::string("RedrawRoles()"); });
    ++roleRedraws;
  }

  int TechniqueRowCount() const override {
    Record([&] { return std::string("TechniqueRowCount()"); });
    return static_cast<int>(techniques.size());
  }
  bool TechniqueChecked(int row) const override {
    Record([&] { return Concat({"TechniqueChecked(", std::to_string(row), ")"}); });
    return techniques.at(Index(row));
  }
  void SetTechniqueChecked(int row, bool checked) override {
    Record([&] { return Concat({"SetTechniqueChecked(", std::to_string(row), ",", (checked ? "1" : "0"), ")"}); });
    techniques.at(Index(row)) = checked;
  }
  void SetTechniqueCurrent(int row) override {
    Record([&] { return Concat({"SetTechniqueCurrent(", std::to_string(row), ")"}); });
    techniques.at(Index(row));
    techniqueCurrent = row;
  }
  void RedrawTechniques() override {
    Record([&] { return std::string("RedrawTechniques()"); });
    ++techniqueRedraws;
  }

 private:
  static std::size_t Index(int i) {
    if (i < 0) throw std::out_of_range(Concat({"negative control index ", std::to_string(i)}));
    return static_cast<std::size_t>(i);
  }
  static std::string Args(int a, int b, int c) {
    return Concat({std::to_string(a), ",", std::to_string(b), ",", std::to_string(c)});
  }
  // Appends the parts in order (plain operator+ chains set off a false
  // -Wrestrict warning in GCC 12 at higher optimisation).
  static std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) text.append(part);
    return text;
  }
  static void CheckCell(int grid, int row, int col) {
    if (grid < 0 || grid > 2 || row < 0 || row >= kGridRows[static_cast<std::size_t>(grid)] || col < 0 ||
        col >= kGridCols[static_cast<std::size_t>(grid)]) {
      throw std::out_of_range(Concat({"Fgrid(", std::to_string(grid), ") has no cell (", std::to_string(row), ", ",
                                      std::to_string(col), ")"}));
    }
  }
  // The call text is only built while recording, so the double stays fast.
  template <class MakeText>
  void Record(MakeText&& makeText) const {
    if (recording) calls.push_back(std::string(makeText()));
  }
};

}  // namespace zovek
