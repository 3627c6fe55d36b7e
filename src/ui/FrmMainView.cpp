// The EditorView operations: how the field engine and the walks read and set
// the window's controls. Texts cross as UTF-8.

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "ui/FlexGrid.h"
#include "ui/FrmMain.h"
#include "ui/TextBox.h"

namespace zovek {

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

bool Checked(const QListWidget* list, int row) {
  const QListWidgetItem* entry = list->item(row);
  return entry != nullptr && entry->checkState() == Qt::Checked;
}

void SetChecked(QListWidget* list, int row, bool checked) {
  if (QListWidgetItem* entry = list->item(row); entry != nullptr) {
    entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
}

// Sets the text of control `i` when there is one.
template <typename Controls>
void SetTextAt(const Controls& controls, int i, const std::string& text) {
  if (i >= 0 && i < std::ssize(controls)) {
    controls[static_cast<std::size_t>(i)]->setText(FromUtf8(text));
  }
}

void SetCurrent(QListWidget* list, int row) {
  if (row >= 0 && row < list->count()) {
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
  }
}

}  // namespace

std::string FrmMain::CellText(int grid, int row, int col) const {
  return grid >= 0 && grid < 3 ? Utf8(Fgrid[grid]->text(row, col)) : std::string();
}

void FrmMain::SetCellText(int grid, int row, int col, const std::string& text) {
  if (grid >= 0 && grid < 3) {
    Fgrid[grid]->setText(row, col, FromUtf8(text));
  }
}

std::string FrmMain::ValueText(int i) const { return i >= 0 && i < std::ssize(txtValue) ? Utf8(txtValue[i]->text()) : std::string(); }

void FrmMain::SetValueText(int i, const std::string& text) { SetTextAt(txtValue, i, text); }

std::string FrmMain::PartyText(int i) const { return i >= 0 && i < 8 ? Utf8(txtParty[i]->text()) : std::string(); }

void FrmMain::SetPartyText(int i, const std::string& text) { SetTextAt(txtParty, i, text); }
void FrmMain::SetPartyLabel(int i, const std::string& text) { SetTextAt(lblValue, i, text); }

bool FrmMain::AptitudeChecked(int i) const { return i >= 0 && i < 12 && chkSitu[i]->isChecked(); }

void FrmMain::SetAptitudeChecked(int i, bool checked) {
  if (i >= 0 && i < 12) {
    chkSitu[i]->setChecked(checked);
  }
}

int FrmMain::ScenarioOption() const {
  const auto checked = std::ranges::find_if(optEvt, &QRadioButton::isChecked);
  return checked != optEvt.end() ? static_cast<int>(checked - optEvt.begin()) : -1;
}

void FrmMain::SetScenarioOption(int i) {
  if (i >= 0 && i < 4) {
    optEvt[i]->setChecked(true);  // the group turns the other three off
  }
}

bool FrmMain::RoleChecked(int entry) const { return Checked(lstRoll, entry); }
void FrmMain::SetRoleChecked(int entry, bool checked) { SetChecked(lstRoll, entry, checked); }
void FrmMain::SetRoleCurrent(int entry) { SetCurrent(lstRoll, entry); }
void FrmMain::RedrawRoles() { lstRoll->viewport()->update(); }

int FrmMain::TechniqueRowCount() const { return lstWaza->count(); }
bool FrmMain::TechniqueChecked(int row) const { return Checked(lstWaza, row); }
void FrmMain::SetTechniqueChecked(int row, bool checked) { SetChecked(lstWaza, row, checked); }
void FrmMain::SetTechniqueCurrent(int row) { SetCurrent(lstWaza, row); }
void FrmMain::RedrawTechniques() { lstWaza->viewport()->update(); }

}  // namespace zovek
