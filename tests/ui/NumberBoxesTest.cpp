// The value boxes txtValue(0..4) and the party boxes txtParty(0..7) through
// the real window: what typing and loading leave in them, the party labels,
// double-clicks, and the bytes saved.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
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

// Play time 155:12:10 (more hours than the window shows), chips 4321, the
// main party 2, 7, empty, empty; the sub party 11, empty, empty, 3.
SaveBuffer Save3() {
  SaveBuffer region = savegen::DemoRegion(3);
  savegen::SetPlayTime(region, savegen::PlayTime(155, 12, 10));
  savegen::SetChips(region, 4321);
  const std::uint8_t party[8] = {2, 7, 255, 255, 11, 255, 255, 3};
  for (std::size_t i = 0; i < 8; ++i) region[layout::kMainParty + i] = party[i];
  return region;
}

QString Label(int code) { return QString::fromStdString(PartyLabel(code)); }

}  // namespace

class NumberBoxesTest : public WindowTest {
  Q_OBJECT

 private:
  QString file_;

  TextBox* value(int i) { return Find<TextBox>(window_.get(), QStringLiteral("txtValue(%1)").arg(i)); }
  TextBox* party(int i) { return Find<TextBox>(window_.get(), QStringLiteral("txtParty(%1)").arg(i)); }
  QLabel* label(int i) { return Find<QLabel>(window_.get(), QStringLiteral("lblValue(%1)").arg(i)); }
  void openCard() {
    file_ = WriteTwoSaveCard(files_->filePath(QStringLiteral("card.mcr")), Save3(), savegen::DemoRegion(7));
    OpenThroughMenu(*window_, file_);
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{3});
  }
  SaveBuffer saved() { return RegionIn(ReadFile(file_), RegionOffset(kSave3Block)); }
  // Clicks into the box and types at the end of its text.
  void typeAtEnd(TextBox* box, const QString& keys) {
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    QCOMPARE(Focused(), box);
    PressKey(Qt::Key_End);
    TypeKeys(keys);
  }

 private Q_SLOTS:
  void init() {
    openWindow(true);
    if (QTest::currentTestFailed()) return;
    ClickTab(*window_, 2);
  }
  void cleanup() {
    VerifyNoErrorShown();
    closeWindow();
  }

  void valueBoxesRewriteWhatIsTyped() {
    TypeInto(value(1), QStringLiteral("300"));
    QCOMPARE(value(1)->text(), QStringLiteral("255"));
    TypeInto(value(4), QStringLiteral("75"));
    QCOMPARE(value(4)->text(), QStringLiteral("59"));
    TypeInto(value(3), QStringLiteral("05"));
    QCOMPARE(value(3)->text(), QStringLiteral("5"));
    TypeInto(value(2), QStringLiteral("12a"));
    QCOMPARE(value(2)->text(), QStringLiteral("12"));

    // "-" over the selection reads 0, selected so the next digit replaces it.
    TypeInto(value(3), QStringLiteral("-"));
    QCOMPARE(value(3)->text(), QStringLiteral("0"));
    QCOMPARE(value(3)->selectedText(), QStringLiteral("0"));
    TypeKeys(QStringLiteral("8"));
    QCOMPARE(value(3)->text(), QStringLiteral("8"));
    // "-" put before 5 reads -5: the box says 0.
    TypeInto(value(4), QStringLiteral("5"));
    PressKey(Qt::Key_Home);
    TypeKeys(QStringLiteral("-"));
    QCOMPARE(value(4)->text(), QStringLiteral("0"));
    // Emptied, a box says 0, selected.
    TypeInto(value(2), QStringLiteral("7"));
    PressKey(Qt::Key_Backspace);
    QCOMPARE(value(2)->text(), QStringLiteral("0"));
    QCOMPARE(value(2)->selectedText(), QStringLiteral("0"));

    // A point after the last digit goes; between two digits it stays.
    TypeInto(value(1), QStringLiteral("1."));
    QCOMPARE(value(1)->text(), QStringLiteral("1"));
    TypeInto(value(1), QStringLiteral("12"));
    PressKey(Qt::Key_Left);
    TypeKeys(QStringLiteral("."));
    QCOMPARE(value(1)->text(), QStringLiteral("1.2"));

    // The typing limit refuses a seventh character of the chips.
    TypeInto(value(2), QStringLiteral("999999"));
    TypeKeys(QStringLiteral("7"));
    QCOMPARE(value(2)->text(), QStringLiteral("999999"));
  }

  void loadedHoursAboveTheLimitShow99AndAreSavedAs99() {
    openCard();
    QCOMPARE(value(3)->text(), QStringLiteral("99"));
    QCOMPARE(value(4)->text(), QStringLiteral("12"));
    QCOMPARE(value(2)->text(), QStringLiteral("4321"));
    SaveThroughMenu(*window_, QMessageBox::Yes);
    const SaveBuffer region = saved();
    QCOMPARE(Number(region, layout::kPlayTime, 4), savegen::PlayTime(99, 12));
    QCOMPARE(Number(region, layout::kChips, 3), 4321u);
    QCOMPARE(savegen::RegionChecksum(region), region[1]);
  }

  void typedValuesAreSaved() {
    openCard();
    TypeInto(value(1), QStringLiteral("300"));
    TypeInto(value(2), QStringLiteral("12"));
    PressKey(Qt::Key_Left);
    TypeKeys(QStringLiteral("."));  // 1.2 chips, made whole by the store
    TypeInto(value(3), QStringLiteral("12"));
    TypeInto(value(4), QStringLiteral("75"));
    SaveThroughMenu(*window_, QMessageBox::Yes);
    const SaveBuffer region = saved();
    QCOMPARE(region[layout::kProtagonist], std::uint8_t{255});
    QCOMPARE(Number(region, layout::kChips, 3), 1u);
    QCOMPARE(Number(region, layout::kPlayTime, 4), savegen::PlayTime(12, 59));
  }

  void partyBoxesAndTheirLabels() {
    openCard();
    QCOMPARE(party(3)->text(), QStringLiteral("-"));
    QCOMPARE(label(3)->text(), QStringLiteral("（未加入）"));
    QCOMPARE(party(0)->text(), QStringLiteral("2"));
    QCOMPARE(label(0)->text(), Label(2));

    // "-7" reads -7: "0", selected; then 12 replaces it.
    typeAtEnd(party(3), QStringLiteral("7"));
    QCOMPARE(party(3)->text(), QStringLiteral("0"));
    QCOMPARE(party(3)->selectedText(), QStringLiteral("0"));
    TypeKeys(QStringLiteral("12"));
    QCOMPARE(party(3)->text(), QStringLiteral("12"));
    QCOMPARE(label(3)->text(), QStringLiteral("（未加入）"));  // typing alone leaves the label
    PressKey(Qt::Key_Tab);
    QCOMPARE(label(3)->text(), Label(12));

    // 300 is no character: "-" at once, the label when the box is left.
    TypeInto(party(5), QStringLiteral("300"));
    QCOMPARE(party(5)->text(), QStringLiteral("-"));
    TypeInto(party(1), QStringLiteral("255"));
    QCOMPARE(party(1)->text(), QStringLiteral("255"));
    QCOMPARE(label(1)->text(), Label(7));
    QTest::mouseClick(party(6), Qt::LeftButton);
    QCOMPARE(party(1)->text(), QStringLiteral("-"));
    QCOMPARE(label(1)->text(), QStringLiteral("（未加入）"));

    // Pasted fractions are made whole, halves to the even neighbour.
    QApplication::clipboard()->setText(QStringLiteral("1.5"));
    party(0)->setFocus(Qt::MouseFocusReason);
    PressKey(Qt::Key_A, Qt::ControlModifier);
    PressKey(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(party(0)->text(), QStringLiteral("2"));
    QApplication::clipboard()->setText(QStringLiteral("2.5"));
    PressKey(Qt::Key_A, Qt::ControlModifier);
    PressKey(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(party(0)->text(), QStringLiteral("2"));
    // A party box holds three characters at most.
    TypeInto(party(7), QStringLiteral("1234"));
    QCOMPARE(party(7)->text(), QStringLiteral("123"));
    PressKey(Qt::Key_Tab);
    QCOMPARE(label(7)->text(), Label(123));

    SaveThroughMenu(*window_, QMessageBox::Yes);
    const SaveBuffer region = saved();
    const std::uint8_t expected[8] = {2, 255, 255, 12, 11, 255, 255, 123};
    for (std::size_t i = 0; i < 8; ++i) QCOMPARE(region[layout::kMainParty + i], expected[i]);
    QCOMPARE(region[layout::kPartyCount], std::uint8_t{2});  // filled main slots
  }

  void saveLeavesThePartyBoxesEvenWhenAnsweredNo() {
    openCard();
    const Bytes original = ReadFile(file_);
    const SaveBuffer buffer = window_->Buffer();
    // The box keeps the keyboard while the menu is used: the save command
    // does what leaving it would do.
    TypeInto(party(2), QStringLiteral("255"));
    QCOMPARE(party(2)->text(), QStringLiteral("255"));
    TypeInto(party(6), QStringLiteral("9"));
    QCOMPARE(Focused(), party(6));
    QCOMPARE(label(6)->text(), QStringLiteral("（未加入）"));
    SaveThroughMenu(*window_, QMessageBox::No);
    QCOMPARE(LastMessage().title, QStringLiteral("保存確認"));
    QCOMPARE(party(2)->text(), QStringLiteral("-"));
    QCOMPARE(label(6)->text(), Label(9));
    QCOMPARE(window_->Buffer(), buffer);
    QCOMPARE(ReadFile(file_), original);
  }

  void doubleClickSelectsTheWholeText() {
    TypeInto(value(2), QStringLiteral("12"));
    PressKey(Qt::Key_Left);
    TypeKeys(QStringLiteral("."));
    QCOMPARE(value(2)->text(), QStringLiteral("1.2"));
    PressKey(Qt::Key_End);
    DoubleClickBox(value(2));
    QCOMPARE(value(2)->selectedText(), QStringLiteral("1.2"));  // not just the word under the mouse
    TypeInto(party(4), QStringLiteral("45"));
    PressKey(Qt::Key_Home);
    DoubleClickBox(party(4));
    QCOMPARE(party(4)->selectedText(), QStringLiteral("45"));
    // The display box of the first tab as well.
    ClickTab(*window_, 0);
    DoubleClickBox(value(0));
    QCOMPARE(value(0)->selectedText(), QStringLiteral("0"));
  }

  void characterIndexBoxFollowsTheSwitch() {
    openCard();
    ClickTab(*window_, 0);
    auto* characters = Find<QComboBox>(window_.get(), QStringLiteral("cmbChara"));
    characters->setFocus(Qt::MouseFocusReason);
    for (int i = 1; i <= 26; ++i) {
      QTest::keyClick(characters, Qt::Key_Down);
      QCOMPARE(value(0)->text(), QString::number(i));
    }
    QVERIFY(value(0)->isReadOnly());
  }
};

QTEST_MAIN(NumberBoxesTest)
#include "NumberBoxesTest.moc"
