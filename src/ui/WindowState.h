#pragma once
// The state the window keeps beside its controls. ResetWindow returns every
// field but the paths and the edit cell to its value with no file loaded.

#include <cstdint>
#include <QString>

#include "savefile/SaveSlots.h"

namespace zovek {

struct WindowState {
  std::int16_t SelectedSave = 0;          // save number 1..15, 0 = none
  std::int16_t CharacterBase = 0;         // 112 x the cmbChara index
  std::int16_t CopySource = -1;           // CharacterBase of the copied character, -1 = none
  std::int16_t CurrentScenarioEntry = 0;  // lstEvt index shown by optEvt
  std::int16_t SelectedCategory = 0;      // technique category shown in lstWaza
  zovek::FileKind FileKind = kNoFile;

  // The grid cell open in txtFlex; EditRow 0 = no edit open.
  std::int16_t EditGrid = 0;
  std::int16_t EditRow = 0;
  std::int16_t EditCol = 0;

  QString ChosenPath;       // the file opened, and the file saving writes to
  QString WorkingCopyPath;  // copy of an opened card image, deleted at close
  zovek::SlotTable SlotTable;
};

}  // namespace zovek
