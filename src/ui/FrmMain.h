#pragma once
// FrmMain: the editor's one window, the front end of an EditSession. The
// session holds the loaded save and runs the commands; the window holds the
// controls through which the walks show the save, asks the user, and shows
// what each command did.
//
// The member functions live in the files FrmMain*.cpp by subject; each says
// at its top what it holds.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QMainWindow>

#include "savedata/EditorView.h"
#include "savefile/SaveBuffer.h"
#include "savefile/SaveSlots.h"
#include "session/EditSession.h"
#include "ui/WindowState.h"

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zovek {

class FlexGrid;
class TabControl;
class TextBox;
struct CellEditStart;

class FrmMain : public QMainWindow, public EditorView {
  Q_OBJECT

 public:
  explicit FrmMain(QWidget* parent = nullptr);

  // Opens a file named on the command line, handed over by a later start or
  // dropped on the window, as the open command opens the file its dialog returns.
  void OpenRequestedFile(const QString& path);

  static QString WindowTitle();
  // Client area in twips.
  static constexpr int kClientWidthTwips = 6735;
  static constexpr int kClientHeightTwips = 4680;

  // The reset to the state with no file loaded: full = 1 at start-up,
  // 0 after a refused file.
  void ResetWindow(std::int16_t full);

  // Commands.
  void OpenFile();
  void SwitchSave(int s);
  void SaveFile();

  // Character commands: preset 0..2 (cmdChara), copy, paste and undo.
  void ApplyPreset(int i);
  void CopyCharacter();
  void PasteCharacter();
  void UndoCharacter();

  // Selection handlers; they run for selections made by code as well.
  void SwitchCharacter();
  void SwitchScenarioEntry();
  void SwitchCategory();
  void FillTechniqueList(int category);
  // Every mark of a list on or off: the select-all and clear-all buttons.
  static void CheckAll(QListWidget* list, Qt::CheckState state);

  // Writes a pending in-place grid edit into its cell.
  void CommitCellEdit();

  const WindowState& State() const { return state_; }
  const EditSession& Session() const { return session_; }
  const SaveBuffer& Buffer() const { return session_.Buffer(); }

  // EditorView: what the field engine and the walks see of the window.
  std::string CellText(int grid, int row, int col) const override;
  void SetCellText(int grid, int row, int col, const std::string& text) override;
  std::string ValueText(int i) const override;
  void SetValueText(int i, const std::string& text) override;
  std::string PartyText(int i) const override;
  void SetPartyText(int i, const std::string& text) override;
  void SetPartyLabel(int i, const std::string& text) override;
  bool AptitudeChecked(int i) const override;
  void SetAptitudeChecked(int i, bool checked) override;
  int ScenarioOption() const override;
  void SetScenarioOption(int i) override;
  bool RoleChecked(int entry) const override;
  void SetRoleChecked(int entry, bool checked) override;
  void SetRoleCurrent(int entry) override;
  void RedrawRoles() override;
  int TechniqueRowCount() const override;
  bool TechniqueChecked(int row) const override;
  void SetTechniqueChecked(int row, bool checked) override;
  void SetTechniqueCurrent(int row) override;
  void RedrawTechniques() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // One file dropped on the window is opened as the open command opens the
  // file its dialog returns.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Layout.
  void BuildLayout();
  void BuildCharacterTab(QWidget* canvas);
  void BuildScenarioTab(QWidget* canvas);
  void BuildItemTab(QWidget* canvas);
  // An unmarked entry the user can mark for each caption (lstWaza, lstRoll).
  static void AddCheckableEntries(QListWidget* list, const std::vector<std::string>& captions);
  void BuildMenus();
  void SetFocusOrder();
  // What a screen reader calls the controls that show no caption of their own.
  void NameForListeners();
  // Tab enters the scenario option group at the option that is on.
  void KeepOptionTabStop();
  void ConnectHandlers();
  void ConnectEditing();

  // Opening: everything after the dialog, for the dialog's name or a requested file.
  void OpenChosenFile(const QString& path);

  // The in-place grid editor.
  void GridEditAsked(int grid, const std::optional<QString>& typed);
  void BeginCellEdit(const CellEditStart& start, int grid);
  void FlexBoxChanged();
  void FlexBoxEntered();

  // The rules of the number boxes.
  void ValueBoxChanged(int i);
  void PartyBoxChanged(int i);
  void PartyBoxLeft(int i);

  // Command helpers.
  // What every command does first: an open cell edit goes into its cell, and
  // the focus to the tab control.
  void CommitAndFocusTabs();
  void ShowError(const QString& text);
  // The menus' states a command left and its error message.
  void ShowOutcome(const SessionOutcome& outcome);
  void EnableLoadedCommands(bool enabled);  // the commands of a loaded save
  // The save items' marks and enabled states and the Edit items, as the session has them.
  void ApplyMenus();
  void CloseDown();
  // Selects an entry and runs its selection handler even when the entry was
  // already selected, as selecting by code always does.
  void SelectComboEntry(QComboBox* combo, int index);
  void SelectListEntry(QListWidget* list, int index);

  WindowState state_;
  EditSession session_;
  bool closedDown_ = false;

  // Controls, by their names in the layout.
  TabControl* SSTab = nullptr;
  std::array<FlexGrid*, 3> Fgrid{};
  TextBox* txtFlex = nullptr;
  std::vector<TextBox*> txtValue;  // as many as the core's table of value boxes
  std::array<TextBox*, 8> txtParty{};
  std::array<QLabel*, 8> lblValue{};
  QComboBox* cmbChara = nullptr;
  QComboBox* cmbWaza = nullptr;
  std::array<QCheckBox*, 12> chkSitu{};
  std::array<QPushButton*, 3> cmdChara{};
  std::array<QPushButton*, 2> cmdSelwaza{};
  std::array<QPushButton*, 2> cmdSelroll{};
  std::array<QRadioButton*, 4> optEvt{};
  QListWidget* lstWaza = nullptr;
  QListWidget* lstEvt = nullptr;
  QListWidget* lstRoll = nullptr;

  QAction* mnuFileOpen = nullptr;
  QAction* mnuFileSave = nullptr;
  QAction* mnuExit = nullptr;
  QAction* mnuCharaRtn = nullptr;
  QAction* mnuCharaCopy = nullptr;
  QAction* mnuCharaPaste = nullptr;
  std::array<QAction*, kSaveNumbers + 1> mnuSelSave{};  // items 1..15; 0 unused
};

}  // namespace zovek
