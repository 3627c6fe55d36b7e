// The save command when its backup cannot be made, and card images in other
// wrappings than a bare .mcr, through the real window: a .gme container (card
// after a 3904-byte header) and the other names card images are kept under.

#include <unistd.h>

#include <system_error>

#include <QDir>
#include <QFile>
#include <QTest>

#include "savegen/DemoFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveForms.h"
#include "savegen/SaveImages.h"
#include "ui/EditingSupport.h"
#include "ui/ProgramData.h"

using namespace zovek;
using namespace zovek::guitest;
namespace layout = savegen::layout;

namespace {

constexpr std::uint64_t kHeader = savegen::kGmeHeaderSize;
constexpr int kNotDirectory = static_cast<int>(std::errc::not_a_directory);
constexpr int kAccessDenied = static_cast<int>(std::errc::permission_denied);

Bytes CardPart(const Bytes& gme) { return Bytes(gme.begin() + static_cast<std::ptrdiff_t>(kHeader), gme.end()); }
Bytes HeaderPart(const Bytes& gme) { return Bytes(gme.begin(), gme.begin() + static_cast<std::ptrdiff_t>(kHeader)); }

}  // namespace

class ContainersAndBackupsTest : public WindowTest {
  Q_OBJECT

 private:
  TextBox* protagonist() { return get<TextBox>(QStringLiteral("txtValue(1)")); }
  void editProtagonist(const QString& code) {
    ClickTab(*window_, 2);
    TypeInto(protagonist(), code);
  }
  // The save command answered Yes, then `backupAnswer` queued for a backup question.
  void save(QMessageBox::StandardButton backupAnswer = QMessageBox::NoButton) {
    Dialogs::setNextAnswer(QMessageBox::Yes);
    if (backupAnswer != QMessageBox::NoButton) Dialogs::setNextAnswer(backupAnswer);
    Choose(*window_, QStringLiteral("mnuFileSave"));
  }

  // Open the card (TwoSavesAndAnotherGame, bare or in a .gme), edit a grid
  // cell of save 3, switch to save 7 (loaded as the card holds it) and edit
  // it, back to save 3 (the cell's edit must come back), edit it once more
  // and save it. `workingCopy`: the working copy as the session left it.
  void editSwitchAndSave(const QString& file, Bytes& workingCopy) {
    OpenThroughMenu(*window_, file);
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{3});
    ClickTab(*window_, 0);
    auto* g0 = get<FlexGrid>(QStringLiteral("Fgrid(0)"));
    EditCell(g0, 5, 1, QStringLiteral("4321"));  // character 0's HP
    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    QVERIFY(window_->Buffer() == RegionIn(TwoSavesAndAnotherGame(), RegionOffset(kSave7Block)));
    editProtagonist(QStringLiteral("77"));
    Choose(*window_, QStringLiteral("mnuSelSave(3)"));
    ClickTab(*window_, 0);
    QCOMPARE(g0->text(5, 1), QStringLiteral("4321"));
    editProtagonist(QStringLiteral("33"));
    save();
    VerifyNoErrorShown();
    workingCopy = ReadFile(FromFsPath(window_->Session().State().WorkingCopyPath));
  }

 private Q_SLOTS:
  void init() { openWindow(true); }
  void cleanup() {
    closeWindow();
  }

  // The backup cannot be made (a file where the backups folder goes, or a
  // backups folder without write permission): the save asks before it writes
  // without a backup. No writes nothing; Yes writes the save's region only.
  void failedBackupAsksFirst_data() {
    QTest::addColumn<bool>("noPermission");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("error");
    QTest::newRow("file in its place, No") << false << false << kNotDirectory;
    QTest::newRow("file in its place, Yes") << false << true << kNotDirectory;
    QTest::newRow("no permission, No") << true << false << kAccessDenied;
    QTest::newRow("no permission, Yes") << true << true << kAccessDenied;
  }
  void failedBackupAsksFirst() {
    QFETCH(bool, noPermission);
    QFETCH(bool, yes);
    QFETCH(int, error);
    // Permission bits do not stop root: test_containers_and_backups_unprivileged
    // runs these rows again as the user nobody.
    if (noPermission && ::geteuid() == 0) QSKIP("permission bits do not stop root from writing");
    const QString file = path(QStringLiteral("two.mcr"));
    const Bytes original = TwoSavesAndAnotherGame();
    WriteFile(file, original);
    OpenThroughMenu(*window_, file);
    const QString backups = DataDirectory() + QStringLiteral("/backups");
    if (noPermission) {
      QVERIFY(QDir().mkpath(backups));
      QVERIFY(QFile::setPermissions(backups, QFile::ReadOwner | QFile::ExeOwner));
    } else {
      WriteFile(backups, Bytes(3, 0x42));
    }
    editProtagonist(QStringLiteral("55"));
    save(yes ? QMessageBox::Yes : QMessageBox::No);
    if (noPermission) QFile::setPermissions(backups, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const ShownMessage asked = LastMessage();
    QCOMPARE(Dialogs::shownMessages().size(), qsizetype{2});  // the confirmation, then this question; no error
    QCOMPARE(asked.title, QStringLiteral("バックアップ確認"));
    QCOMPARE(asked.text, QStringLiteral("バックアップを作成できませんでした (%1)\r\n%2\r\nバックアップなしで保存しますか？")
                             .arg(error)
                             .arg(QDir::toNativeSeparators(backups)));
    QCOMPARE(asked.icon, QMessageBox::Question);
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(asked.defaultButton, QMessageBox::No);

    const Bytes after = ReadFile(file);
    if (noPermission) {
      QVERIFY(QDir(backups).isEmpty());
    } else {
      QCOMPARE(ReadFile(backups), Bytes(3, 0x42));
    }
    QCOMPARE(protagonist()->text(), QStringLiteral("55"));
    if (!yes) {
      QCOMPARE(after, original);
      return;
    }
    const std::uint64_t region = RegionOffset(kSave3Block);
    QVERIFY(AllWithin(Differences(original, after), region, kDataRegionSize));
    const SaveBuffer saved = RegionIn(after, region);
    QCOMPARE(saved[layout::kProtagonist], std::uint8_t{55});
    QCOMPARE(savegen::RegionChecksum(saved), saved[1]);
  }

  // The same steps on a .gme and on its bare card give the same card bytes;
  // the .gme's header and everything outside save 3's region stay as they were.
  void gmeIsEditedAsItsBareCard() {
    const Bytes card = TwoSavesAndAnotherGame();
    const Bytes gme = savegen::GmeContainer(card, 7);
    const QString gmeFile = path(QStringLiteral("card.gme"));
    const QString mcrFile = path(QStringLiteral("card.mcr"));
    WriteFile(gmeFile, gme);
    WriteFile(mcrFile, card);

    Bytes mcrCopy;
    Bytes gmeCopy;
    editSwitchAndSave(mcrFile, mcrCopy);
    if (QTest::currentTestFailed()) return;
    editSwitchAndSave(gmeFile, gmeCopy);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(HeaderPart(gmeCopy), HeaderPart(gme));  // the switches' work lands in the card part only
    QCOMPARE(CardPart(gmeCopy), mcrCopy);

    const Bytes savedCard = ReadFile(mcrFile);
    const SaveBuffer saved = RegionIn(savedCard, RegionOffset(kSave3Block));
    QCOMPARE(saved[layout::kProtagonist], std::uint8_t{33});
    QCOMPARE(Number(saved, RecordIndex(0, layout::kHp), 2), 4321u);
    QCOMPARE(savegen::RegionChecksum(saved), saved[1]);
    QVERIFY(AllWithin(Differences(card, savedCard), RegionOffset(kSave3Block), kDataRegionSize));  // save 7 not saved

    const Bytes savedGme = ReadFile(gmeFile);
    QCOMPARE(savedGme.size(), gme.size());
    QCOMPARE(HeaderPart(savedGme), HeaderPart(gme));
    QCOMPARE(CardPart(savedGme), savedCard);
  }

  // The header is part of what the write guard checks.
  void gmeWhoseHeaderChangedIsNotWritten() {
    Bytes gme = savegen::GmeContainer(TwoSavesAndAnotherGame(), 8);
    const QString file = path(QStringLiteral("card.gme"));
    WriteFile(file, gme);
    OpenThroughMenu(*window_, file);
    editProtagonist(QStringLiteral("44"));
    gme[kHeader - 1] ^= 0xFF;
    WriteFile(file, gme);
    save();
    QCOMPARE(LastMessage().text, QStringLiteral("ファイル書き込みエラー (9003)"));
    QCOMPARE(LastMessage().title, QStringLiteral("Error"));
    QCOMPARE(ReadFile(file), gme);
    QCOMPARE(protagonist()->text(), QStringLiteral("44"));
  }

  void gmeLengthWithoutItsSignatureIsRefused() {
    Bytes gme = savegen::GmeContainer(TwoSavesAndAnotherGame(), 9);
    gme[0] = '0';
    const QString file = path(QStringLiteral("card.gme"));
    WriteFile(file, gme);
    OpenThroughMenu(*window_, file);
    QCOMPARE(LastMessage().text, QStringLiteral("このファイルは対応していません。"));
    VerifyResetState(*window_, false);
    QCOMPARE(ReadFile(file), gme);
  }

  // A headed card and a headed single save are edited and saved like the
  // plain files; a signed form opens with a notice and no save command.
  void otherFormsOpenAndSaveUnlessSigned_data() {
    QTest::addColumn<int>("formIndex");
    QTest::newRow("card in the VgsM container") << int(savegen::SaveForm::Vgs);
    QTest::newRow("single save behind a 54-byte header") << int(savegen::SaveForm::Header54);
    QTest::newRow("signed .vmp card") << int(savegen::SaveForm::Vmp);
  }
  void otherFormsOpenAndSaveUnlessSigned() {
    QFETCH(int, formIndex);
    const auto form = static_cast<savegen::SaveForm>(formIndex);
    const bool isCard = savegen::IsCardForm(form);
    const Bytes original = savegen::InForm(form, isCard ? TwoSavesAndAnotherGame() : savegen::DemoSingle());
    const QString file = path(QStringLiteral("save.file"));
    WriteFile(file, original);
    OpenThroughMenu(*window_, file);
    auto* saveCommand = get<QAction>(QStringLiteral("mnuFileSave"));
    if (savegen::IsSignedForm(form)) {
      const ShownMessage notice = LastMessage();
      QCOMPARE(notice.title, QStringLiteral("確認"));
      QCOMPARE(notice.text, QStringLiteral("このファイルは署名付きの形式のため、表示はできますが保存はできません。"));
      QCOMPARE(notice.icon, QMessageBox::Information);
      QCOMPARE(notice.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
      QVERIFY(!saveCommand->isEnabled());
      QVERIFY(window_->Buffer() == RegionIn(original, savegen::FormHeader(form) + RegionOffset(kSave3Block)));
      return;
    }
    VerifyNoErrorShown();
    QVERIFY(saveCommand->isEnabled());
    editProtagonist(QStringLiteral("66"));
    save();
    VerifyNoErrorShown();
    const std::uint64_t region = savegen::FormHeader(form) + (isCard ? RegionOffset(kSave3Block) : 384);
    const Bytes after = ReadFile(file);
    QVERIFY(AllWithin(Differences(original, after), region, kDataRegionSize));
    QCOMPARE(RegionIn(after, region)[layout::kProtagonist], std::uint8_t{66});
  }

  // Card images under the names other tools give them open as card images;
  // the content decides, not the name (a bare card named .gme included).
  void cardImagesUnderOtherNamesOpen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inGme");
    QTest::addColumn<bool>("dropped");
    const QList<std::pair<const char*, bool>> files = {
        {"card.mcd", false}, {"card.srm", false}, {"card.bin", false},
        {"CARD.BIN", false}, {"card.gme", true},  {"bare.gme", false}};
    for (const auto& [name, inGme] : files) {
      QTest::addRow("%s opened", name) << QString::fromLatin1(name) << inGme << false;
      QTest::addRow("%s dropped", name) << QString::fromLatin1(name) << inGme << true;
    }
  }
  void cardImagesUnderOtherNamesOpen() {
    QFETCH(QString, name);
    QFETCH(bool, inGme);
    QFETCH(bool, dropped);
    const Bytes card = TwoSavesAndAnotherGame();
    const QString file = path(name);
    WriteFile(file, inGme ? savegen::GmeContainer(card, 3) : card);
    if (dropped) {
      QVERIFY(DropFile(*window_, file));
    } else {
      OpenThroughMenu(*window_, file);
    }
    VerifyNoErrorShown();
    const SessionState& state = window_->Session().State();
    QCOMPARE(state.FileKind, kCardImage);
    QCOMPARE(state.Container->start, inGme ? kHeader : 0u);
    QCOMPARE(state.SelectedSave, std::int16_t{3});
    QVERIFY(window_->Buffer() == RegionIn(card, RegionOffset(kSave3Block)));
    QVERIFY(get<QAction>(QStringLiteral("mnuSelSave(7)"))->isEnabled());
  }
};

QTEST_MAIN(ContainersAndBackupsTest)
#include "ContainersAndBackupsTest.moc"
