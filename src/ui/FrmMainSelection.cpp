// The selection handlers of cmbChara, lstEvt and cmbWaza, and the buttons that
// check or clear every technique or role.

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "names/NameTables.h"
#include "savedata/Walks.h"
#include "ui/FrmMain.h"
#include "ui/Messages.h"
#include "ui/TextBox.h"

namespace zovek {

namespace {

void SetAllChecks(QListWidget* list, Qt::CheckState state) {
  for (int i = list->count() - 1; i >= 0; --i) {
    list->item(i)->setCheckState(state);
  }
  list->viewport()->update();
}

}  // namespace

void FrmMain::SwitchCharacter() {
  const int index = cmbChara->currentIndex();
  txtValue[0]->setText(QString::number(index));
  if (state_.FileKind == kNoFile) {
    return;
  }
  CommitCellEdit();

  try {
    FieldContext leaving = Context();
    CharacterFieldWalk(leaving, kStore);
  } catch (const StoreError& error) {
    // The character left could not be stored: it stays the one shown.
    const int shown = state_.CharacterBase / 112;
    {
      const QSignalBlocker blocker(cmbChara);
      cmbChara->setCurrentIndex(shown);
    }
    txtValue[0]->setText(QString::number(shown));
    ShowError(messages::WriteError(error.number()));
    return;
  }
  state_.CharacterBase = static_cast<std::int16_t>(112 * index);
  FieldContext shown = Context();
  CharacterFieldWalk(shown, kLoad);
  mnuCharaRtn->setEnabled(false);
}

void FrmMain::SwitchScenarioEntry() {
  const int index = lstEvt->currentRow();
  if (state_.FileKind != kNoFile) {
    FieldContext context = Context();
    try {
      ScenarioEntryWalk(context, state_.CurrentScenarioEntry, kStore);
    } catch (const StoreError& error) {
      const QSignalBlocker blocker(lstEvt);
      lstEvt->setCurrentRow(state_.CurrentScenarioEntry);
      ShowError(messages::WriteError(error.number()));
      return;
    }
  }
  state_.CurrentScenarioEntry = static_cast<std::int16_t>(index);
  if (state_.FileKind != kNoFile) {
    FieldContext context = Context();
    ScenarioEntryWalk(context, state_.CurrentScenarioEntry, kLoad);
  }
}

void FrmMain::SwitchCategory() {
  if (state_.FileKind != kNoFile) {
    TechniqueWalk(buffer_, *this, state_.SelectedCategory, kStore);
  }
  state_.SelectedCategory = static_cast<std::int16_t>(cmbWaza->currentIndex());
  FillTechniqueList(state_.SelectedCategory);
  if (state_.FileKind != kNoFile) {
    TechniqueWalk(buffer_, *this, state_.SelectedCategory, kLoad);
  }
}

void FrmMain::FillTechniqueList(int category) {
  lstWaza->clear();
  if (category < 0 || category >= kTechniqueCategories) {
    return;
  }
  for (const std::string& name : TechniqueNames(category)) {
    auto* row = new QListWidgetItem(QString::fromStdString(name), lstWaza);
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setCheckState(Qt::Unchecked);
  }
}

void FrmMain::SelectAllTechniques() { SetAllChecks(lstWaza, Qt::Checked); }
void FrmMain::ClearAllTechniques() { SetAllChecks(lstWaza, Qt::Unchecked); }
void FrmMain::SelectAllRoles() { SetAllChecks(lstRoll, Qt::Checked); }
void FrmMain::ClearAllRoles() { SetAllChecks(lstRoll, Qt::Unchecked); }

}  // namespace zovek
