// FrmMain: construction, close-down and the helpers its commands share.

#include "ui/FrmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "session/UserDataDirectory.h"
#include "ui/Dialogs.h"
#include "ui/FlexGrid.h"
#include "ui/GridFont.h"
#include "ui/Messages.h"
#include "ui/TabControl.h"
#include "ui/TextBox.h"
#include "ui/Twips.h"

namespace zovek {

QString FrmMain::WindowTitle() { return tr("Zovek セーブデータ変更ツール v1.02"); }

FrmMain::FrmMain(QWidget* parent) : QMainWindow(parent), session_(*this, UserDataDirectory::ForCurrentUser()) {
  setObjectName(QStringLiteral("FrmMain"));
  setWindowTitle(WindowTitle());
  // The layout was drawn for this font; menus and lists use it too.
  setAttribute(Qt::WA_WindowPropagation);
  setFont(GridFont());

  BuildMenus();
  BuildLayout();
  for (FlexGrid* grid : Fgrid) {
    grid->setFont(GridFont());
  }
  SetFocusOrder();
  NameForListeners();
  ConnectHandlers();
  ConnectEditing();
  setAcceptDrops(true);

  resize(centralWidget()->width(), centralWidget()->height() + menuBar()->sizeHint().height());

  ResetWindow(1);
  SSTab->setFocus(Qt::OtherFocusReason);
}

void FrmMain::ConnectHandlers() {
  connect(mnuFileOpen, &QAction::triggered, this, [this] { OpenFile(); });
  connect(mnuFileSave, &QAction::triggered, this, [this] { SaveFile(); });
  connect(mnuExit, &QAction::triggered, this, [this] { close(); });
  for (int s = 1; s <= kSaveNumbers; ++s) {
    QAction* item = mnuSelSave[static_cast<std::size_t>(s)];
    connect(item, &QAction::triggered, this, [this, item, s] {
      // Qt has already flipped the mark of a checkable item; the marks are the
      // session's to set, and choosing the loaded save changes nothing at all.
      item->setChecked(!item->isChecked());
      SwitchSave(s);
    });
  }

  connect(cmbChara, &QComboBox::currentIndexChanged, this, [this] { SwitchCharacter(); });
  connect(cmbWaza, &QComboBox::currentIndexChanged, this, [this] { SwitchCategory(); });
  connect(lstEvt, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) {
      SwitchScenarioEntry();
    }
  });
  connect(cmdSelwaza[0], &QPushButton::clicked, this, [this] { CheckAll(lstWaza, Qt::Checked); });
  connect(cmdSelwaza[1], &QPushButton::clicked, this, [this] { CheckAll(lstWaza, Qt::Unchecked); });
  connect(cmdSelroll[0], &QPushButton::clicked, this, [this] { CheckAll(lstRoll, Qt::Checked); });
  connect(cmdSelroll[1], &QPushButton::clicked, this, [this] { CheckAll(lstRoll, Qt::Unchecked); });
}

// The grid cell editor, the number boxes and the character commands.
void FrmMain::ConnectEditing() {
  for (int g = 0; g < 3; ++g) {
    connect(Fgrid[g], &FlexGrid::keyTyped, this, [this, g](const QString& typed) { GridEditAsked(g, typed); });
    connect(Fgrid[g], &FlexGrid::gridDoubleClicked, this, [this, g] { GridEditAsked(g, std::nullopt); });
  }
  connect(txtFlex, &QLineEdit::textChanged, this, [this] { FlexBoxChanged(); });
  connect(txtFlex, &QLineEdit::returnPressed, this, [this] { FlexBoxEntered(); });
  connect(txtFlex, &TextBox::focusLost, this, [this] { CommitCellEdit(); });
  connect(txtFlex, &TextBox::doubleClicked, this, [this] { txtFlex->selectAll(); });
  // A tab switch hides the edited cell: its value goes into the grid first.
  connect(SSTab, &QTabWidget::currentChanged, this, [this] { CommitCellEdit(); });

  auto selectWhole = [](TextBox* box) {
    box->setCursorPosition(0);
    box->selectAll();
  };
  for (int i = 0; i < std::ssize(txtValue); ++i) {
    connect(txtValue[i], &QLineEdit::textChanged, this, [this, i] { ValueBoxChanged(i); });
    connect(txtValue[i], &TextBox::doubleClicked, this, [box = txtValue[i], selectWhole] { selectWhole(box); });
  }
  for (int i = 0; i < 8; ++i) {
    connect(txtParty[i], &QLineEdit::textChanged, this, [this, i] { PartyBoxChanged(i); });
    connect(txtParty[i], &TextBox::focusLost, this, [this, i] { PartyBoxLeft(i); });
    connect(txtParty[i], &TextBox::doubleClicked, this, [box = txtParty[i], selectWhole] { selectWhole(box); });
  }

  for (int i = 0; i < 3; ++i) {
    // A click takes the focus on every platform, so an open cell edit is
    // committed before the preset overwrites the view.
    cmdChara[i]->setFocusPolicy(Qt::StrongFocus);
    connect(cmdChara[i], &QPushButton::clicked, this, [this, i] { ApplyPreset(i); });
  }
  connect(mnuCharaCopy, &QAction::triggered, this, [this] { CopyCharacter(); });
  connect(mnuCharaPaste, &QAction::triggered, this, [this] { PasteCharacter(); });
  connect(mnuCharaRtn, &QAction::triggered, this, [this] { UndoCharacter(); });
}

void FrmMain::CommitAndFocusTabs() {
  CommitCellEdit();
  SSTab->setFocus(Qt::OtherFocusReason);
}

void FrmMain::ShowError(const QString& text) {
  Dialogs::message(this, QMessageBox::Information, messages::ErrorTitle(), text, QMessageBox::Ok, QMessageBox::Ok);
}

void FrmMain::EnableLoadedCommands(bool enabled) {
  mnuFileSave->setEnabled(enabled);
  mnuCharaCopy->setEnabled(enabled);
  cmbChara->setEnabled(enabled);
  cmbWaza->setEnabled(enabled);
  for (QPushButton* button : cmdSelwaza) button->setEnabled(enabled);
  for (QPushButton* button : cmdSelroll) button->setEnabled(enabled);
  for (QPushButton* button : cmdChara) button->setEnabled(enabled);
  for (QRadioButton* option : optEvt) option->setEnabled(enabled);
}

void FrmMain::ApplyMenus() {
  const SaveMenuState& menu = session_.SaveMenu();
  for (std::size_t s = 1; s <= kSaveNumbers; ++s) {
    mnuSelSave[s]->setEnabled(menu.enabled[s - 1]);
    mnuSelSave[s]->setChecked(menu.checked[s - 1]);
  }
  mnuCharaPaste->setEnabled(session_.PasteEnabled());
  mnuCharaRtn->setEnabled(session_.UndoEnabled());
}

void FrmMain::SelectComboEntry(QComboBox* combo, int index) {
  if (combo->currentIndex() == index) {
    if (combo == cmbChara) {
      SwitchCharacter();
    } else if (combo == cmbWaza) {
      SwitchCategory();
    }
  } else {
    combo->setCurrentIndex(index);  // the change runs the handler
  }
}

void FrmMain::SelectListEntry(QListWidget* list, int index) {
  if (list->currentRow() == index) {
    if (list == lstEvt) {
      SwitchScenarioEntry();
    }
  } else {
    list->setCurrentRow(index);
  }
}

void FrmMain::closeEvent(QCloseEvent* event) {
  CloseDown();
  event->accept();
}

void FrmMain::CloseDown() {
  if (closedDown_) {
    return;
  }
  closedDown_ = true;
  // Unsaved edits are dropped without a question; every failure is ignored.
  txtFlex->setEnabled(false);
  for (TextBox* box : txtValue) box->setEnabled(false);
  for (TextBox* box : txtParty) box->setEnabled(false);
  // The working copies go, but never a file the user opened as their own.
  session_.CloseDown();
}

}  // namespace zovek
