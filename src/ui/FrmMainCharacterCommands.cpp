// The character commands: the three presets, copy, paste and undo. They work
// on the character view; SaveBuffer changes only through the character walk's
// store, which the session runs for copy and the next switch, save switch or save.

#include "ui/FrmMain.h"

namespace zovek {

// The values wait in the view; nothing is committed or stored here.
void FrmMain::ApplyPreset(int i) { session_.ApplyPreset(i); }

// The copy names a record in SaveBuffer; the session stores the view first, so
// every edit of the copied character goes into that record.
void FrmMain::CopyCharacter() {
  CommitAndFocusTabs();
  ShowOutcome(session_.CopyCharacter());
}

// The copied record, as SaveBuffer holds it now, is shown as the current
// character's; it becomes that character's data at the next store.
void FrmMain::PasteCharacter() {
  if (!session_.WouldPaste()) {
    return;
  }
  CommitAndFocusTabs();
  ShowOutcome(session_.PasteCharacter());
}

// Back to the current character's record as SaveBuffer holds it: the paste
// and every other change since the last store go. An open cell edit stays open.
void FrmMain::UndoCharacter() { ShowOutcome(session_.UndoCharacter()); }

}  // namespace zovek
