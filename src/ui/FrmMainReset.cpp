// ResetWindow: back to the state with no file loaded. The selection handlers
// it sets off run inside it and find no file.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "names/NameTables.h"
#include "savedata/SaveLayout.h"
#include "ui/DropDownRows.h"
#include "ui/FlexGrid.h"
#include "ui/FrmMain.h"
#include "ui/TabControl.h"
#include "ui/TextBox.h"

namespace zovek {

// The session holds no file already (a new session, or one that refused the
// file): the selection handlers set off below find none and only take the
// entries they are given.
void FrmMain::ResetWindow(std::int16_t full) {
  // A refused file leaves the tab the user was on.
  if (full == 1) {
    SSTab->setCurrentIndex(0);
  }

  // Nothing to save, copy or paste until a save is loaded.
  EnableLoadedCommands(false);
  for (TextBox* box : txtValue) box->setText(QStringLiteral("0"));
  for (std::size_t k = 0; k < txtParty.size(); ++k) {
    txtParty[k]->setText(QStringLiteral("-"));
    lblValue[k]->setText(QString::fromStdString(EmptySlotLabel()));
  }
  for (QCheckBox* box : chkSitu) box->setChecked(false);
  // The save items keep their enabled states; only "No. 1" keeps its mark.
  ApplyMenus();

  // Selected by code, each handler runs even for the entry already selected.
  optEvt[0]->setChecked(true);
  SelectListEntry(lstEvt, 0);
  SelectComboEntry(cmbChara, 0);
  SelectComboEntry(cmbWaza, 0);

  // Every role and technique mark off, whatever the lists show.
  CheckAll(lstRoll, Qt::Unchecked);
  CheckAll(lstWaza, Qt::Unchecked);

  // The drop-down lists show this many entries at once.
  SetDropDownRows(cmbChara, 20);
  SetDropDownRows(cmbWaza, 12);

  // The character grid's labels and empty values.
  for (int r = 1; r <= kCharacterRows; ++r) {
    Fgrid[0]->setText(r, 0, QString::fromStdString(CharacterRowCaption(r)));
    Fgrid[0]->setText(r, 1, QStringLiteral("0"));
  }

  // Equipment and possessions cell by cell, each made current first: the
  // grids end on their last cell. The corner cell takes no text.
  for (int g = 1; g <= 2; ++g) {
    FlexGrid* grid = Fgrid[g];
    const QString header[4] = {QString(), QString::fromUtf8(kCodeHeader), QString::fromUtf8(kCountHeader),
                               QString::fromUtf8(g == 1 ? kEquipmentNameHeader : kPossessionNameHeader)};
    const QString empty[4] = {QString(), QStringLiteral("0"), QStringLiteral("-"),
                              QString::fromStdString(NoItemName())};
    const int lastRow = g == 1 ? kEquipmentSlots : kPossessionSlots;
    for (int r = 0; r <= lastRow; ++r) {
      for (int c = 0; c <= 3; ++c) {
        grid->setCurrent(r, c);
        if (r == 0) {
          grid->setText(r, c, header[c]);
        } else if (c == 0) {
          grid->setText(r, c, QString::fromStdString(g == 1 ? EquipmentCaption(r) : PossessionCaption(r)));
        } else {
          grid->setText(r, c, empty[c]);
        }
        if (r == 0 || c == 0) {
          grid->setCellAlignment(r, c, Qt::AlignCenter);  // the fixed cells
        }
      }
    }
  }

  // The header and the column widths are set once, at start-up: a refused
  // file must not shrink the columns again.
  if (full == 0) {
    return;
  }

  Fgrid[0]->setColumnWidthTwips(1, Fgrid[0]->columnWidthTwips(1) - 210);
  Fgrid[0]->setCurrent(0, 1);
  Fgrid[0]->setText(0, 1, QString::fromUtf8(kCharacterGridHeader));
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
