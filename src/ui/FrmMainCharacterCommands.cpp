// The character commands: the three presets, copy, paste and undo. They work
// on the character view; SaveBuffer changes only through the character walk's
// store, which the session runs for copy and the next switch, save switch or save.

#include <QCheckBox>

#include "ui/FrmMain.h"

namespace zovek {

namespace {

struct Preset {
  int hp;      // rows 5, 6
  int lp;      // rows 7, 8
  int wpJp;    // rows 9..12
  int skills;  // rows 13..24
  bool aptitudes;
};

// 能力推奨, 能力最強, 能力最弱.
constexpr Preset kPresets[3] = {
    {999, 99, 230, 99, true},
    {65535, 255, 255, 127, true},
    {1, 1, 1, 1, false},
};

int PresetValue(const Preset& preset, int row) {
  if (row <= 6) return preset.hp;
  if (row <= 8) return preset.lp;
  if (row <= 12) return preset.wpJp;
  return preset.skills;
}

}  // namespace

// The values wait in the view; nothing is committed or stored here.
void FrmMain::ApplyPreset(int i) {
  if (i < 0 || i > 2) {
    return;
  }
  const Preset& preset = kPresets[i];
  for (int row = 5; row <= 24; ++row) {
    SetCellText(0, row, 1, std::to_string(PresetValue(preset, row)));
  }
  for (int k = 0; k < 12; ++k) {
    chkSitu[static_cast<std::size_t>(k)]->setChecked(preset.aptitudes);
  }
}

// The copy names a record in SaveBuffer; the session stores the view first, so
// every edit of the copied character goes into that record.
void FrmMain::CopyCharacter() {
  CommitCellEdit();
  FocusTabControl();
  ShowOutcome(session_.CopyCharacter());
}

// The copied record, as SaveBuffer holds it now, is shown as the current
// character's; it becomes that character's data at the next store.
void FrmMain::PasteCharacter() {
  if (session_.State().CopySource == -1) {
    return;
  }
  CommitCellEdit();
  FocusTabControl();
  ShowOutcome(session_.PasteCharacter());
}

// Back to the current character's record as SaveBuffer holds it: the paste
// and every other change since the last store go. An open cell edit stays open.
void FrmMain::UndoCharacter() { ShowOutcome(session_.UndoCharacter()); }

}  // namespace zovek
