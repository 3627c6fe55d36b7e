// The character commands through the real window: the three presets, copy,
// paste and "取り消し", the enabled states of the Edit items across the
// events that change them, and the records saved.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/EditingSupport.h"

using namespace zovek;
using namespace zovek::guitest;
namespace layout = savegen::layout;

namespace {

// Record offsets the character walk moves as they are; 64 (martial flag) and
// 65 follow their own store rule, the joined flag lives outside the record.
const std::vector<std::size_t>& CopiedOffsets() {
  static const std::vector<std::size_t> offsets = [] {
    std::vector<std::size_t> list = {0, 1, 2, 4, 5, 6, 7, 8, 9, 12, 13, 16, 17, 86};
    for (std::size_t r = 21; r <= 26; ++r) list.push_back(r);
    for (std::size_t r = 28; r <= 33; ++r) list.push_back(r);
    for (std::size_t r = 52; r <= 63; ++r) list.push_back(r);
    return list;
  }();
  return offsets;
}

bool Unwalked(std::size_t r) {
  return r == 3 || r == 10 || r == 11 || r == 14 || r == 15 || (r >= 18 && r <= 20) || r == 27 ||
         (r >= 34 && r <= 51) || (r >= 66 && r <= 85) || r >= 87;
}

// Save 3: character 3 joined, martial arts on (34, then 255), CR 5000;
// character 5 not joined, martial arts off with 0 after it, CR 70.
SaveBuffer Save3() {
  SaveBuffer region = savegen::DemoRegion(3);
  savegen::PutNumber(region, RecordIndex(3, layout::kCr), 3, 5000);
  savegen::PutNumber(region, RecordIndex(5, layout::kCr), 3, 70);
  savegen::SetJoined(region, 3, true);
  savegen::SetJoined(region, 5, false);
  region[RecordIndex(3, layout::kMartial)] = 34;
  region[RecordIndex(3, layout::kMartial + 1)] = 255;
  region[RecordIndex(5, layout::kMartial)] = 0;
  region[RecordIndex(5, layout::kMartial + 1)] = 0;
  savegen::PutNumber(region, RecordIndex(5, layout::kHp), 2, 777);
  savegen::PutNumber(region, RecordIndex(3, layout::kHp), 2, 333);
  return region;
}

}  // namespace

class CharacterCommandsTest : public WindowTest {
  Q_OBJECT

 private:
  QString file_;

  FlexGrid* grid(int g) { return get<FlexGrid>(QStringLiteral("Fgrid(%1)").arg(g)); }
  QCheckBox* aptitude(int k) { return get<QCheckBox>(QStringLiteral("chkSitu(%1)").arg(k)); }
  bool enabled(const char* item) { return get<QAction>(QString::fromLatin1(item))->isEnabled(); }
  // The enabled states of copy, paste and "取り消し", in that order.
  QList<bool> editItems() { return {enabled("mnuCharaCopy"), enabled("mnuCharaPaste"), enabled("mnuCharaRtn")}; }
  void openCard(const SaveBuffer& save3 = Save3(), const QString& name = QStringLiteral("card.mcr")) {
    file_ = WriteTwoSaveCard(files_->filePath(name), save3, savegen::DemoRegion(7));
    OpenThroughMenu(*window_, file_);
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});
  }
  void chooseCharacter(int index) {
    auto* characters = get<QComboBox>(QStringLiteral("cmbChara"));
    characters->setFocus(Qt::MouseFocusReason);
    while (characters->currentIndex() < index) QTest::keyClick(characters, Qt::Key_Down);
    while (characters->currentIndex() > index) QTest::keyClick(characters, Qt::Key_Up);
    QCOMPARE(window_->Session().State().CharacterBase, std::int16_t(112 * index));
  }
  // Everything the character view shows: both grids' editable columns and the aptitudes.
  QStringList characterView() {
    QStringList shown;
    for (int r = 1; r <= 24; ++r) shown << grid(0)->text(r, 1);
    for (int r = 1; r <= 6; ++r) shown << grid(1)->text(r, 1) << grid(1)->text(r, 2) << grid(1)->text(r, 3);
    for (int k = 0; k < 12; ++k) shown << (aptitude(k)->isChecked() ? QStringLiteral("x") : QStringLiteral("."));
    return shown;
  }
  void clickPreset(int i) {
    QTest::mouseClick(get<QPushButton>(QStringLiteral("cmdChara(%1)").arg(i)), Qt::LeftButton);
  }
  SaveBuffer saved() { return RegionIn(ReadFile(file_), RegionOffset(kSave3Block)); }

 private Q_SLOTS:
  void init() {
    openWindow(true);
  }
  void cleanup() {
    VerifyNoErrorShown();
    closeWindow();
  }

  void presetsFillTheViewAndASaveStoresThem() {
    openCard();
    chooseCharacter(2);
    const QStringList before = characterView();
    const SaveBuffer original = saved();

    clickPreset(1);  // 能力最強
    for (int r = 5; r <= 24; ++r) {
      const char* expected = r <= 6 ? "65535" : r <= 12 ? "255" : "127";
      QCOMPARE(grid(0)->text(r, 1), QString::fromLatin1(expected));
    }
    for (int k = 0; k < 12; ++k) QVERIFY(aptitude(k)->isChecked());
    const QStringList after = characterView();
    QCOMPARE(after.mid(0, 4), before.mid(0, 4));     // age, joined, martial, CR
    QCOMPARE(after.mid(24, 18), before.mid(24, 18));  // equipment
    QCOMPARE(window_->Buffer(), original);            // the values wait in the view

    SaveThroughMenu(*window_, QMessageBox::Yes);
    SaveBuffer region = saved();
    QCOMPARE(Number(region, RecordIndex(2, layout::kHp), 2), 65535u);
    QCOMPARE(Number(region, RecordIndex(2, layout::kMaxHp), 2), 65535u);
    for (std::size_t r : {layout::kLp, layout::kMaxLp, layout::kWp, layout::kMaxWp, layout::kJp, layout::kMaxJp}) {
      QCOMPARE(region[RecordIndex(2, r)], std::uint8_t{255});
    }
    for (int skill = 0; skill < 12; ++skill) {
      QCOMPARE(region[RecordIndex(2, layout::SkillOffset(skill))], std::uint8_t{255});  // 127 + aptitude
    }
    for (std::size_t r : {layout::kAge, std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{52}, std::size_t{63}}) {
      QCOMPARE(region[RecordIndex(2, r)], original[RecordIndex(2, r)]);
    }

    clickPreset(2);  // 能力最弱
    for (int r = 5; r <= 24; ++r) QCOMPARE(grid(0)->text(r, 1), QStringLiteral("1"));
    for (int k = 0; k < 12; ++k) QVERIFY(!aptitude(k)->isChecked());
    QCOMPARE(characterView().mid(0, 4), before.mid(0, 4));
    SaveThroughMenu(*window_, QMessageBox::Yes);
    region = saved();
    QCOMPARE(Number(region, RecordIndex(2, layout::kHp), 2), 1u);
    for (int skill = 0; skill < 12; ++skill) QCOMPARE(region[RecordIndex(2, layout::SkillOffset(skill))], std::uint8_t{1});

    clickPreset(0);  // 能力推奨
    for (int r = 5; r <= 24; ++r) {
      const char* expected = r <= 6 ? "999" : r <= 8 ? "99" : r <= 12 ? "230" : "99";
      QCOMPARE(grid(0)->text(r, 1), QString::fromLatin1(expected));
    }
    for (int k = 0; k < 12; ++k) QVERIFY(aptitude(k)->isChecked());
    SaveThroughMenu(*window_, QMessageBox::Yes);
    region = saved();
    QCOMPARE(Number(region, RecordIndex(2, layout::kMaxHp), 2), 999u);
    QCOMPARE(region[RecordIndex(2, layout::kMaxLp)], std::uint8_t{99});
    QCOMPARE(region[RecordIndex(2, layout::kJp)], std::uint8_t{230});
    for (int skill = 0; skill < 12; ++skill) QCOMPARE(region[RecordIndex(2, layout::SkillOffset(skill))], std::uint8_t{99 + 128});
    // Only character 2's record and the checksum changed in the whole region.
    for (std::size_t i = 0; i < region.size(); ++i) {
      if (i == 1 || (i >= RecordIndex(2, 0) && i < RecordIndex(3, 0))) continue;
      QVERIFY2(region[i] == original[i] || i == 32 || (i >= 964 && i <= 967) || (i >= 1005 && i <= 1007) ||
                   (i >= 4600 && i <= 4602) || i == 4664 || i == 4665,
               qPrintable(QStringLiteral("byte %1 changed").arg(i)));
    }
  }

  void copySwitchPasteSave() {
    openCard();
    const SaveBuffer original = saved();
    chooseCharacter(3);
    const QStringList three = characterView();
    Choose(*window_, QStringLiteral("mnuCharaCopy"));
    QCOMPARE(window_->Session().State().CopySource, std::int16_t{336});
    QVERIFY(get<QTabWidget>(QStringLiteral("SSTab"))->hasFocus());

    chooseCharacter(5);
    QVERIFY(characterView() != three);
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    QCOMPARE(characterView(), three);  // the joined flag of row 2 included
    QCOMPARE(get<QComboBox>(QStringLiteral("cmbChara"))->currentIndex(), 5);
    QCOMPARE(window_->Session().State().CharacterBase, std::int16_t{560});
    QCOMPARE(saved(), original);

    SaveThroughMenu(*window_, QMessageBox::Yes);
    const SaveBuffer region = saved();
    for (std::size_t r : CopiedOffsets()) {
      QVERIFY2(region[RecordIndex(5, r)] == original[RecordIndex(3, r)], qPrintable(QStringLiteral("offset %1").arg(r)));
    }
    QCOMPARE(region[RecordIndex(5, layout::kMartial)], std::uint8_t{79});  // turned on over a 0 byte
    QCOMPARE(region[RecordIndex(5, layout::kMartial + 1)], std::uint8_t{255});
    QVERIFY(savegen::HasJoined(region, 5));
    for (std::size_t r = 0; r < layout::kRecordSize; ++r) {
      if (Unwalked(r)) QCOMPARE(region[RecordIndex(5, r)], original[RecordIndex(5, r)]);
      QCOMPARE(region[RecordIndex(3, r)], original[RecordIndex(3, r)]);
    }
  }

  void pasteThenUndoLeavesTheBufferUntouched() {
    openCard();
    chooseCharacter(3);
    Choose(*window_, QStringLiteral("mnuCharaCopy"));
    chooseCharacter(5);
    const QStringList five = characterView();
    const SaveBuffer buffer = window_->Buffer();
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    QVERIFY(characterView() != five);
    QCOMPARE(window_->Buffer(), buffer);
    Choose(*window_, QStringLiteral("mnuCharaRtn"));
    QCOMPARE(characterView(), five);
    QCOMPARE(window_->Buffer(), buffer);
    QVERIFY(!enabled("mnuCharaRtn"));

    // "取り消し" also takes back presets and grid edits made since the last store.
    clickPreset(1);
    EditCell(grid(1), 2, 1, QStringLiteral("200"));
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    Choose(*window_, QStringLiteral("mnuCharaRtn"));
    QCOMPARE(characterView(), five);
    QCOMPARE(window_->Buffer(), buffer);
  }

  void theCopyIncludesLaterEditsOfTheCopiedCharacter() {
    openCard();
    chooseCharacter(3);
    Choose(*window_, QStringLiteral("mnuCharaCopy"));
    EditCell(grid(0), 5, 1, QStringLiteral("4444"));
    chooseCharacter(5);  // stores character 3
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    QCOMPARE(grid(0)->text(5, 1), QStringLiteral("4444"));
    // Pasting and then switching stores the pasted values into character 5.
    chooseCharacter(6);
    QVERIFY(!enabled("mnuCharaRtn"));
    QCOMPARE(Number(window_->Buffer(), RecordIndex(5, layout::kHp), 2), 4444u);
    QCOMPARE(Number(window_->Buffer(), RecordIndex(3, layout::kHp), 2), 4444u);
  }

  void pasteOntoItselfShowsTheStoredRecord() {
    openCard();
    chooseCharacter(3);
    Choose(*window_, QStringLiteral("mnuCharaCopy"));
    EditCell(grid(0), 5, 1, QStringLiteral("1111"));
    clickPreset(2);
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    QCOMPARE(grid(0)->text(5, 1), QStringLiteral("333"));
    QVERIFY(aptitude(0)->isChecked() == ((Save3()[RecordIndex(3, layout::SkillOffset(0))] & 128) != 0));
    QVERIFY(enabled("mnuCharaRtn"));
  }

  // The Edit menu's keys run their commands while the cell editor has the
  // keyboard (each commits the edit first), and a key whose item is disabled
  // leaves the box alone. With X11 key bindings a line edit takes Ctrl+U to
  // clear the line; this case runs on that platform too (CMakeLists.txt).
  void editMenuKeysWorkWhileTheCellEditorHasTheKeyboard() {
    openCard();
    chooseCharacter(3);
    auto* flex = get<TextBox>(QStringLiteral("txtFlex"));
    DoubleClickCell(grid(0), 5, 1);
    TypeKeys(QStringLiteral("4444"));
    PressKey(Qt::Key_R, Qt::ControlModifier);  // ｷｬﾗﾃﾞｰﾀｺﾋﾟｰ
    QVERIFY(!flex->isVisible());
    QCOMPARE(grid(0)->text(5, 1), QStringLiteral("4444"));
    QVERIFY(enabled("mnuCharaPaste"));

    chooseCharacter(5);
    const QStringList five = characterView();
    DoubleClickCell(grid(0), 6, 1);
    TypeKeys(QStringLiteral("77"));
    PressKey(Qt::Key_W, Qt::ControlModifier);  // ｷｬﾗﾃﾞｰﾀ貼り付け
    QCOMPARE(grid(0)->text(5, 1), QStringLiteral("4444"));
    QVERIFY(enabled("mnuCharaRtn"));

    DoubleClickCell(grid(0), 7, 1);
    TypeKeys(QStringLiteral("12"));
    PressKey(Qt::Key_U, Qt::ControlModifier);  // 取り消し
    QCOMPARE(characterView(), five);
    QVERIFY(!enabled("mnuCharaRtn"));

    DoubleClickCell(grid(0), 7, 1);
    TypeKeys(QStringLiteral("12"));
    PressKey(Qt::Key_U, Qt::ControlModifier);  // disabled now
    QVERIFY(flex->isVisible());
    QCOMPARE(flex->text(), QStringLiteral("12"));
    PressKey(Qt::Key_Return);
    QCOMPARE(grid(0)->text(7, 1), QStringLiteral("12"));
  }

  void editItemsFollowTheirEvents() {
    QCOMPARE(editItems(), (QList<bool>{false, false, false}));  // window reset
    openCard();
    QCOMPARE(editItems(), (QList<bool>{true, false, false}));  // open
    Choose(*window_, QStringLiteral("mnuCharaPaste"));          // disabled: nothing happens
    QCOMPARE(window_->Session().State().CopySource, std::int16_t{-1});

    chooseCharacter(3);
    PressKey(Qt::Key_R, Qt::ControlModifier);  // the shortcuts of the items
    QCOMPARE(window_->Session().State().CopySource, std::int16_t{336});
    QCOMPARE(editItems(), (QList<bool>{true, true, false}));
    chooseCharacter(4);
    PressKey(Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(editItems(), (QList<bool>{true, true, true}));
    QCOMPARE(grid(0)->text(5, 1), QStringLiteral("333"));
    PressKey(Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(editItems(), (QList<bool>{true, true, false}));
    QVERIFY(grid(0)->text(5, 1) != QStringLiteral("333"));

    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    QCOMPARE(editItems(), (QList<bool>{true, true, true}));
    chooseCharacter(6);  // character switch
    QCOMPARE(editItems(), (QList<bool>{true, true, false}));
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    Choose(*window_, QStringLiteral("mnuCharaCopy"));  // copy
    QCOMPARE(editItems(), (QList<bool>{true, true, false}));
    QCOMPARE(window_->Session().State().CopySource, std::int16_t{672});

    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    Choose(*window_, QStringLiteral("mnuSelSave(3)"));  // the save already loaded: nothing at all
    QCOMPARE(editItems(), (QList<bool>{true, true, true}));
    Choose(*window_, QStringLiteral("mnuSelSave(7)"));  // save switch
    QCOMPARE(editItems(), (QList<bool>{true, false, false}));
    QCOMPARE(window_->Session().State().CopySource, std::int16_t{-1});
    Choose(*window_, QStringLiteral("mnuSelSave(3)"));
    QCOMPARE(editItems(), (QList<bool>{true, false, false}));

    // Opening another file keeps the copy (it names a character index) and
    // leaves paste and "取り消し" as they were; the paste then takes that
    // character's record from the new save.
    chooseCharacter(3);
    Choose(*window_, QStringLiteral("mnuCharaCopy"));
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    SaveBuffer other = Save3();
    savegen::PutNumber(other, RecordIndex(3, layout::kHp), 2, 2345);
    openCard(other, QStringLiteral("other.mcr"));
    QCOMPARE(editItems(), (QList<bool>{true, true, true}));
    QCOMPARE(window_->Session().State().CopySource, std::int16_t{336});
    chooseCharacter(0);
    Choose(*window_, QStringLiteral("mnuCharaPaste"));
    QCOMPARE(grid(0)->text(5, 1), QStringLiteral("2345"));

    // A refused file resets them all.
    const QString refused = files_->filePath(QStringLiteral("short.mcr"));
    WriteFile(refused, Bytes(100, 0));
    OpenThroughMenu(*window_, refused);
    QCOMPARE(LastMessage().text, QStringLiteral("このファイルは対応していません。"));
    Dialogs::clearRecord();
    QCOMPARE(editItems(), (QList<bool>{false, false, false}));
    QCOMPARE(window_->Session().State().CopySource, std::int16_t{-1});
  }
};

QTEST_MAIN(CharacterCommandsTest)
#include "CharacterCommandsTest.moc"
