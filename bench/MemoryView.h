#pragma once
// An in-memory EditorView for the core benchmark: plain containers for every
// control the walks reach, so a cycle measures the core and not a window.

#include <array>
#include <string>
#include <vector>

#include "savedata/EditorView.h"

namespace zovek::bench {

class MemoryView : public EditorView {
 public:
  MemoryView() {
    for (auto& grid : cells_) {
      for (auto& row : grid) row.fill("0");
    }
    values_.fill("0");
    party_.fill("-");
  }

  std::string CellText(int grid, int row, int col) const override { return cells_.at(Idx(grid)).at(Idx(row)).at(Idx(col)); }
  void SetCellText(int grid, int row, int col, const std::string& text) override {
    cells_.at(Idx(grid)).at(Idx(row)).at(Idx(col)) = text;
  }
  std::string ValueText(int i) const override { return values_.at(Idx(i)); }
  void SetValueText(int i, const std::string& text) override { values_.at(Idx(i)) = text; }
  std::string PartyText(int i) const override { return party_.at(Idx(i)); }
  void SetPartyText(int i, const std::string& text) override { party_.at(Idx(i)) = text; }
  void SetPartyLabel(int i, const std::string& text) override { labels_.at(Idx(i)) = text; }
  bool AptitudeChecked(int i) const override { return aptitude_.at(Idx(i)); }
  void SetAptitudeChecked(int i, bool checked) override { aptitude_.at(Idx(i)) = checked; }
  int ScenarioOption() const override { return option_; }
  void SetScenarioOption(int i) override { option_ = i; }
  bool RoleChecked(int entry) const override { return roles_.at(Idx(entry)); }
  void SetRoleChecked(int entry, bool checked) override { roles_.at(Idx(entry)) = checked; }
  void SetRoleCurrent(int entry) override { roleCurrent_ = entry; }
  void RedrawRoles() override {}
  int TechniqueRowCount() const override { return static_cast<int>(techniques_.size()); }
  bool TechniqueChecked(int row) const override { return techniques_.at(Idx(row)); }
  void SetTechniqueChecked(int row, bool checked) override { techniques_.at(Idx(row)) = checked; }
  void SetTechniqueCurrent(int row) override { techniqueCurrent_ = row; }
  void RedrawTechniques() override {}

  // What filling the technique list with a category's names leaves.
  void SetTechniqueRows(int rows) { techniques_.assign(Idx(rows), false); }

 private:
  static std::size_t Idx(int i) { return static_cast<std::size_t>(i); }

  std::array<std::array<std::array<std::string, 4>, 65>, 3> cells_;
  std::array<std::string, 5> values_;
  std::array<std::string, 8> party_;
  std::array<std::string, 8> labels_;
  std::array<bool, 12> aptitude_{};
  int option_ = 0;
  std::array<bool, 28> roles_{};
  int roleCurrent_ = 0;
  std::vector<bool> techniques_;
  int techniqueCurrent_ = 0;
};

}  // namespace zovek::bench
