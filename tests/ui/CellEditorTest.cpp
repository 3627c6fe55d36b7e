// The in-place grid editor through the real window: keys and double-clicks on
// the grids, the box over the cell, its rules while typing, the commit by
// Enter, by focus loss and by the commands, and the bytes that reach the file.

#include <tuple>

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "names/NameTables.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/EditingSupport.h"

using namespace zovek;
using namespace zovek::guitest;
namespace layout = savegen::layout;

namespace {

// Save 3: character 3 with HP 120, character 5 with HP 450; possession 3 is
// code 255 with count 9, possession 4 has no count.
SaveBuffer Save3() {
  SaveBuffer region = savegen::DemoRegion(3);
  savegen::PutNumber(region, RecordIndex(3, layout::kHp), 2, 120);
  savegen::PutNumber(region, RecordIndex(5, layout::kHp), 2, 450);
  savegen::PutNumber(region, RecordIndex(0, layout::kCr), 3, 99);
  region[178 + 2 * 3] = 255;
  region[179 + 2 * 3] = 9;
  region[179 + 2 * 4] = 255;
  return region;
}

}  // namespace

class CellEditorTest : public WindowTest {
  Q_OBJECT

 private:
  QString file_;

  FlexGrid* grid(int g) { return get<FlexGrid>(QStringLiteral("Fgrid(%1)").arg(g)); }
  TextBox* flex() { return get<TextBox>(QStringLiteral("txtFlex")); }
  bool editing() { return window_->State().EditRow != 0; }
  void openCard() {
    file_ = WriteTwoSaveCard(files_->filePath(QStringLiteral("card.mcr")), Save3(), savegen::DemoRegion(7));
    OpenThroughMenu(*window_, file_);
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{3});
  }
  void chooseCharacter(int index) {
    auto* characters = get<QComboBox>(QStringLiteral("cmbChara"));
    characters->setFocus(Qt::MouseFocusReason);
    while (characters->currentIndex() < index) QTest::keyClick(characters, Qt::Key_Down);
    while (characters->currentIndex() > index) QTest::keyClick(characters, Qt::Key_Up);
  }
  // The box is open over (row, col) of grid g, showing `text`.
  void verifyOpen(int g, int row, int col, const QString& text) {
    QVERIFY(flex()->isVisible());
    QCOMPARE(window_->State().EditGrid, std::int16_t(g));
    QCOMPARE(window_->State().EditRow, std::int16_t(row));
    QCOMPARE(window_->State().EditCol, std::int16_t(col));
    QCOMPARE(flex()->text(), text);
    QCOMPARE(Focused(), flex());
  }
  void verifyClosed() {
    QVERIFY(!flex()->isVisible());
    QCOMPARE(window_->State().EditRow, std::int16_t{0});
    QCOMPARE(window_->State().EditCol, std::int16_t{0});
  }

 private Q_SLOTS:
  void init() {
    openWindow(true);
  }
  void cleanup() {
    // Nothing typed is ever refused with a message.
    VerifyNoErrorShown();
    closeWindow();
  }

  void hpEditReachesTheRecordOnSwitchAndTheFileOnSave() {
    openCard();
    const Bytes original = ReadFile(file_);
    chooseCharacter(3);
    FlexGrid* g0 = grid(0);
    QCOMPARE(g0->text(5, 1), QStringLiteral("120"));

    // A digit key opens the box with the cell's text followed by the digit.
    ClickCell(g0, 5, 1);
    TypeKeys(QStringLiteral("7"));
    verifyOpen(0, 5, 1, QStringLiteral("1207"));
    QCOMPARE(flex()->selectedText(), QString());
    QCOMPARE(flex()->cursorPosition(), 4);
    QCOMPARE(flex()->typingLimit(), 5);
    PressKey(Qt::Key_Return);
    verifyClosed();
    QCOMPARE(g0->text(5, 1), QStringLiteral("1207"));
    QCOMPARE(Focused(), g0);  // Enter gives the keyboard back to the grid

    // A double-click opens it with everything selected; typing replaces it.
    EditCell(g0, 5, 1, QStringLiteral("4321"));
    QCOMPARE(g0->text(5, 1), QStringLiteral("4321"));
    QCOMPARE(window_->Buffer()[RecordIndex(3, layout::kHp)], Save3()[RecordIndex(3, layout::kHp)]);  // view only

    chooseCharacter(5);
    QCOMPARE(g0->text(5, 1), QStringLiteral("450"));
    QCOMPARE(Number(window_->Buffer(), RecordIndex(3, layout::kHp), 2), 4321u);
    QCOMPARE(ReadFile(file_), original);  // nothing saved yet

    SaveThroughMenu(*window_, QMessageBox::Yes);
    const SaveBuffer saved = RegionIn(ReadFile(file_), RegionOffset(kSave3Block));
    QCOMPARE(Number(saved, RecordIndex(3, layout::kHp), 2), 4321u);
    QCOMPARE(Number(saved, RecordIndex(5, layout::kHp), 2), 450u);
    QCOMPARE(savegen::RegionChecksum(saved), saved[1]);
  }

  void itemCodeTypedIntoPossessionsBringsItsName() {
    openCard();
    ClickTab(*window_, 2);
    FlexGrid* g2 = grid(2);
    QCOMPARE(g2->text(3, 1), QStringLiteral("255"));
    QCOMPARE(g2->text(3, 3), QString::fromStdString(ItemName(255)));

    DoubleClickCell(g2, 3, 1);
    verifyOpen(2, 3, 1, QStringLiteral("255"));
    QCOMPARE(flex()->selectedText(), QStringLiteral("255"));
    TypeKeys(QStringLiteral("7"));
    QCOMPARE(flex()->text(), QStringLiteral("7"));
    PressKey(Qt::Key_Return);
    QCOMPARE(g2->text(3, 1), QStringLiteral("7"));
    QCOMPARE(g2->text(3, 3), QString::fromStdString(ItemName(7)));

    // Out of range at the commit: the largest code, and its name.
    EditCell(g2, 40, 1, QStringLiteral("300"));
    QCOMPARE(g2->text(40, 1), QStringLiteral("255"));
    QCOMPARE(g2->text(40, 3), QString::fromStdString(ItemName(255)));
    // "-" in the code column reads 0.
    EditCell(g2, 41, 1, QStringLiteral("-"));
    QCOMPARE(g2->text(41, 1), QStringLiteral("0"));
    QCOMPARE(g2->text(41, 3), QString::fromStdString(ItemName(0)));

    // The equipment grid follows the same rule.
    ClickTab(*window_, 0);
    EditCell(grid(1), 2, 1, QStringLiteral("12"));
    QCOMPARE(grid(1)->text(2, 3), QString::fromStdString(ItemName(12)));

    SaveThroughMenu(*window_, QMessageBox::Yes);
    const SaveBuffer saved = RegionIn(ReadFile(file_), RegionOffset(kSave3Block));
    QCOMPARE(saved[178 + 2 * 3], std::uint8_t{7});
    QCOMPARE(saved[178 + 2 * 40], std::uint8_t{255});
    QCOMPARE(saved[178 + 2 * 41], std::uint8_t{0});
    QCOMPARE(saved[RecordIndex(0, layout::kEquipment + 2)], std::uint8_t{12});  // weapon 2's code
  }

  void countCellKeepsDashAndClamps() {
    openCard();
    ClickTab(*window_, 2);
    FlexGrid* g2 = grid(2);
    QCOMPARE(g2->text(4, 2), QStringLiteral("-"));

    // "9" on "-": the box shows "-9", which reads -9; the commit gives 0.
    ClickCell(g2, 4, 2);
    TypeKeys(QStringLiteral("9"));
    verifyOpen(2, 4, 2, QStringLiteral("-9"));
    PressKey(Qt::Key_Return);
    QCOMPARE(g2->text(4, 2), QStringLiteral("0"));

    // "-" typed over everything stays "-" and is committed as "-".
    DoubleClickCell(g2, 4, 2);
    TypeKeys(QStringLiteral("-"));
    QCOMPARE(flex()->text(), QStringLiteral("-"));
    PressKey(Qt::Key_Return);
    QCOMPARE(g2->text(4, 2), QStringLiteral("-"));

    // Above 254 is "none" too.
    EditCell(g2, 3, 2, QStringLiteral("300"));
    QCOMPARE(g2->text(3, 2), QStringLiteral("-"));
    EditCell(g2, 5, 2, QStringLiteral("254"));
    QCOMPARE(g2->text(5, 2), QStringLiteral("254"));

    SaveThroughMenu(*window_, QMessageBox::Yes);
    const SaveBuffer saved = RegionIn(ReadFile(file_), RegionOffset(kSave3Block));
    QCOMPARE(saved[179 + 2 * 3], std::uint8_t{255});
    QCOMPARE(saved[179 + 2 * 4], std::uint8_t{255});
    QCOMPARE(saved[179 + 2 * 5], std::uint8_t{254});
  }

  void characterRowsHaveTheirLimitsAndRanges() {
    openCard();
    FlexGrid* g0 = grid(0);
    // 仲間加入 takes one character; 7 is committed as 1.
    DoubleClickCell(g0, 2, 1);
    QCOMPARE(flex()->typingLimit(), 1);
    TypeKeys(QStringLiteral("78"));
    QCOMPARE(flex()->text(), QStringLiteral("7"));
    PressKey(Qt::Key_Return);
    QCOMPARE(g0->text(2, 1), QStringLiteral("1"));

    // CR: "e" between the digits of 99 reads 9e9, committed as the maximum.
    QCOMPARE(g0->text(4, 1), QStringLiteral("99"));
    DoubleClickCell(g0, 4, 1);
    QCOMPARE(flex()->typingLimit(), 6);
    PressKey(Qt::Key_End);
    PressKey(Qt::Key_Left);
    TypeKeys(QStringLiteral("e"));
    QCOMPARE(flex()->text(), QStringLiteral("9000000000"));
    PressKey(Qt::Key_Return);
    QCOMPARE(g0->text(4, 1), QStringLiteral("999999"));

    // HP takes five characters; the age three, and 300 becomes 255.
    DoubleClickCell(g0, 6, 1);
    TypeKeys(QStringLiteral("123456"));
    QCOMPARE(flex()->text(), QStringLiteral("12345"));
    PressKey(Qt::Key_Return);
    EditCell(g0, 1, 1, QStringLiteral("3000"));
    QCOMPARE(g0->text(1, 1), QStringLiteral("255"));
    // A point typed at the end is dropped at once ("2." reads 2); put between
    // two digits it stays, and the commit makes the number whole, halves
    // going to the even neighbour.
    for (const auto& [row, digits, whole] : {std::tuple{7, "25", "2"}, std::tuple{8, "35", "4"}}) {
      DoubleClickCell(g0, row, 1);
      TypeKeys(QString::fromLatin1(digits));
      PressKey(Qt::Key_Left);
      TypeKeys(QStringLiteral("."));
      QCOMPARE(flex()->text(), QStringLiteral("%1.%2").arg(digits[0]).arg(digits[1]));
      PressKey(Qt::Key_Return);
      QCOMPARE(g0->text(row, 1), QString::fromLatin1(whole));
    }

    SaveThroughMenu(*window_, QMessageBox::Yes);
    const SaveBuffer saved = RegionIn(ReadFile(file_), RegionOffset(kSave3Block));
    QCOMPARE(Number(saved, RecordIndex(0, layout::kCr), 3), 999999u);
    QCOMPARE(Number(saved, RecordIndex(0, layout::kMaxHp), 2), 12345u);
    QCOMPARE(saved[RecordIndex(0, layout::kAge)], std::uint8_t{255});
    QCOMPARE(saved[RecordIndex(0, layout::kLp)], std::uint8_t{2});
    QCOMPARE(saved[RecordIndex(0, layout::kMaxLp)], std::uint8_t{4});
    QVERIFY(savegen::HasJoined(saved, 0));
  }

  void keysOpenTheBoxWithTheirOwnSelection() {
    FlexGrid* g0 = grid(0);
    // The key 5 on "0": "5" with the caret after it.
    ClickCell(g0, 9, 1);
    TypeKeys(QStringLiteral("5"));
    verifyOpen(0, 9, 1, QStringLiteral("5"));
    QCOMPARE(flex()->selectedText(), QString());
    QCOMPARE(flex()->cursorPosition(), 1);
    PressKey(Qt::Key_Return);
    // The key 0 on "0": "00" is rewritten "0", the caret after it.
    ClickCell(g0, 10, 1);
    TypeKeys(QStringLiteral("0"));
    verifyOpen(0, 10, 1, QStringLiteral("0"));
    QCOMPARE(flex()->selectedText(), QString());
    QCOMPARE(flex()->cursorPosition(), 1);
    PressKey(Qt::Key_Return);
    // A swallowed key leaves the text as it was, caret at the end, nothing selected.
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Escape}) {
      ClickCell(g0, 9, 1);
      PressKey(key);
      verifyOpen(0, 9, 1, QStringLiteral("5"));
      QCOMPARE(flex()->selectedText(), QString());
      QCOMPARE(flex()->cursorPosition(), 1);
      PressKey(Qt::Key_Return);
      QCOMPARE(g0->text(9, 1), QStringLiteral("5"));
    }
    // Delete is no typing key, although X11 gives it the DEL character.
    ClickCell(g0, 9, 1);
    QTest::sendKeyEvent(QTest::Click, g0, Qt::Key_Delete, QString(QChar(0x7f)), Qt::NoModifier);
    verifyClosed();
    QCOMPARE(g0->text(9, 1), QStringLiteral("5"));
    ClickCell(g0, 10, 1);
    PressKey(Qt::Key_Return);  // Enter on the grid is swallowed too, even on "0"
    verifyOpen(0, 10, 1, QStringLiteral("0"));
    QCOMPARE(flex()->selectedText(), QString());
    // Backspace in the box empties it: the empty text reads 0, all selected.
    PressKey(Qt::Key_Backspace);
    QCOMPARE(flex()->selectedText(), QStringLiteral("0"));
    TypeKeys(QStringLiteral("0012a"));
    QCOMPARE(flex()->text(), QStringLiteral("12"));
    // Double-click in the box selects everything.
    DoubleClickBox(flex());
    QCOMPARE(flex()->selectedText(), QStringLiteral("12"));
    verifyOpen(0, 10, 1, QStringLiteral("12"));
  }

  void escapeLeavesTheEditOpenAndTabCommits() {
    FlexGrid* g0 = grid(0);
    EditCell(g0, 11, 1, QStringLiteral("42"));
    DoubleClickCell(g0, 11, 1);
    TypeKeys(QStringLiteral("17"));
    PressKey(Qt::Key_Escape);
    verifyOpen(0, 11, 1, QStringLiteral("17"));  // no cancel key
    QCOMPARE(g0->text(11, 1), QStringLiteral("42"));
    PressKey(Qt::Key_Tab);
    verifyClosed();
    QCOMPARE(g0->text(11, 1), QStringLiteral("17"));
    QVERIFY(Focused() != flex());
    // A click elsewhere commits as well.
    DoubleClickCell(g0, 12, 1);
    TypeKeys(QStringLiteral("8"));
    ClickCell(g0, 13, 1);
    verifyClosed();
    QCOMPARE(g0->text(12, 1), QStringLiteral("8"));
  }

  void nothingOpensOnHeadersOrTheNameColumn() {
    // Right after start-up the current cell of Fgrid(0) is its header cell.
    FlexGrid* g0 = grid(0);
    QCOMPARE(QPoint(g0->row(), g0->col()), QPoint(0, 1));
    g0->setFocus(Qt::TabFocusReason);
    PressKey(Qt::Key_5);
    QVERIFY(!flex()->isVisible());
    QVERIFY(!editing());
    QCOMPARE(g0->text(0, 1), QStringLiteral("データ"));

    FlexGrid* g1 = grid(1);
    ClickCell(g1, 2, 3);
    PressKey(Qt::Key_5);
    DoubleClickCell(g1, 2, 3);
    QVERIFY(!flex()->isVisible());
    QVERIFY(!editing());
    QCOMPARE(g1->text(2, 3), QStringLiteral("（なし）"));
    // The current cell of Fgrid(1) after the reset is in the name column too.
    ClickTab(*window_, 2);
    FlexGrid* g2 = grid(2);
    g2->setFocus(Qt::TabFocusReason);
    QCOMPARE(QPoint(g2->row(), g2->col()), QPoint(64, 3));
    PressKey(Qt::Key_5);
    QVERIFY(!flex()->isVisible());
  }

  void boxLiesExactlyOverItsCell() {
    struct Case {
      int tab, g, row, col, limit;
    };
    const Case cases[] = {{0, 0, 1, 1, 3},  {0, 0, 3, 1, 1},  {0, 0, 4, 1, 6}, {0, 0, 5, 1, 5}, {0, 0, 24, 1, 3},
                          {0, 1, 1, 1, 3},  {0, 1, 6, 2, 3},  {2, 2, 1, 2, 3}, {2, 2, 50, 1, 3}, {2, 2, 64, 2, 3}};
    for (const Case& c : cases) {
      ClickTab(*window_, c.tab);
      FlexGrid* g = grid(c.g);
      DoubleClickCell(g, c.row, c.col);
      QVERIFY(flex()->isVisible());
      QCOMPARE(flex()->parentWidget(), g->parentWidget());
      QCOMPARE(flex()->geometry(), g->cellRectInContainer(c.row, c.col));
      // The cell is inside the grid's visible part, and the box in front of it.
      QVERIFY(g->geometry().contains(flex()->geometry()));
      QCOMPARE(flex()->parentWidget()->childAt(flex()->geometry().center()), flex());
      QCOMPARE(flex()->typingLimit(), c.limit);
      PressKey(Qt::Key_Return);
    }
  }

  void tabSwitchAndCommandsCommitTheOpenEdit() {
    openCard();
    FlexGrid* g1 = grid(1);
    // Switching tabs.
    DoubleClickCell(g1, 1, 2);
    TypeKeys(QStringLiteral("33"));
    ClickTab(*window_, 1);
    verifyClosed();
    QCOMPARE(g1->text(1, 2), QStringLiteral("33"));
    ClickTab(*window_, 0);

    // The copy command (its shortcut typed into the box) stores the commit.
    DoubleClickCell(grid(0), 7, 1);
    TypeKeys(QStringLiteral("77"));
    PressKey(Qt::Key_R, Qt::ControlModifier);
    verifyClosed();
    QCOMPARE(window_->Session().State().CopySource, std::int16_t{0});
    QCOMPARE(window_->Buffer()[RecordIndex(0, layout::kLp)], std::uint8_t{77});
    QCOMPARE(window_->Buffer()[RecordIndex(0, layout::kEquipment + 1)], std::uint8_t{33});
    QVERIFY(get<QTabWidget>(QStringLiteral("SSTab"))->hasFocus());

    // A character switch made while the box is open.
    DoubleClickCell(grid(0), 8, 1);
    TypeKeys(QStringLiteral("66"));
    get<QComboBox>(QStringLiteral("cmbChara"))->setCurrentIndex(2);
    verifyClosed();
    QCOMPARE(window_->Buffer()[RecordIndex(0, layout::kMaxLp)], std::uint8_t{66});

    // A save switch: the commit reaches the working copy.
    DoubleClickCell(grid(0), 9, 1);
    TypeKeys(QStringLiteral("55"));
    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    verifyClosed();
    QCOMPARE(ReadFile(WorkingCopyPath())[RegionOffset(kSave3Block) + RecordIndex(2, layout::kWp)], std::uint8_t{55});

    // The paste command.
    DoubleClickCell(grid(0), 10, 1);
    TypeKeys(QStringLiteral("44"));
    Choose(*window_, QStringLiteral("mnuCharaCopy"));
    verifyClosed();
    DoubleClickCell(grid(0), 10, 1);
    TypeKeys(QStringLiteral("11"));
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    verifyClosed();
    QCOMPARE(grid(0)->text(10, 1), QStringLiteral("44"));  // committed, then the copy shown

    // The open command, even when its dialog is cancelled.
    DoubleClickCell(grid(0), 11, 1);
    TypeKeys(QStringLiteral("22"));
    Choose(*window_, QStringLiteral("mnuFileOpen"));
    verifyClosed();
    QCOMPARE(grid(0)->text(11, 1), QStringLiteral("22"));
  }

  void doubleClickAnywhereOnTheGridEditsTheCurrentCell() {
    // The double-click opens the current cell, wherever on the grid it lands:
    // below the last row, or on a header, which can't be picked.
    FlexGrid* g1 = grid(1);
    EditCell(g1, 2, 1, QStringLiteral("45"));
    ClickCell(g1, 2, 1);
    const QPoint below(g1->columnViewportPosition(0) + 5, g1->viewport()->height() - 2);
    QVERIFY(!g1->indexAt(below).isValid());
    QTest::mouseDClick(g1->viewport(), Qt::LeftButton, {}, below);
    verifyOpen(1, 2, 1, QStringLiteral("45"));
    QCOMPARE(flex()->selectedText(), QStringLiteral("45"));
    TypeKeys(QStringLiteral("7"));
    PressKey(Qt::Key_Return);
    verifyClosed();
    QCOMPARE(g1->text(2, 1), QStringLiteral("7"));
    QCOMPARE(g1->text(2, 3), QString::fromStdString(ItemName(7)));

    ClickCell(g1, 4, 2);
    QHeaderView* top = g1->horizontalHeader();
    QTest::mouseDClick(top->viewport(), Qt::LeftButton, {},
                       QPoint(top->sectionViewportPosition(2) + 5, top->height() / 2));  // "装備品名"
    verifyOpen(1, 4, 2, QStringLiteral("-"));
    PressKey(Qt::Key_Return);
    QHeaderView* left = g1->verticalHeader();
    QTest::mouseDClick(left->viewport(), Qt::LeftButton, {},
                       QPoint(left->width() / 2, left->sectionViewportPosition(0) + 5));  // "武器1"
    verifyOpen(1, 4, 2, QStringLiteral("-"));
    PressKey(Qt::Key_Return);
    verifyClosed();

    // On a name cell of column 3 the double-click still opens nothing.
    ClickCell(g1, 5, 3);
    QTest::mouseDClick(g1->viewport(), Qt::LeftButton, {}, below);
    QVERIFY(!flex()->isVisible());
  }

  void undoCommitsNothing() {
    openCard();
    FlexGrid* g0 = grid(0);
    EditCell(g0, 8, 1, QStringLiteral("12"));
    DoubleClickCell(g0, 7, 1);
    TypeKeys(QStringLiteral("99"));
    Choose(*window_, QStringLiteral("mnuCharaCopy"));
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    DoubleClickCell(g0, 7, 1);
    TypeKeys(QStringLiteral("31"));
    // "取り消し" reloads the view under the open box, which stays open.
    Choose(*window_, QStringLiteral("mnuCharaRtn"));
    verifyOpen(0, 7, 1, QStringLiteral("31"));
    QCOMPARE(g0->text(7, 1), QStringLiteral("99"));
    QCOMPARE(g0->text(8, 1), QStringLiteral("12"));
  }

  void saveCommitsTheOpenEditEvenWhenAnsweredNo() {
    openCard();
    const Bytes original = ReadFile(file_);
    FlexGrid* g0 = grid(0);
    DoubleClickCell(g0, 5, 1);
    TypeKeys(QStringLiteral("321"));
    const SaveBuffer buffer = window_->Buffer();
    SaveThroughMenu(*window_, QMessageBox::No);
    QCOMPARE(LastMessage().title, QStringLiteral("保存確認"));
    verifyClosed();
    QCOMPARE(g0->text(5, 1), QStringLiteral("321"));
    QCOMPARE(window_->Buffer(), buffer);
    QCOMPARE(ReadFile(file_), original);
    QVERIFY(get<QTabWidget>(QStringLiteral("SSTab"))->hasFocus());
    // Answered Yes the next time, the committed value is saved.
    SaveThroughMenu(*window_, QMessageBox::Yes);
    QCOMPARE(Number(RegionIn(ReadFile(file_), RegionOffset(kSave3Block)), RecordIndex(0, layout::kHp), 2), 321u);
  }
};

QTEST_MAIN(CellEditorTest)
#include "CellEditorTest.moc"
