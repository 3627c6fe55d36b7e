// Faults around every file operation of open, save switch, save and
// close-down, through the real window: missing files, directories in their
// place, no permission, read-only files and folders, files that shrink, grow
// or change under the editor, a working copy that goes away, a data directory
// that cannot be written, and the user opening the working copy itself. Each
// case checks the message, the window's state afterwards, and the bytes of
// every file that could have changed.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "savefile/Backups.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"
#include "savefile/WriteSteps.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/GuiTestSupport.h"
#include "ui/ProgramData.h"
#include "ui/TextBox.h"

using namespace zovek;
using namespace zovek::guitest;
using savegen::CardImage;
using savegen::DigitForSave;
using savegen::SingleSave;

namespace {

namespace fs = std::filesystem;

constexpr int kNoEntry = static_cast<int>(std::errc::no_such_file_or_directory);
constexpr int kIsDirectory = static_cast<int>(std::errc::is_a_directory);
constexpr int kNotDirectory = static_cast<int>(std::errc::not_a_directory);
constexpr int kAccessDenied = static_cast<int>(std::errc::permission_denied);

QString ReadErrorText(int n) { return QStringLiteral("ファイル読み込みエラー (%1)").arg(n); }
QString WriteErrorText(int n) { return QStringLiteral("ファイル書き込みエラー (%1)").arg(n); }

// Permission bits stop only other users; root reads and writes through them.
// When the suite runs as root, the cases that skip for this run again as the
// user nobody (test_file_faults_unprivileged in CMakeLists.txt lists them).
bool RunningAsRoot() { return ::geteuid() == 0; }

// Every file below `dir` by relative path, with its bytes.
QMap<QString, Bytes> Snapshot(const QString& dir) {
  QMap<QString, Bytes> files;
  QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    files.insert(QDir(dir).relativeFilePath(file), ReadFile(file));
  }
  return files;
}

}  // namespace

class FileFaultsTest : public WindowTest {
  Q_OBJECT

 private:
  QString backups() const { return DataDirectory() + QStringLiteral("/backups"); }

  Bytes twoSaveCard() const { return TwoSavesAndAnotherGame(); }
  QString writeTwoSaveCard(const QString& name) {
    WriteFile(path(name), twoSaveCard());
    return path(name);
  }
  QString writeSingle(const QString& name) {
    SingleSave single(8);
    single.GameSave(DigitForSave(5), savegen::DemoRegion(5));
    WriteFile(path(name), single.bytes());
    return path(name);
  }

  // The protagonist code of the save shown: region byte 33.
  void editProtagonist(const QString& code) {
    get<QTabWidget>(QStringLiteral("SSTab"))->setCurrentIndex(2);
    QCoreApplication::processEvents();
    TypeInto(get<TextBox>(QStringLiteral("txtValue(1)")), code);
  }
  void verifyError(const QString& text) {
    const ShownMessage shown = LastMessage();
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.title, QStringLiteral("Error"));
    QCOMPARE(shown.icon, QMessageBox::Information);
  }
  // A failed backup asks whether to save without one; the closed seam answers
  // with the default, No. (ContainersAndBackupsTest covers both answers.)
  void verifyBackupQuestion(int error) {
    const ShownMessage shown = LastMessage();
    QCOMPARE(shown.title, QStringLiteral("バックアップ確認"));
    QVERIFY(shown.text.startsWith(QStringLiteral("バックアップを作成できませんでした (%1)\r\n").arg(error)));
    QCOMPARE(shown.defaultButton, QMessageBox::No);
  }
  // Still showing save `save` with the edit, and the save command still there
  // to try again.
  void verifyStillLoaded(std::int16_t save, const QString& protagonist) {
    QVERIFY(window_->Session().State().FileKind != kNoFile);
    QCOMPARE(window_->Session().State().SelectedSave, save);
    QVERIFY(get<QAction>(QStringLiteral("mnuFileSave"))->isEnabled());
    QCOMPARE(get<TextBox>(QStringLiteral("txtValue(1)"))->text(), protagonist);
  }
  void saveYes() { SaveThroughMenu(*window_, QMessageBox::Yes); }
  bool savedWithoutError() const {
    return Dialogs::shownMessages().isEmpty() || Dialogs::shownMessages().constLast().title != QStringLiteral("Error");
  }

 private Q_SLOTS:
  void init() {
    openWindow(false);
  }
  void cleanup() {
    window_.reset();
    // Put back what a test blocked, so that the next one starts clean.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (QFileInfo(data).isFile()) QFile::remove(data);
    QDir().mkpath(data);
    QFile::setPermissions(files_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    files_.reset();
  }

  // --- Open ---

  void openMissingFile() {
    const QString missing = path(QStringLiteral("gone.mcr"));
    OpenThroughMenu(*window_, missing);
    verifyError(ReadErrorText(kNoEntry));
    VerifyResetState(*window_, false);
    QVERIFY(!QFile::exists(missing));
    QVERIFY(!QFile::exists(WorkingCopyPath()));
  }

  void openDirectory() {
    const QString folder = path(QStringLiteral("card.mcr"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/inner")));
    OpenThroughMenu(*window_, folder);
    verifyError(ReadErrorText(kIsDirectory));
    VerifyResetState(*window_, false);
    QVERIFY(QDir(folder + QStringLiteral("/inner")).exists());
    QVERIFY(!QFile::exists(WorkingCopyPath()));
  }

  void openUnreadableFile() {
    if (RunningAsRoot()) QSKIP("permission bits do not stop root from reading");
    const QString file = writeTwoSaveCard(QStringLiteral("secret.mcr"));
    QVERIFY(QFile::setPermissions(file, QFileDevice::Permissions{}));
    OpenThroughMenu(*window_, file);
    verifyError(ReadErrorText(kAccessDenied));
    VerifyResetState(*window_, false);
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(ReadFile(file), twoSaveCard());
  }

  // A read-only card in a read-only folder: opened without a change; saved in
  // place (the card's read-only flag is cleared), nothing new in the folder.
  void readOnlyCardInReadOnlyFolder() {
    const QString file = writeTwoSaveCard(QStringLiteral("locked.mcr"));
    QVERIFY(SetReadOnly(file, true));
    QVERIFY(QFile::setPermissions(files_->path(), QFile::ReadOwner | QFile::ExeOwner));
    const QMap<QString, Bytes> before = Snapshot(files_->path());

    OpenThroughMenu(*window_, file);
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});
    QCOMPARE(Snapshot(files_->path()), before);
    QVERIFY(IsReadOnly(ToFsPath(file)));

    editProtagonist(QStringLiteral("42"));
    saveYes();
    QVERIFY(savedWithoutError());
    const Bytes saved = ReadFile(file);
    QCOMPARE(saved[CardImage::RegionOffset(2) + 33], std::uint8_t{42});
    QVERIFY(AllWithin(Differences(twoSaveCard(), saved), CardImage::RegionOffset(2), kDataRegionSize));
    QCOMPARE(Snapshot(files_->path()).keys(), before.keys());
  }

  // A read-only single save in a read-only folder: opened, and its save
  // refused with 13 and no byte changed.
  void readOnlySingleInReadOnlyFolder() {
    const QString file = writeSingle(QStringLiteral("locked.ps"));
    const Bytes original = ReadFile(file);
    QVERIFY(SetReadOnly(file, true));
    QVERIFY(QFile::setPermissions(files_->path(), QFile::ReadOwner | QFile::ExeOwner));
    OpenThroughMenu(*window_, file);
    QCOMPARE(window_->Session().State().FileKind, FileKind{2});
    editProtagonist(QStringLiteral("42"));
    saveYes();
    verifyError(WriteErrorText(kAccessDenied));
    verifyStillLoaded(window_->Session().State().SelectedSave, QStringLiteral("42"));
    QCOMPARE(ReadFile(file), original);
    QVERIFY2(!QDir(backups()).exists(), "a refused save makes no backup");
  }

  // The data directory cannot be written (a file stands in its place): a card
  // cannot get its working copy; a single save opens, but its save asks
  // before it writes without a backup (the default answer writes nothing),
  // and goes through once the directory is back.
  void dataDirectoryNotWritable() {
    const QString card = writeTwoSaveCard(QStringLiteral("two.mcr"));
    const QString single = writeSingle(QStringLiteral("one.ps"));
    const Bytes singleBytes = ReadFile(single);
    // Asking for the data directory makes it again; keep its name first.
    const QString data = DataDirectory();
    QVERIFY(QDir(data).removeRecursively());
    WriteFile(data, Bytes(4, 0x44));

    OpenThroughMenu(*window_, card);
    verifyError(ReadErrorText(kNotDirectory));
    VerifyResetState(*window_, false);
    QCOMPARE(ReadFile(card), twoSaveCard());

    OpenThroughMenu(*window_, single);
    QCOMPARE(window_->Session().State().FileKind, FileKind{2});
    editProtagonist(QStringLiteral("77"));
    saveYes();
    verifyBackupQuestion(kNotDirectory);
    verifyStillLoaded(window_->Session().State().SelectedSave, QStringLiteral("77"));
    QCOMPARE(ReadFile(single), singleBytes);
    QCOMPARE(ReadFile(data), Bytes(4, 0x44));

    QVERIFY(QFile::remove(data));
    QVERIFY(QDir().mkpath(data));
    saveYes();
    QVERIFY(savedWithoutError());
    QCOMPARE(ReadFile(single)[512 + 33], std::uint8_t{77});
  }

  // The same without root, by permission bits: the data directory without
  // write permission.
  void dataDirectoryWithoutWritePermission() {
    if (RunningAsRoot()) QSKIP("permission bits do not stop root from writing");
    const QString card = writeTwoSaveCard(QStringLiteral("two.mcr"));
    const QString data = DataDirectory();
    QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
    OpenThroughMenu(*window_, card);
    QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    verifyError(ReadErrorText(kAccessDenied));
    VerifyResetState(*window_, false);
    QCOMPARE(ReadFile(card), twoSaveCard());
  }

  // --- Save ---

  void saveWhenTheCardLostItsPermissions() {
    if (RunningAsRoot()) QSKIP("permission bits do not stop root");
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    editProtagonist(QStringLiteral("97"));
    QVERIFY(QFile::setPermissions(file, QFileDevice::Permissions{}));
    saveYes();
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    verifyError(WriteErrorText(kAccessDenied));
    verifyStillLoaded(3, QStringLiteral("97"));
    QCOMPARE(ReadFile(file), twoSaveCard());
    QVERIFY(!QDir(backups()).exists());
  }

  void saveBacksUpFirstAndChangesOnlyTheRegion() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    const QMap<QString, Bytes> folder = Snapshot(files_->path());
    for (int round = 1; round <= kBackupsKept + 1; ++round) {
      const Bytes before = ReadFile(file);
      editProtagonist(QString::number(round));
      saveYes();
      QVERIFY(savedWithoutError());
      const Bytes after = ReadFile(file);
      QCOMPARE(after[CardImage::RegionOffset(2) + 33], std::uint8_t(round));
      QVERIFY(AllWithin(Differences(before, after), CardImage::RegionOffset(2), kDataRegionSize));
      const std::vector<fs::path> made = ListBackups(ToFsPath(file), ToFsPath(backups()));
      QVERIFY(!made.empty());
      QCOMPARE(ReadFile(QString::fromStdU16String(made.back().u16string())), before);
    }
    QCOMPARE(ListBackups(ToFsPath(file), ToFsPath(backups())).size(), std::size_t(kBackupsKept));
    QCOMPARE(Snapshot(files_->path()).keys(), folder.keys());  // nothing beside the file
  }

  // The write itself fails (a test's fault in the write's steps) or finds
  // another file at the name: the box says what is on disk.
  void saveWhoseWriteFails_data() {
    QTest::addColumn<int>("fault");  // 0: the name swapped for a FIFO; 1: fails part way; 2: and cannot be undone
    QTest::newRow("name swapped") << 0;
    QTest::newRow("part way, undone") << 1;
    QTest::newRow("part way, not undone") << 2;
  }
  void saveWhoseWriteFails() {
    QFETCH(int, fault);
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    editProtagonist(QStringLiteral("44"));
    SetWriteStepHook([&](WriteStep step) {
      if (fault == 0 && step == WriteStep::BeforeWrite) {
        QFile::rename(file, file + QStringLiteral(".aside"));
        ::mkfifo(QFile::encodeName(file).constData(), 0600);
      }
      const bool failing = step == WriteStep::WritingRegion || (fault == 2 && step == WriteStep::RestoringRegion);
      return fault != 0 && failing ? ENOSPC : 0;
    });
    saveYes();
    SetWriteStepHook({});
    const std::vector<fs::path> made = ListBackups(ToFsPath(file), ToFsPath(backups()));
    QCOMPARE(made.size(), std::size_t(1));
    const QString backup = QDir::toNativeSeparators(FromFsPath(made.back()));
    const QString expected[] = {WriteErrorText(kErrFileChanged), WriteErrorText(ENOSPC),
                                WriteErrorText(ENOSPC) + QStringLiteral("\r\nセーブデータが壊れている可能性があります。\r\n"
                                                                        "バックアップ: ") + backup};
    verifyError(expected[fault]);
    verifyStillLoaded(3, QStringLiteral("44"));
    if (fault == 0) {
      QCOMPARE(ReadFile(file + QStringLiteral(".aside")), twoSaveCard());
      QFile::remove(file);
    } else if (fault == 1) {
      QCOMPARE(ReadFile(file), twoSaveCard());
    } else {
      QVERIFY(ReadFile(file) != twoSaveCard());
    }
  }

  void saveWhenTheBackupCannotBeMade() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    WriteFile(backups(), Bytes(3, 0x42));  // a file where the backups folder goes
    editProtagonist(QStringLiteral("55"));
    saveYes();
    verifyBackupQuestion(kNotDirectory);
    verifyStillLoaded(3, QStringLiteral("55"));
    QCOMPARE(ReadFile(file), twoSaveCard());
    QCOMPARE(ReadFile(backups()), Bytes(3, 0x42));
  }

  // The file changes between open and save: deleted, a folder in its place,
  // cut short, grown, its save moved to another block, or another game's card
  // of the same length. Nothing is written or created; the save stays loaded.
  void saveAfterTheCardChanged_data() {
    QTest::addColumn<int>("change");
    QTest::addColumn<int>("error");
    QTest::newRow("deleted") << 0 << kNoEntry;
    QTest::newRow("folder in its place") << 1 << kIsDirectory;
    QTest::newRow("cut short") << 2 << kErrFileChanged;
    QTest::newRow("grown") << 3 << kErrFileChanged;
    QTest::newRow("save moved to block 4") << 4 << kErrFileChanged;
    QTest::newRow("another game's card") << 5 << kErrFileChanged;
  }
  void saveAfterTheCardChanged() {
    QFETCH(int, change);
    QFETCH(int, error);
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    editProtagonist(QStringLiteral("99"));

    Bytes changed = twoSaveCard();
    switch (change) {
      case 0: QVERIFY(QFile::remove(file)); break;
      case 1: QVERIFY(QFile::remove(file)); QVERIFY(QDir().mkpath(file)); break;
      case 2: changed.resize(changed.size() - 1); break;
      case 3: changed.push_back(0); break;
      case 4: {
        CardImage moved(11);
        moved.GameSave(4, DigitForSave(3), savegen::DemoRegion(3)).GameSave(9, DigitForSave(7), savegen::DemoRegion(7));
        changed = moved.bytes();
        break;
      }
      default: {
        CardImage other(12);
        other.OtherGameSave(2, "QUILB", DigitForSave(3), 1);
        changed = other.bytes();
        break;
      }
    }
    if (change >= 2) WriteFile(file, changed);

    saveYes();
    verifyError(WriteErrorText(error));
    verifyStillLoaded(3, QStringLiteral("99"));
    if (change == 0) QVERIFY(!QFile::exists(file));
    if (change == 1) QVERIFY(QFileInfo(file).isDir());
    if (change >= 2) QCOMPARE(ReadFile(file), changed);
    QVERIFY(!QDir(backups()).exists());
  }

  void saveAfterTheSingleChanged_data() {
    QTest::addColumn<int>("change");
    QTest::newRow("cut short") << 0;
    QTest::newRow("grown") << 1;
    QTest::newRow("another save number") << 2;
    QTest::newRow("a card image now") << 3;
  }
  void saveAfterTheSingleChanged() {
    QFETCH(int, change);
    const QString file = writeSingle(QStringLiteral("one.ps"));
    OpenThroughMenu(*window_, file);
    editProtagonist(QStringLiteral("98"));
    Bytes changed = ReadFile(file);
    if (change == 0) changed.resize(8000);
    if (change == 1) changed.resize(8321, 0);
    if (change == 2) changed[29] = DigitForSave(6);
    if (change == 3) changed = twoSaveCard();
    WriteFile(file, changed);
    saveYes();
    verifyError(WriteErrorText(kErrFileChanged));
    verifyStillLoaded(window_->Session().State().SelectedSave, QStringLiteral("98"));
    QCOMPARE(ReadFile(file), changed);
  }

  // --- Save switch ---

  // The working copy deleted, or a folder (unreadable, unwritable) in its
  // place: the switch stops with the write error, save 3 stays loaded with
  // its edit, the chosen file is untouched, and saving still works.
  void switchWhenTheWorkingCopyIsGone_data() {
    QTest::addColumn<bool>("folder");
    QTest::addColumn<int>("error");
    QTest::newRow("deleted") << false << kNoEntry;
    QTest::newRow("folder in its place") << true << kIsDirectory;
  }
  void switchWhenTheWorkingCopyIsGone() {
    QFETCH(bool, folder);
    QFETCH(int, error);
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    editProtagonist(QStringLiteral("61"));
    QVERIFY(QFile::remove(WorkingCopyPath()));
    if (folder) QVERIFY(QDir().mkpath(WorkingCopyPath()));

    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    verifyError(WriteErrorText(error));
    verifyStillLoaded(3, QStringLiteral("61"));
    QVERIFY(get<QAction>(QStringLiteral("mnuSelSave(3)"))->isChecked());
    QVERIFY(!get<QAction>(QStringLiteral("mnuSelSave(7)"))->isChecked());
    QCOMPARE(ReadFile(file), twoSaveCard());
    QCOMPARE(QFileInfo(WorkingCopyPath()).isDir(), folder);  // not made anew

    saveYes();
    QVERIFY(savedWithoutError());
    QCOMPARE(ReadFile(file)[CardImage::RegionOffset(2) + 33], std::uint8_t{61});
  }

  void switchWhenTheWorkingCopyIsUnreadable() {
    if (RunningAsRoot()) QSKIP("permission bits do not stop root; the folder case covers an unusable copy");
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    editProtagonist(QStringLiteral("62"));
    QVERIFY(QFile::setPermissions(WorkingCopyPath(), QFileDevice::Permissions{}));
    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    verifyError(WriteErrorText(kAccessDenied));
    verifyStillLoaded(3, QStringLiteral("62"));
    QCOMPARE(ReadFile(file), twoSaveCard());
  }

  // The working copy cut short mid-session: the save left still fits and is
  // written, the save to load is not there; the window keeps save 3, whose
  // bytes are still the buffer, and a save writes them to block 2 only.
  void switchWhenTheWorkingCopyWasCutShort() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    editProtagonist(QStringLiteral("63"));
    Bytes cut = twoSaveCard();
    cut.resize(3 * 8192);  // blocks 0..2: save 3 fits, save 7 (block 9) is gone
    WriteFile(WorkingCopyPath(), cut);

    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    verifyError(ReadErrorText(kErrShortRead));
    verifyStillLoaded(3, QStringLiteral("63"));
    QCOMPARE(ReadFile(WorkingCopyPath())[CardImage::RegionOffset(2) + 33], std::uint8_t{63});
    QCOMPARE(ReadFile(file), twoSaveCard());

    saveYes();
    QVERIFY(savedWithoutError());
    const Bytes saved = ReadFile(file);
    QCOMPARE(saved[CardImage::RegionOffset(2) + 33], std::uint8_t{63});
    QVERIFY(AllWithin(Differences(twoSaveCard(), saved), CardImage::RegionOffset(2), kDataRegionSize));
  }

  // --- Close-down ---

  void closeWhenTheWorkingCopyIsGoneOrAFolder() {
    const QString file = writeTwoSaveCard(QStringLiteral("two.mcr"));
    OpenThroughMenu(*window_, file);
    QVERIFY(QFile::remove(WorkingCopyPath()));
    QVERIFY(QDir().mkpath(WorkingCopyPath() + QStringLiteral("/inner")));
    const QMap<QString, Bytes> folder = Snapshot(files_->path());
    QVERIFY(window_->close());
    QCOMPARE(Snapshot(files_->path()), folder);
    QVERIFY2(QDir(WorkingCopyPath() + QStringLiteral("/inner")).exists(), "a folder is never removed");
    QVERIFY(QDir(WorkingCopyPath()).removeRecursively());

    // Deleted under the window: it closes without a word.
    window_ = std::make_unique<FrmMain>();
    OpenThroughMenu(*window_, file);
    QVERIFY(QFile::remove(WorkingCopyPath()));
    Dialogs::clearRecord();
    QVERIFY(window_->close());
    QVERIFY(Dialogs::shownMessages().isEmpty());
    QCOMPARE(Snapshot(files_->path()), folder);
  }

  // --- The working copy opened as the user's own file ---

  // Opened directly or through a link: the open does not copy it onto itself,
  // a switch writes into a second copy and not into it, only saving changes
  // it, and the close-down keeps it (it deletes the second copy).
  void openingTheWorkingCopyItself_data() {
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("directly") << false;
    QTest::newRow("through a link") << true;
  }
  void openingTheWorkingCopyItself() {
    QFETCH(bool, throughLink);
    OpenThroughMenu(*window_, writeTwoSaveCard(QStringLiteral("two.mcr")));
    QVERIFY(QFile::exists(WorkingCopyPath()));
    const Bytes copy = ReadFile(WorkingCopyPath());

    QString opened = WorkingCopyPath();
    if (throughLink) {
      opened = path(QStringLiteral("link.mcr"));
      QVERIFY(QFile::link(WorkingCopyPath(), opened));
    }
    Dialogs::clearRecord();
    OpenThroughMenu(*window_, opened);
    QVERIFY(Dialogs::shownMessages().isEmpty());
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});
    QCOMPARE(ReadFile(WorkingCopyPath()), copy);

    editProtagonist(QStringLiteral("71"));
    Choose(*window_, QStringLiteral("mnuSelSave(7)"));
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{7});
    QVERIFY2(ReadFile(WorkingCopyPath()) == copy, "a switch is no save");
    Choose(*window_, QStringLiteral("mnuSelSave(3)"));
    QCOMPARE(get<TextBox>(QStringLiteral("txtValue(1)"))->text(), QStringLiteral("71"));

    saveYes();
    QVERIFY(savedWithoutError());
    const Bytes saved = ReadFile(WorkingCopyPath());
    QCOMPARE(saved[CardImage::RegionOffset(2) + 33], std::uint8_t{71});
    QVERIFY(AllWithin(Differences(copy, saved), CardImage::RegionOffset(2), kDataRegionSize));

    // Another card opened later does not overwrite it either.
    OpenThroughMenu(*window_, writeTwoSaveCard(QStringLiteral("other.mcr")));
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});
    QCOMPARE(ReadFile(WorkingCopyPath()), saved);

    QVERIFY(window_->close());
    QCOMPARE(ReadFile(WorkingCopyPath()), saved);
    const QStringList left = QDir(DataDirectory()).entryList(QDir::Files);
    QCOMPARE(left, QStringList{QFileInfo(WorkingCopyPath()).fileName()});  // the second copy is gone
  }
};

QTEST_MAIN(FileFaultsTest)
#include "FileFaultsTest.moc"
