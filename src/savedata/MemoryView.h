#pragma once
// The window's controls as plain data: what the walks set and read, without a
// window. It starts as the window looks with no file loaded, and by default a
// value or party box rewrites a text set into it by the same change rule as
// the window's box (a play time of 100 hours shows as 99). The command-line
// dump, the benchmarks, the fuzz checks and the tests all run the walks on it.
//
// Indices outside the window's control arrays and grid sizes throw
// std::out_of_range, so a wrong slot fails loudly. With `recording` on, every
// call is appended to `calls` as text ("SetCellText(0,4,1,500)").

#include <array>
#include <string>
#include <vector>

#include "savedata/EditorView.h"
#include "savedata/SaveLayout.h"
#include "savedata/Walks.h"

namespace zovek {

// Fgrid(0) 25 x 2, Fgrid(1) 7 x 4, Fgrid(2) 65 x 4 (row 0 and column 0 headers).
inline constexpr std::array<int, 3> kGridRows{kCharacterRows + 1, kEquipmentSlots + 1, kPossessionSlots + 1};
inline constexpr std::array<int, 3> kGridCols{2, 4, 4};
inline constexpr int kPartyBoxes = kPartySlots;                                // txtParty, lblValue(0..7)
inline constexpr int kScenarioOptions = static_cast<int>(kScenarioOptionNames.size());  // optEvt(0..3)
inline constexpr int kRoleListEntries = kRoleEntries;                          // lstRoll

class MemoryView : public EditorView {
 public:
  // Whether a text set into a value or party box goes through the box's
  // change rule, as in the window, or stays as given (to see exactly what the
  // engine hands over).
  enum class BoxTexts { Ruled, AsGiven };

  struct CellKey {
    int grid, row, col;
  };
  // The cells of the three grids, addressed as cells[{grid, row, col}].
  class Cells {
   public:
    Cells();
    std::string& operator[](const CellKey& key);
    const std::string& operator[](const CellKey& key) const;
    bool operator==(const Cells&) const = default;

   private:
    std::array<std::vector<std::string>, 3> texts_;
  };

  Cells cells;
  std::array<std::string, kValueBoxCount> values;        // txtValue(0..4)
  std::array<std::string, kPartyBoxes> party;         // txtParty(0..7)
  std::array<std::string, kPartyBoxes> partyLabels;   // lblValue(0..7)
  std::array<bool, kAptitudeBoxes> aptitude{};        // chkSitu(0..11)
  int scenarioOption = 0;                             // optEvt index on, -1 for none
  std::array<bool, kRoleListEntries> roles{};         // lstRoll check marks
  int roleCurrent = 0;
  int roleRedraws = 0;
  std::vector<bool> techniques;                       // lstWaza check marks, one per row
  int techniqueCurrent = 0;
  int techniqueRedraws = 0;

  bool recording = false;
  mutable std::vector<std::string> calls;

  explicit MemoryView(BoxTexts boxTexts = BoxTexts::Ruled);

  // The empty window: value columns "0", counts "-", names "（なし）", value
  // boxes "0", party boxes "-" with the empty slot's label, nothing checked,
  // optEvt(0) on.
  void Reset();

  // What filling lstWaza with a category's names leaves: n unmarked rows.
  void SetTechniqueRowCount(int n);

  std::string Cell(int grid, int row, int col) const { return cells[{grid, row, col}]; }

  // --- EditorView ---
  std::string CellText(int grid, int row, int col) const override;
  void SetCellText(int grid, int row, int col, const std::string& text) override;
  std::string ValueText(int i) const override;
  void SetValueText(int i, const std::string& text) override;
  std::string PartyText(int i) const override;
  void SetPartyText(int i, const std::string& text) override;
  void SetPartyLabel(int i, const std::string& text) override;
  bool AptitudeChecked(int i) const override;
  void SetAptitudeChecked(int i, bool checked) override;
  int ScenarioOption() const override;
  void SetScenarioOption(int i) override;
  bool RoleChecked(int entry) const override;
  void SetRoleChecked(int entry, bool checked) override;
  void SetRoleCurrent(int entry) override;
  void RedrawRoles() override;
  int TechniqueRowCount() const override;
  bool TechniqueChecked(int row) const override;
  void SetTechniqueChecked(int row, bool checked) override;
  void SetTechniqueCurrent(int row) override;
  void RedrawTechniques() override;

 private:
  template <class MakeText>
  void Record(MakeText&& makeText) const {
    if (recording) calls.push_back(makeText());
  }

  BoxTexts boxTexts_;
};

}  // namespace zovek
