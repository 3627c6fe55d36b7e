// The file commands through the real window: open, switch save, save, every
// refusal and file error, checked against the bytes of the files on disk.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "savedata/Walks.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/FlexGrid.h"
#include "ui/GuiTestSupport.h"
#include "ui/ProgramData.h"
#include "ui/TextBox.h"

using namespace zovek;
using namespace zovek::guitest;
using savegen::CardImage;
using savegen::DigitForSave;
using savegen::SingleSave;

namespace {

std::uint64_t CardRegion(int block) { return CardImage::RegionOffset(block); }

// A region in which every shown field already holds what a store writes
// back, so that saving it unchanged changes no byte at all.
SaveBuffer SettledRegion(std::uint8_t protagonist) {
  SaveBuffer region{};
  for (std::size_t i = 36; i <= 43; ++i) region[i] = 255;  // empty party slots
  region[33] = protagonist;
  savegen::ApplyChecksum(region, savegen::ChecksumMode::Correct);
  return region;
}

// File positions a save without edits may change inside the region at `base`:
// the checksum, the party count, the play time, the chips, and the clamps and
// the martial-arts byte of the character shown (entry 0).
bool MayNormalise(std::uint64_t regionIndex) {
  const std::uint64_t i = regionIndex;
  return i == 1 || i == 32 || (i >= 964 && i <= 967) || (i >= 1005 && i <= 1007) || (i >= 4600 && i <= 4602) ||
         i == 4664 || i == 4665;
}

bool ChecksumRight(const Bytes& file, std::uint64_t base) {
  SaveBuffer region{};
  std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(base), region.size(), region.begin());
  return savegen::RegionChecksum(region) == region[1];
}

}  // namespace

class FileCommandsTest : public WindowTest {
  Q_OBJECT

 private:
  void showTab(int index) {
    get<QTabWidget>(QStringLiteral("SSTab"))->setCurrentIndex(index);
    QCoreApplication::processEvents();
  }
  bool checked(int s) { return get<QAction>(QStringLiteral("mnuSelSave(%1)").arg(s))->isChecked(); }
  QList<int> checkedSaves() {
    QList<int> marks;
    for (int s = 1; s <= 15; ++s) if (checked(s)) marks << s;
    return marks;
  }
  QList<int> enabledSaves() {
    QList<int> items;
    for (int s = 1; s <= 15; ++s) if (get<QAction>(QStringLiteral("mnuSelSave(%1)").arg(s))->isEnabled()) items << s;
    return items;
  }
  void verifyErrorMessage(const QString& text) {
    const ShownMessage shown = LastMessage();
    QCOMPARE(shown.title, QStringLiteral("Error"));
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.icon, QMessageBox::Information);
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  }
  QString writeTwoSaveCard(const QString& name) {
    WriteFile(path(name), TwoSavesAndAnotherGame());
    return path(name);
  }

 private Q_SLOTS:
  void init() {
    openWindow(false);
  }
  void cleanup() {
    closeWindow();
  }

  void startsWithNoFile() { VerifyResetState(*window_, true); }

  void settledCardSavedUnchangedIsByteIdentical() {
    CardImage card(5);
    card.GameSave(5, DigitForSave(2), SettledRegion(12)).GameSave(12, DigitForSave(9), SettledRegion(40));
    const QString file = path(QStringLiteral("settled.mcr"));
    WriteFile(file, card.bytes());
    OpenThroughMenu(*window_, file);
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{2});
    QCOMPARE(checkedSaves(), QList<int>{2});
    QCOMPARE(enabledSaves(), (QList<int>{2, 9}));
    QCOMPARE(get<TextBox>(QStringLiteral("txtValue(1)"))->text(), QStringLiteral("12"));
    QVERIFY(QFile::exists(WorkingCopyPath()));

    SaveThroughMenu(*window_, QMessageBox::Yes);
    QCOMPARE(LastMessage().title, QStringLiteral("保存確認"));
    QCOMPARE(ReadFile(file), card.bytes());
  }

  void demoCardEverySaveSavedWithoutEdits() {
    const QString file = path(QStringLiteral("demo.mcr"));
    QVERIFY(QFile::copy(QStringLiteral(ZOVEK_EXAMPLES_DIR "/demo.mcr"), file));
    const Bytes original = ReadFile(file);
    OpenThroughMenu(*window_, file);
    QCOMPARE(enabledSaves(), (QList<int>{1, 3, 12}));
    const QList<QPair<int, int>> saves = {{1, 2}, {3, 6}, {12, 11}};  // save number, block
    for (const auto& [save, block] : saves) {
      Choose(*window_, QStringLiteral("mnuSelSave(%1)").arg(save));
      QCOMPARE(window_->Session().State().SelectedSave, std::int16_t(save));
      SaveThroughMenu(*window_, QMessageBox::Yes);
      QCOMPARE(LastMessage().text, QStringLiteral("セーブデータ No. %1 を更新します。\r\nよろしいですか？").arg(save));
    }
    const Bytes saved = ReadFile(file);
    QCOMPARE(saved.size(), original.size());
    QList<std::uint64_t> bases;
    for (const auto& [save, block] : saves) bases << CardRegion(block);
    for (std::uint64_t i = 0; i < saved.size(); ++i) {
      if (saved[i] == original[i]) continue;
      bool allowed = false;
      for (std::uint64_t base : bases) {
        allowed = allowed || (i >= base && i < base + kDataRegionSize && MayNormalise(i - base));
      }
      QVERIFY2(allowed, qPrintable(QStringLiteral("byte %1 changed").arg(i)));
    }
    for (std::uint64_t base : bases) QVERIFY(ChecksumRight(saved, base));
    // A second round changes nothing more.
    for (const auto& [save, block] : saves) {
      Choose(*window_, QStringLiteral("mnuSelSave(%1)").arg(save));
      SaveThroughMenu(*window_, QMessageBox::Yes);
    }
    QCOMPARE(ReadFile(file), saved);
  }

  void switchingSavesKeepsEditsUntilSaved() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    const Bytes original = ReadFile(file);
    OpenThroughMenu(*window_, file);
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{3});
    const QString code7 = QString::number(savegen::DemoRegion(7)[33]);

    showTab(2);
    auto* protagonist = get<TextBox>(QStringLiteral("txtValue(1)"));
    TypeInto(protagonist, QStringLiteral("77"));
    QCOMPARE(protagonist->text(), QStringLiteral("77"));
    auto* roles = get<QListWidget>(QStringLiteral("lstRoll"));
    const Qt::CheckState role0 = roles->item(0)->checkState();
    roles->setFocus();
    roles->setCurrentRow(0);
    QTest::keyClick(roles, Qt::Key_Space);
    QVERIFY(roles->item(0)->checkState() != role0);

    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{7});
    QCOMPARE(checkedSaves(), QList<int>{7});
    QCOMPARE(protagonist->text(), code7);
    QCOMPARE(ReadFile(file), original);  // nothing saved yet
    const Bytes working = ReadFile(WorkingCopyPath());
    QCOMPARE(working[CardRegion(2) + 33], std::uint8_t{77});
    QCOMPARE((working[CardRegion(2) + 976] & 1) != 0, role0 != Qt::Checked);

    Choose(*window_, QStringLiteral("mnuSelSave(3)"));
    QCOMPARE(protagonist->text(), QStringLiteral("77"));
    QVERIFY(roles->item(0)->checkState() != role0);
    QCOMPARE(ReadFile(file), original);

    SaveThroughMenu(*window_, QMessageBox::Yes);
    QCOMPARE(LastMessage().text, QStringLiteral("セーブデータ No. 3 を更新します。\r\nよろしいですか？"));
    const Bytes saved = ReadFile(file);
    QCOMPARE(saved[CardRegion(2) + 33], std::uint8_t{77});
    QVERIFY(ChecksumRight(saved, CardRegion(2)));
    // Only save 3's region changed.
    for (std::uint64_t i = 0; i < saved.size(); ++i) {
      if (i < CardRegion(2) || i >= CardRegion(2) + kDataRegionSize) {
        QVERIFY2(saved[i] == original[i], qPrintable(QStringLiteral("byte %1 changed").arg(i)));
      }
    }
  }

  void choosingTheLoadedSaveDoesNothing() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    showTab(2);
    TypeInto(get<TextBox>(QStringLiteral("txtValue(1)")), QStringLiteral("55"));
    const Bytes working = ReadFile(WorkingCopyPath());
    Choose(*window_, QStringLiteral("mnuSelSave(3)"));
    QCOMPARE(checkedSaves(), QList<int>{3});
    QCOMPARE(get<TextBox>(QStringLiteral("txtValue(1)"))->text(), QStringLiteral("55"));
    QCOMPARE(ReadFile(WorkingCopyPath()), working);  // no store, no write
  }

  void selectionHandlersStoreWhatIsLeft() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);

    // Character: an edited HP of character 0 is stored when character 1 is chosen.
    auto* grid = get<FlexGrid>(QStringLiteral("Fgrid(0)"));
    grid->setText(5, 1, QStringLiteral("777"));
    auto* characters = get<QComboBox>(QStringLiteral("cmbChara"));
    characters->setFocus();
    QTest::keyClick(characters, Qt::Key_Down);
    QCOMPARE(characters->currentIndex(), 1);
    QCOMPARE(window_->Session().State().CharacterBase, std::int16_t{112});
    QCOMPARE(get<TextBox>(QStringLiteral("txtValue(0)"))->text(), QStringLiteral("1"));
    QCOMPARE(window_->Buffer()[4604] + 256 * window_->Buffer()[4605], 777);

    // Scenario entry: the option chosen for entry 5 is stored when entry 6 is chosen.
    showTab(1);
    auto* entries = get<QListWidget>(QStringLiteral("lstEvt"));
    QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, entries->visualItemRect(entries->item(5)).center());
    QCOMPARE(window_->Session().State().CurrentScenarioEntry, std::int16_t{5});
    QTest::mouseClick(get<QRadioButton>(QStringLiteral("optEvt(3)")), Qt::LeftButton);
    // Tab enters the option group at the option that is on, the arrows move
    // within it and turn the option they reach on, and Tab leaves the group.
    get<QPushButton>(QStringLiteral("cmdSelwaza(1)"))->setFocus();
    for (const auto& [key, name] : {std::pair{Qt::Key_Tab, "optEvt(3)"}, {Qt::Key_Left, "optEvt(2)"},
                                    {Qt::Key_Right, "optEvt(3)"}, {Qt::Key_Tab, "lstEvt"}}) {
      QTest::keyClick(window_->focusWidget(), key);
      QCOMPARE(window_->focusWidget()->objectName(), QString::fromLatin1(name));
      if (key != Qt::Key_Tab) QVERIFY(get<QRadioButton>(QString::fromLatin1(name))->isChecked());
    }
    QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, entries->visualItemRect(entries->item(6)).center());
    QCOMPARE(window_->Buffer()[516 + kScenarioByteNumbers[5]], std::uint8_t{254});

    // Category: "全選択" on 剣術, then 斧術 chosen, stores every 剣術 flag.
    auto* categories = get<QComboBox>(QStringLiteral("cmbWaza"));
    categories->setFocus();
    QTest::keyClick(categories, Qt::Key_Down);
    QCOMPARE(window_->Session().State().SelectedCategory, std::int16_t{1});
    QCOMPARE(get<QListWidget>(QStringLiteral("lstWaza"))->count(), 24);
    QTest::mouseClick(get<QPushButton>(QStringLiteral("cmdSelwaza(0)")), Qt::LeftButton);
    QTest::keyClick(categories, Qt::Key_Down);
    QCOMPARE(get<QListWidget>(QStringLiteral("lstWaza"))->count(), 16);
    for (int row = 0; row < kTechniqueRowCounts[1]; ++row) {
      const TechniqueBit flag = TechniqueFlag(1, row);
      QVERIFY((window_->Buffer()[flag.byteIndex] >> flag.bit) & 1);
    }
    // "全解除" clears the marks of the list shown and nothing else yet.
    QTest::mouseClick(get<QPushButton>(QStringLiteral("cmdSelwaza(1)")), Qt::LeftButton);
    auto* lstWaza = get<QListWidget>(QStringLiteral("lstWaza"));
    for (int i = 0; i < lstWaza->count(); ++i) QCOMPARE(lstWaza->item(i)->checkState(), Qt::Unchecked);

    // Roles: "全選択" then save stores 255, 255, 252 | kept bits, 237 | kept bits.
    showTab(2);
    QTest::mouseClick(get<QPushButton>(QStringLiteral("cmdSelroll(0)")), Qt::LeftButton);
    auto* roles = get<QListWidget>(QStringLiteral("lstRoll"));
    for (int i = 0; i < roles->count(); ++i) QCOMPARE(roles->item(i)->checkState(), Qt::Checked);
    const SaveBuffer before = window_->Buffer();
    SaveThroughMenu(*window_, QMessageBox::Yes);
    const Bytes saved = ReadFile(file);
    const std::uint64_t base = CardRegion(2);
    QCOMPARE(saved[base + 976], std::uint8_t{255});
    QCOMPARE(saved[base + 977], std::uint8_t{255});
    QCOMPARE(saved[base + 978], std::uint8_t(252 | (before[978] & 3)));
    QCOMPARE(saved[base + 979], std::uint8_t(237 | (before[979] & 18)));
    QCOMPARE(saved[base + 516 + kScenarioByteNumbers[5]], std::uint8_t{254});
    QCOMPARE(saved[base + 4604] + 256 * saved[base + 4605], 777);
    QTest::mouseClick(get<QPushButton>(QStringLiteral("cmdSelroll(1)")), Qt::LeftButton);
    for (int i = 0; i < roles->count(); ++i) QCOMPARE(roles->item(i)->checkState(), Qt::Unchecked);
  }

  void answeringNoWritesNothing() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    const Bytes original = ReadFile(file);
    OpenThroughMenu(*window_, file);
    showTab(2);
    TypeInto(get<TextBox>(QStringLiteral("txtValue(1)")), QStringLiteral("99"));
    const SaveBuffer buffer = window_->Buffer();
    SaveThroughMenu(*window_, QMessageBox::No);
    const ShownMessage asked = LastMessage();
    QCOMPARE(asked.title, QStringLiteral("保存確認"));
    QCOMPARE(asked.text, QStringLiteral("セーブデータ No. 3 を更新します。\r\nよろしいですか？"));
    QCOMPARE(asked.icon, QMessageBox::Question);
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(Dialogs::displayedText(asked.text), QStringLiteral("セーブデータ No. 3 を更新します。\nよろしいですか？"));
    QCOMPARE(ReadFile(file), original);
    QCOMPARE(window_->Buffer(), buffer);
    QVERIFY(get<QTabWidget>(QStringLiteral("SSTab"))->hasFocus());
  }

  void refusedFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    const QString unsupported = QStringLiteral("このファイルは対応していません。");
    const QString noSave = QStringLiteral("Zovekのセーブデータがありません。");
    QTest::newRow("131073 bytes") << "131073" << unsupported;
    QTest::newRow("131071 bytes") << "131071" << unsupported;
    QTest::newRow("8319 bytes") << "8319" << unsupported;
    QTest::newRow("8321 bytes") << "8321" << unsupported;
    QTest::newRow("empty") << "0" << unsupported;
    QTest::newRow("card of another game") << "other-card" << noSave;
    QTest::newRow("card code in frame 0 only") << "frame0-card" << noSave;
    QTest::newRow("single with digit F") << "single-F" << noSave;
  }

  void refusedFiles() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    // First a good file, with choices away from their reset values.
    const QString good = writeTwoSaveCard(QStringLiteral("good.mcr"));
    OpenThroughMenu(*window_, good);
    get<QComboBox>(QStringLiteral("cmbChara"))->setCurrentIndex(5);
    get<QComboBox>(QStringLiteral("cmbWaza"))->setCurrentIndex(3);
    get<QListWidget>(QStringLiteral("lstEvt"))->setCurrentRow(10);
    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    showTab(1);

    Bytes bytes;
    bool scanned = true;
    bool ok = false;
    const int length = kind.toInt(&ok);
    if (ok) {
      bytes.assign(static_cast<std::size_t>(length), 0x5A);
      scanned = false;
    } else if (kind == QStringLiteral("other-card")) {
      CardImage card(3);
      card.OtherGameSave(1, "QUILB", DigitForSave(1), 4);
      bytes = card.bytes();
    } else if (kind == QStringLiteral("frame0-card")) {
      CardImage card(3);
      card.Frame(0, "ZOVEK", DigitForSave(1));
      bytes = card.bytes();
    } else {
      SingleSave single(3);
      single.GameSave('F', savegen::DemoRegion(1));
      bytes = single.bytes();
    }
    const QString refused = path(QStringLiteral("refused.bin"));
    WriteFile(refused, bytes);
    OpenThroughMenu(*window_, refused);

    verifyErrorMessage(message);
    VerifyResetState(*window_, false);
    QCOMPARE(get<QTabWidget>(QStringLiteral("SSTab"))->currentIndex(), 1);  // the tab stays
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), refused);
    // A refused length leaves the save items of the previous file enabled;
    // a scan that found nothing has disabled them all.
    QCOMPARE(enabledSaves(), scanned ? QList<int>{} : (QList<int>{3, 7}));
    QCOMPARE(ReadFile(refused), bytes);
  }

  void readOnlyCardImageIsSaved() {
    const QString file = writeTwoSaveCard(QStringLiteral("locked.mcr"));
    QVERIFY(SetReadOnly(file, true));
    // A read-only working copy left behind is overwritten too.
    WriteFile(WorkingCopyPath(), Bytes(10, 1));
    QVERIFY(SetReadOnly(WorkingCopyPath(), true));
    OpenThroughMenu(*window_, file);
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});
    QCOMPARE(ReadFile(WorkingCopyPath()), ReadFile(file));
    showTab(2);
    TypeInto(get<TextBox>(QStringLiteral("txtValue(1)")), QStringLiteral("42"));
    SaveThroughMenu(*window_, QMessageBox::Yes);
    QCOMPARE(LastMessage().title, QStringLiteral("保存確認"));
    QCOMPARE(ReadFile(file)[CardRegion(2) + 33], std::uint8_t{42});
  }

  void singleSaveOpenedSwitchedAndSaved() {
    SingleSave single(8);
    single.GameSave(DigitForSave(5), savegen::DemoRegion(5));
    const QString file = path(QStringLiteral("one.ps"));
    WriteFile(file, single.bytes());
    OpenThroughMenu(*window_, file);
    QCOMPARE(window_->Session().State().FileKind, FileKind{2});
    QCOMPARE(enabledSaves(), QList<int>{5});
    QCOMPARE(checkedSaves(), QList<int>{5});
    QVERIFY(!QFile::exists(WorkingCopyPath()));  // a single save gets no working copy
    Choose(*window_, QStringLiteral("mnuSelSave(5)"));
    QCOMPARE(checkedSaves(), QList<int>{5});

    showTab(2);
    TypeInto(get<TextBox>(QStringLiteral("txtValue(1)")), QStringLiteral("21"));
    SaveThroughMenu(*window_, QMessageBox::Yes);
    QCOMPARE(LastMessage().text, QStringLiteral("セーブデータ No. 5 を更新します。\r\nよろしいですか？"));
    const Bytes saved = ReadFile(file);
    QCOMPARE(saved[512 + 33], std::uint8_t{21});
    QVERIFY(ChecksumRight(saved, 512));
    for (std::size_t i = 0; i < 512; ++i) QCOMPARE(saved[i], single.bytes()[i]);
  }

  void readOnlySingleSaveIsRefused() {
    SingleSave single(8);
    single.GameSave(DigitForSave(5), savegen::DemoRegion(5));
    const QString file = path(QStringLiteral("locked.ps"));
    WriteFile(file, single.bytes());
    QVERIFY(SetReadOnly(file, true));
    OpenThroughMenu(*window_, file);
    showTab(2);
    TypeInto(get<TextBox>(QStringLiteral("txtValue(1)")), QStringLiteral("21"));
    SaveThroughMenu(*window_, QMessageBox::Yes);
    verifyErrorMessage(QStringLiteral("ファイル書き込みエラー (13)"));  // access denied
    QCOMPARE(ReadFile(file), single.bytes());
    QCOMPARE(window_->Session().State().FileKind, FileKind{2});  // still loaded; saving can be tried again
    QVERIFY(get<QAction>(QStringLiteral("mnuFileSave"))->isEnabled());
  }

  void readErrorDuringOpenResetsTheWindow() {
    const QString good = writeTwoSaveCard(QStringLiteral("good.mcr"));
    OpenThroughMenu(*window_, good);
    // The working copy can't be made: a directory stands in its place.
    QVERIFY(QFile::remove(WorkingCopyPath()));
    QVERIFY(QDir().mkpath(WorkingCopyPath() + QStringLiteral("/blocker")));
    const QString other = writeTwoSaveCard(QStringLiteral("other.mcr"));
    OpenThroughMenu(*window_, other);
    const ShownMessage shown = LastMessage();
    QCOMPARE(shown.title, QStringLiteral("Error"));
    QVERIFY2(shown.text.startsWith(QStringLiteral("ファイル読み込みエラー (")) && shown.text.endsWith(QLatin1Char(')')),
             qPrintable(shown.text));
    QVERIFY(shown.text != QStringLiteral("ファイル読み込みエラー (0)"));
    VerifyResetState(*window_, false);
    QVERIFY(!get<QAction>(QStringLiteral("mnuFileSave"))->isEnabled());
    QVERIFY(QDir(WorkingCopyPath()).removeRecursively());
  }

  void fileErrorDuringSwitchKeepsTheSaveLoaded() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    showTab(2);
    TypeInto(get<TextBox>(QStringLiteral("txtValue(1)")), QStringLiteral("66"));
    QVERIFY(QFile::remove(WorkingCopyPath()));
    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    const ShownMessage shown = LastMessage();
    QVERIFY2(shown.text.startsWith(QStringLiteral("ファイル書き込みエラー (")), qPrintable(shown.text));
    QCOMPARE(shown.title, QStringLiteral("Error"));
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{3});
    QCOMPARE(checkedSaves(), QList<int>{3});
    QCOMPARE(get<TextBox>(QStringLiteral("txtValue(1)"))->text(), QStringLiteral("66"));
    // The save still loaded can be saved.
    SaveThroughMenu(*window_, QMessageBox::Yes);
    QCOMPARE(ReadFile(file)[CardRegion(2) + 33], std::uint8_t{66});
  }

  void valueAFieldCannotHoldIsAWriteError() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    const Bytes original = ReadFile(file);
    OpenThroughMenu(*window_, file);
    // HP has two bytes; the view holds more than they can carry.
    window_->SetCellText(0, 5, 1, "70000");
    SaveThroughMenu(*window_, QMessageBox::Yes);
    verifyErrorMessage(QStringLiteral("ファイル書き込みエラー (9001)"));
    QCOMPARE(ReadFile(file), original);
    // Leaving the save with that value is refused the same way; save 3 stays.
    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    verifyErrorMessage(QStringLiteral("ファイル書き込みエラー (9001)"));
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{3});
    QCOMPARE(checkedSaves(), QList<int>{3});
    // So is leaving the character.
    get<QComboBox>(QStringLiteral("cmbChara"))->setCurrentIndex(4);
    verifyErrorMessage(QStringLiteral("ファイル書き込みエラー (9001)"));
    QCOMPARE(get<QComboBox>(QStringLiteral("cmbChara"))->currentIndex(), 0);
    QCOMPARE(window_->Session().State().CharacterBase, std::int16_t{0});
    QCOMPARE(get<TextBox>(QStringLiteral("txtValue(0)"))->text(), QStringLiteral("0"));
    // Once the value fits, the save goes through.
    window_->SetCellText(0, 5, 1, "600");
    SaveThroughMenu(*window_, QMessageBox::Yes);
    const Bytes saved = ReadFile(file);
    QCOMPARE(saved[CardRegion(2) + 4604] + 256 * saved[CardRegion(2) + 4605], 600);
  }

  void cancelledDialogChangesNothing() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    const SaveBuffer buffer = window_->Buffer();
    const QString chosen = FromFsPath(window_->Session().State().ChosenPath);
    Choose(*window_, QStringLiteral("mnuFileOpen"));  // the seam answers with no name
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), chosen);
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});
    QCOMPARE(window_->Buffer(), buffer);
    QVERIFY(get<QAction>(QStringLiteral("mnuFileSave"))->isEnabled());
    // The loaded save still goes back into the file it came from.
    window_->SetCellText(0, 5, 1, "321");
    SaveThroughMenu(*window_, QMessageBox::Yes);
    QVERIFY(Dialogs::shownMessages().isEmpty() ||
            Dialogs::shownMessages().last().title != QStringLiteral("Error"));
    const Bytes saved = ReadFile(file);
    QCOMPARE(saved[CardRegion(2) + 4604] + 256 * saved[CardRegion(2) + 4605], 321);
  }

  void openEnablesTheLoadedCommands() {
    OpenThroughMenu(*window_, writeTwoSaveCard(QStringLiteral("two.mcr")));
    for (const char* name : {"mnuFileSave", "mnuCharaCopy"}) {
      QVERIFY2(get<QAction>(QString::fromUtf8(name))->isEnabled(), name);
    }
    for (const char* name : {"mnuCharaPaste", "mnuCharaRtn"}) {
      QVERIFY2(!get<QAction>(QString::fromUtf8(name))->isEnabled(), name);
    }
    QStringList widgets = {"cmbChara", "cmbWaza", "cmdSelwaza(0)", "cmdSelwaza(1)", "cmdSelroll(0)", "cmdSelroll(1)",
                           "cmdChara(0)", "cmdChara(1)", "cmdChara(2)", "optEvt(0)", "optEvt(1)", "optEvt(2)", "optEvt(3)"};
    for (const QString& name : widgets) QVERIFY2(get<QWidget>(name)->isEnabled(), qPrintable(name));
  }
};

QTEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
