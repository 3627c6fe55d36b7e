// Another program writes the opened file while the window has it open: a save
// whose bytes changed on disk is not written over without the user's word,
// and a change to another save of the card is kept.

#include <QDir>
#include <QTest>

#include "savefile/Backups.h"
#include "savefile/OpenedFile.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/EditingSupport.h"
#include "ui/ProgramData.h"

using namespace zovek;
using namespace zovek::guitest;
namespace layout = savegen::layout;

namespace {

constexpr std::uint64_t kSingleRegion = savegen::SingleSave::kRegionOffset;

Bytes SingleSaveFile() {
  savegen::SingleSave single(21);
  single.GameSave(savegen::DigitForSave(4), savegen::DemoRegion(4));
  return single.bytes();
}

// What another program does: one byte of the region at `offset` changed in
// the file, nothing else.
Bytes ChangedBy(const QString& file, std::uint64_t offset, std::uint8_t value) {
  Bytes bytes = ReadFile(file);
  bytes[offset + layout::kProtagonist] = value;
  WriteFile(file, bytes);
  return bytes;
}

}  // namespace

class ChangedOnDiskTest : public WindowTest {
  Q_OBJECT

 private:
  TextBox* protagonist() { return get<TextBox>(QStringLiteral("txtValue(1)")); }
  void save(std::initializer_list<QMessageBox::StandardButton> answers) {
    Dialogs::clearRecord();
    for (const QMessageBox::StandardButton answer : answers) Dialogs::setNextAnswer(answer);
    Choose(*window_, QStringLiteral("mnuFileSave"));
  }
  QStringList shownTitles() {
    QStringList titles;
    for (const ShownMessage& shown : Dialogs::shownMessages()) titles << shown.title;
    return titles;
  }

 private Q_SLOTS:
  void init() { openWindow(true); }
  void cleanup() { closeWindow(); }

  // Over each kind of file, and after a save switch: a change to another save
  // is kept without a question; a change to the save itself asks; いいえ leaves
  // the file as the other program left it, はい writes over it after a backup
  // of the other program's version.
  void changedSaveAsksBeforeItIsWritten_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("targetSave");  // the save the window writes
    QTest::addColumn<qulonglong>("target");  // its region in the file
    QTest::addColumn<qulonglong>("other");   // another save's region, 0: none
    const qulonglong gme = savegen::kGmeHeaderSize;
    QTest::newRow("card") << "two.mcr" << 3 << qulonglong{RegionOffset(kSave3Block)}
                          << qulonglong{RegionOffset(kSave7Block)};
    QTest::newRow("gme") << "two.gme" << 3 << gme + RegionOffset(kSave3Block) << gme + RegionOffset(kSave7Block);
    QTest::newRow("single") << "one.mcs" << 4 << qulonglong{kSingleRegion} << qulonglong{0};
    QTest::newRow("after a switch") << "two.mcr" << 7 << qulonglong{RegionOffset(kSave7Block)}
                                    << qulonglong{RegionOffset(kSave3Block)};
  }
  void changedSaveAsksBeforeItIsWritten() {
    QFETCH(QString, name);
    QFETCH(int, targetSave);
    QFETCH(qulonglong, target);
    QFETCH(qulonglong, other);
    const QString file = path(name);
    if (name.endsWith(QStringLiteral(".gme"))) {
      WriteFile(file, savegen::GmeContainer(TwoSavesAndAnotherGame(), 5));
    } else {
      WriteFile(file, other == 0 ? SingleSaveFile() : TwoSavesAndAnotherGame());
    }
    OpenThroughMenu(*window_, file);
    if (targetSave == 7) Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    QCOMPARE(window_->Session().TargetSaveNumber(), targetSave);
    ClickTab(*window_, 2);
    TypeInto(protagonist(), QStringLiteral("61"));

    if (other != 0) {
      const Bytes byOther = ChangedBy(file, other, 0x5A);
      save({QMessageBox::Yes});
      QCOMPARE(shownTitles(), QStringList{QStringLiteral("保存確認")});
      const Bytes after = ReadFile(file);
      QCOMPARE(after[other + layout::kProtagonist], std::uint8_t{0x5A});
      QCOMPARE(after[target + layout::kProtagonist], std::uint8_t{61});
      QVERIFY(AllWithin(Differences(byOther, after), target, kDataRegionSize));
      TypeInto(protagonist(), QStringLiteral("62"));
    }

    const Bytes byOther = ChangedBy(file, target, 0x4B);
    save({QMessageBox::Yes, QMessageBox::No});
    QCOMPARE(shownTitles(), (QStringList{QStringLiteral("保存確認"), QStringLiteral("上書き確認")}));
    const ShownMessage asked = LastMessage();
    QCOMPARE(asked.text, QStringLiteral("No. %1 のセーブデータは開いた後に他のプログラムで変更されています。\r\n%2\r\n"
                                        "上書きしますか？")
                             .arg(targetSave)
                             .arg(QDir::toNativeSeparators(file)));
    QCOMPARE(asked.icon, QMessageBox::Warning);
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(asked.defaultButton, QMessageBox::No);
    QCOMPARE(ReadFile(file), byOther);
    const QString typed = other != 0 ? QStringLiteral("62") : QStringLiteral("61");
    QCOMPARE(protagonist()->text(), typed);

    save({QMessageBox::Yes, QMessageBox::Yes});
    QCOMPARE(shownTitles(), (QStringList{QStringLiteral("保存確認"), QStringLiteral("上書き確認")}));
    const Bytes after = ReadFile(file);
    QCOMPARE(after[target + layout::kProtagonist], static_cast<std::uint8_t>(typed.toInt()));
    QVERIFY(AllWithin(Differences(byOther, after), target, kDataRegionSize));
    const auto backups = ListBackups(ToFsPath(file), ToFsPath(DataDirectory() + QStringLiteral("/backups")));
    QVERIFY(!backups.empty());
    QCOMPARE(ReadFile(FromFsPath(backups.back())), byOther);

    // Written by this window now: the next save writes without asking.
    TypeInto(protagonist(), QStringLiteral("63"));
    save({QMessageBox::Yes});
    QCOMPARE(shownTitles(), QStringList{QStringLiteral("保存確認")});
    QCOMPARE(ReadFile(file)[target + layout::kProtagonist], std::uint8_t{63});
  }

  // Another of our programs (zovek-cli) holds the file's lock past the wait:
  // nothing is written, and the error names it.
  void lockHeldElsewhereWritesNothing() {
    const QString file = path(QStringLiteral("two.mcr"));
    WriteFile(file, TwoSavesAndAnotherGame());
    OpenThroughMenu(*window_, file);
    ClickTab(*window_, 2);
    TypeInto(protagonist(), QStringLiteral("61"));
    OpenedFile held;
    QCOMPARE(held.Open(ToFsPath(file)), 0);
    QCOMPARE(held.Lock(), 0);
    save({QMessageBox::Yes});
    QCOMPARE(LastMessage().title, QStringLiteral("Error"));
    QCOMPARE(LastMessage().text, QStringLiteral("ファイル書き込みエラー (9005)"));
    QCOMPARE(ReadFile(file), TwoSavesAndAnotherGame());
    held.Close();
    save({QMessageBox::Yes});
    QCOMPARE(ReadFile(file)[RegionOffset(kSave3Block) + layout::kProtagonist], std::uint8_t{61});
  }
};

QTEST_MAIN(ChangedOnDiskTest)
#include "ChangedOnDiskTest.moc"
