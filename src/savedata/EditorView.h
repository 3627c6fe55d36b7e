#pragma once
// What the field engine and the walks need of the window. The window
// implements it with its real controls, MemoryView as plain data.
// Texts are UTF-8. Indices follow the control arrays of the window:
// grid 0..2 (Fgrid), row/col of the grid with row 0 and column 0 as headers.

#include <string>

namespace zovek {

class EditorView {
 public:
  virtual ~EditorView() = default;

  // Fgrid(grid) cell (row, col).
  virtual std::string CellText(int grid, int row, int col) const = 0;
  virtual void SetCellText(int grid, int row, int col, const std::string& text) = 0;

  // txtValue(i), i = 0..4.
  virtual std::string ValueText(int i) const = 0;
  virtual void SetValueText(int i, const std::string& text) = 0;

  // txtParty(i), i = 0..7, and its label lblValue(i).
  virtual std::string PartyText(int i) const = 0;
  virtual void SetPartyText(int i, const std::string& text) = 0;
  virtual void SetPartyLabel(int i, const std::string& text) = 0;

  // chkSitu(i), i = 0..11.
  virtual bool AptitudeChecked(int i) const = 0;
  virtual void SetAptitudeChecked(int i, bool checked) = 0;

  // optEvt(0..3): the one that is on, or -1 when none is.
  virtual int ScenarioOption() const = 0;
  virtual void SetScenarioOption(int i) = 0;

  // lstRoll entries 0..27.
  virtual bool RoleChecked(int entry) const = 0;
  virtual void SetRoleChecked(int entry, bool checked) = 0;
  virtual void SetRoleCurrent(int entry) = 0;
  virtual void RedrawRoles() = 0;

  // lstWaza rows of the shown technique category.
  virtual int TechniqueRowCount() const = 0;
  virtual bool TechniqueChecked(int row) const = 0;
  virtual void SetTechniqueChecked(int row, bool checked) = 0;
  virtual void SetTechniqueCurrent(int row) = 0;
  virtual void RedrawTechniques() = 0;
};

}  // namespace zovek
