// ResetWindow: back to the state with no file loaded, in a fixed order of
// steps. The selection handlers it sets off run inside it and find no file.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "names/NameTables.h"
#include "savedata/SaveLayout.h"
#include "ui/DropDownRows.h"
#include "ui/FlexGrid.h"
#include "ui/FrmMain.h"
#include "ui/ProgramData.h"
#include "ui/TabControl.h"
#include "ui/TextBox.h"

namespace zovek {

namespace {

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

void FrmMain::ResetWindow(std::int16_t full) {
  // 1. File kind first: the handlers set off below then find no file.
  state_.SelectedSave = 0;
  state_.CharacterBase = 0;
  state_.CurrentScenarioEntry = 0;
  state_.SelectedCategory = 0;
  state_.FileKind = kNoFile;
  state_.CopySource = -1;

  // 2.
  state_.WorkingCopyPath = WorkingCopyFile();

  // 3.
  if (full == 1) {
    SSTab->setCurrentIndex(0);
  }

  // 4.
  mnuFileSave->setEnabled(false);
  mnuCharaPaste->setEnabled(false);
  mnuCharaCopy->setEnabled(false);
  mnuCharaRtn->setEnabled(false);
  cmbChara->setEnabled(false);
  cmbWaza->setEnabled(false);

  // 5.
  for (int k = 0; k <= 15; ++k) {
    if (k < 2) {
      cmdSelwaza[k]->setEnabled(false);
      cmdSelroll[k]->setEnabled(false);
    }
    if (k < 3) {
      cmdChara[k]->setEnabled(false);
    }
    if (k < 4) {
      optEvt[k]->setEnabled(false);
    }
    if (k < 5) {
      txtValue[k]->setText(QStringLiteral("0"));
    }
    if (k < 8) {
      txtParty[k]->setText(QStringLiteral("-"));
      lblValue[k]->setText(Text(kEmptySlotLabel));
    }
    if (k < 12) {
      chkSitu[k]->setChecked(false);
    }
    if (k > 0) {
      mnuSelSave[k]->setChecked(false);
    }
  }

  // 6.
  optEvt[0]->setChecked(true);
  mnuSelSave[1]->setChecked(true);
  SelectListEntry(lstEvt, 0);
  SelectComboEntry(cmbChara, 0);
  SelectComboEntry(cmbWaza, 0);

  // 7.
  for (int i = lstRoll->count() - 1; i >= 0; --i) {
    lstRoll->item(i)->setCheckState(Qt::Unchecked);
  }
  for (int i = lstWaza->count() - 1; i >= 0; --i) {
    lstWaza->item(i)->setCheckState(Qt::Unchecked);
  }

  // 8.
  SetDropDownRows(cmbChara, 20);
  SetDropDownRows(cmbWaza, 12);

  // 9.
  for (int r = 1; r <= 24; ++r) {
    Fgrid[0]->setText(r, 0, QString::fromStdString(CharacterRowCaption(r)));
    Fgrid[0]->setText(r, 1, QStringLiteral("0"));
  }

  // 10. Cell by cell, each made current first: the grids end on their last cell.
  for (int g = 1; g <= 2; ++g) {
    FlexGrid* grid = Fgrid[g];
    const int lastRow = g == 1 ? 6 : 64;
    for (int r = 0; r <= lastRow; ++r) {
      for (int c = 0; c <= 3; ++c) {
        grid->setCurrent(r, c);
        if (r == 0) {
          switch (c) {
            case 1: grid->setText(r, c, Text(kCodeHeader)); break;
            case 2: grid->setText(r, c, Text(kCountHeader)); break;
            case 3: grid->setText(r, c, Text(g == 1 ? kEquipmentNameHeader : kPossessionNameHeader)); break;
            default: break;
          }
          grid->setCellAlignment(r, c, Qt::AlignCenter);
        } else {
          switch (c) {
            case 0:
              grid->setText(r, c, QString::fromStdString(g == 1 ? EquipmentCaption(r) : PossessionCaption(r)));
              grid->setCellAlignment(r, c, Qt::AlignCenter);
              break;
            case 1: grid->setText(r, c, QStringLiteral("0")); break;
            case 2: grid->setText(r, c, QStringLiteral("-")); break;
            default: grid->setText(r, c, Text(kNoItemName)); break;
          }
        }
      }
    }
  }

  // 11.
  if (full == 0) {
    return;
  }

  // 12. Start-up only: the header and the column widths.
  Fgrid[0]->setColumnWidthTwips(1, Fgrid[0]->columnWidthTwips(1) - 210);
  Fgrid[0]->setCurrent(0, 1);
  Fgrid[0]->setText(0, 1, Text(kCharacterGridHeader));
  Fgrid[0]->setCellAlignment(0, 1, Qt::AlignCenter);
  for (int g = 1; g <= 2; ++g) {
    FlexGrid* grid = Fgrid[g];
    grid->setColumnWidthTwips(0, grid->columnWidthTwips(0) - 150);
    grid->setColumnWidthTwips(1, grid->columnWidthTwips(1) - 250);
    grid->setColumnWidthTwips(2, grid->columnWidthTwips(2) - 250);
    grid->setColumnWidthTwips(3, grid->columnWidthTwips(3) + (g == 1 ? 1040 : 800));
  }
}

}  // namespace zovek
