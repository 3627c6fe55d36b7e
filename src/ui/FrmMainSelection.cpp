// The selection handlers of cmbChara, lstEvt and cmbWaza, and the marks of
// every technique or role at once.

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "names/NameTables.h"
#include "savedata/SaveLayout.h"
#include "savedata/Walks.h"
#include "ui/FrmMain.h"
#include "ui/TextBox.h"

namespace zovek {

void FrmMain::SwitchCharacter() {
  const int index = cmbChara->currentIndex();
  txtValue[0]->setText(QString::number(index));
  if (!session_.WouldSwitchCharacter()) {
    return;
  }
  CommitCellEdit();

  const SessionOutcome outcome = session_.SwitchCharacter(index);
  if (outcome.status == SessionStatus::WriteError) {
    // The character left could not be stored: it stays the one shown.
    const int shown = session_.ShownCharacter();
    {
      const QSignalBlocker blocker(cmbChara);
      cmbChara->setCurrentIndex(shown);
    }
    txtValue[0]->setText(QString::number(shown));
  }
  ShowOutcome(outcome);
}

void FrmMain::SwitchScenarioEntry() {
  const SessionOutcome outcome = session_.SwitchScenarioEntry(lstEvt->currentRow());
  if (outcome.status == SessionStatus::WriteError) {
    // The entry left could not be stored: it stays the one shown.
    const QSignalBlocker blocker(lstEvt);
    lstEvt->setCurrentRow(session_.ShownScenarioEntry());
  }
  ShowOutcome(outcome);
}

void FrmMain::SwitchCategory() {
  ShowOutcome(session_.SwitchCategory(cmbWaza->currentIndex(), [this](int category) { FillTechniqueList(category); }));
}

void FrmMain::FillTechniqueList(int category) {
  lstWaza->clear();
  if (category < 0 || category >= kTechniqueCategories) {
    return;
  }
  AddCheckableEntries(lstWaza, TechniqueNames(category));
}

void FrmMain::CheckAll(QListWidget* list, Qt::CheckState state) {
  for (int i = list->count() - 1; i >= 0; --i) {
    list->item(i)->setCheckState(state);
  }
  list->viewport()->update();
}

}  // namespace zovek
