// Start-up and close-down: the working copy deleted at close whatever
// happened, the exit command, one instance only (the real program run twice),
// the window's placement and Qt's Japanese strings.

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <system_error>
#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/DeferredIconStyle.h"
#include "ui/GuiTestSupport.h"
#include "ui/InstanceLock.h"
#include "ui/ProgramData.h"
#include "ui/Startup.h"
#include "ui/TextBox.h"
#include "ui/Twips.h"
#include "ui/WindowLanguage.h"

using namespace zovek;
using namespace zovek::guitest;

namespace {

QProcessEnvironment EditorEnvironment(const QString& dataHome) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
  return environment;
}

}  // namespace

class LifecycleTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { PrepareApplication(); }

  // The core decides the data directory; it must stay where Qt put it, or the
  // working copies, backups and lock of earlier versions are lost.
  void dataDirectoryIsWhereQtPutsIt() {
    QCOMPARE(FromFsPath(UserDataDirectory::ForCurrentUser().Root()),
             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  }

  void leftoverWorkingCopyIsDeletedAtClose() {
    WriteFile(WorkingCopyPath(), Bytes(100, 7));
    QVERIFY(SetReadOnly(WorkingCopyPath(), true));
    FrmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(QFile::exists(WorkingCopyPath()));  // nothing opened, nothing deleted yet
    window.close();
    QVERIFY(!QFile::exists(WorkingCopyPath()));
  }

  void exitCommandClosesAndDeletesTheWorkingCopy() {
    QTemporaryDir files;
    savegen::CardImage card(2);
    card.GameSave(4, savegen::DigitForSave(1), savegen::DemoRegion(1));
    const QString file = files.filePath(QStringLiteral("card.mcr"));
    WriteFile(file, card.bytes());

    FrmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    OpenThroughMenu(window, file);
    QCOMPARE(ReadFile(WorkingCopyPath()), card.bytes());
    Choose(window, QStringLiteral("mnuExit"));
    QVERIFY(!window.isVisible());
    QVERIFY(!QFile::exists(WorkingCopyPath()));
    QCOMPARE(ReadFile(file), card.bytes());  // unsaved edits are dropped, the file untouched
    // The boxes were disabled on the way out.
    QVERIFY(!Find<TextBox>(&window, QStringLiteral("txtFlex"))->isEnabled());
    for (int i = 0; i < 5; ++i) QVERIFY(!Find<TextBox>(&window, QStringLiteral("txtValue(%1)").arg(i))->isEnabled());
    for (int i = 0; i < 8; ++i) QVERIFY(!Find<TextBox>(&window, QStringLiteral("txtParty(%1)").arg(i))->isEnabled());
    QVERIFY(Dialogs::shownMessages().isEmpty());  // no question about unsaved changes
  }

  void closeDownIgnoresFailures() {
    // A working copy that can't be deleted: a directory with content.
    QVERIFY(QDir().mkpath(WorkingCopyPath() + QStringLiteral("/inside")));
    {
      FrmMain window;
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      QVERIFY(window.close());
      QVERIFY(!window.isVisible());
    }
    QVERIFY(Dialogs::shownMessages().isEmpty());
    QVERIFY(QDir(WorkingCopyPath()).removeRecursively());
  }

  void placementFollowsTheFormula() {
    FrmMain window;
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen != nullptr);
    Startup::PlaceWindow(window, *screen);
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    // 1000 twips left of and 100 twips above the centred position.
    const double left = (area.width() - size.width()) * 15 / 2.0 - 1000;
    const double top = (area.height() - size.height()) * 15 / 2.0 - 100;
    QCOMPARE(window.pos(), QPoint(area.x() + int(left / 15), area.y() + int(top / 15)));
    QVERIFY(window.x() < area.x() + (area.width() - size.width()) / 2 - 60);
  }

  void qtStringsAreJapanese() {
    QVERIFY(InstallWindowLanguage(QStringLiteral("ja")));
    QMessageBox box(QMessageBox::Question, QStringLiteral("保存確認"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    QVERIFY2(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")),
             qPrintable(box.button(QMessageBox::Yes)->text()));
    QVERIFY(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
  }

  // The program's style loads the menu bar's overflow icon only when it is
  // drawn; drawn, it is the underlying style's picture in every mode, and an
  // icon that outlives its style draws nothing instead of crashing.
  void overflowIconIsTheUnderlyingStylesWhenDrawn() {
    DeferredIconStyle style;
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_MessageBoxWarning}) {
      const QIcon deferred = style.standardIcon(which);
      const QIcon direct = style.baseStyle()->standardIcon(which);
      QVERIFY(!deferred.isNull());
      QCOMPARE(deferred.availableSizes(), direct.availableSizes());
      for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
        QCOMPARE(deferred.pixmap(QSize(16, 16), mode).toImage(), direct.pixmap(QSize(16, 16), mode).toImage());
      }
    }

    auto* shortLived = new DeferredIconStyle;
    const QIcon orphan = shortLived->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    delete shortLived;
    QVERIFY(orphan.pixmap(QSize(16, 16)).isNull());
  }

  // The lock's name is never followed: a link, a folder or a FIFO there is a
  // lock that cannot be taken, and a link's target is neither created nor
  // changed. A lock file left by a crash is taken over; the file is the
  // owner's only.
  void instanceLockTakesOnlyARegularFileAtItsName() {
    namespace fs = std::filesystem;
    enum class Standing { Nothing, CrashLeftover, HeldByAnother, SymbolicLink, DanglingLink, Folder, Fifo };
    const struct {
      const char* name;
      Standing standing;
      bool taken;
    } cases[] = {
        {"nothing", Standing::Nothing, true},
        {"a crash's leftover", Standing::CrashLeftover, true},
        {"held by another", Standing::HeldByAnother, false},
        {"symbolic link", Standing::SymbolicLink, false},
        {"dangling link", Standing::DanglingLink, false},
        {"folder", Standing::Folder, false},
        {"FIFO", Standing::Fifo, false},
    };
    for (const auto& c : cases) {
      QTemporaryDir temp;
      const fs::path dir = ToFsPath(temp.path());
      const fs::path lock = dir / "zovek.lock";
      const fs::path outside = dir / "notes.txt";
      const fs::path notCreated = dir / "new.txt";
      const Bytes notes(40, 0x4E);
      WriteFile(FromFsPath(outside), notes);
      const fs::perms outsideMode = fs::perms::owner_read | fs::perms::owner_write;  // a link could be opened
      fs::permissions(outside, outsideMode, fs::perm_options::replace);
      std::error_code ec;
      InstanceLock holder;
      switch (c.standing) {
        case Standing::Nothing: break;
        case Standing::CrashLeftover:
          WriteFile(FromFsPath(lock), Bytes{'4', '2'});
          fs::permissions(lock, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
          break;
        case Standing::HeldByAnother: QVERIFY(holder.TryLock(lock)); break;
        case Standing::SymbolicLink: fs::create_symlink(outside, lock, ec); break;
        case Standing::DanglingLink: fs::create_symlink(notCreated, lock, ec); break;
        case Standing::Folder: fs::create_directory(lock); break;
        case Standing::Fifo:
#if defined(Q_OS_UNIX)
          QCOMPARE(::mkfifo(lock.c_str(), 0600), 0);
#else
          continue;
#endif
          break;
      }
      if (ec) continue;  // no symbolic links here

      {
        InstanceLock lockHere;
        QVERIFY2(lockHere.TryLock(lock) == c.taken, c.name);
        QCOMPARE(ReadFile(FromFsPath(outside)), notes);
        QCOMPARE(fs::status(outside).permissions(), outsideMode);
        QVERIFY2(!fs::exists(fs::symlink_status(notCreated)), c.name);
        if (c.standing == Standing::Folder) QVERIFY(fs::is_directory(fs::symlink_status(lock)));
        if (c.taken) {
          QVERIFY2(fs::is_regular_file(fs::symlink_status(lock)), c.name);
          if (c.standing == Standing::CrashLeftover) QCOMPARE(ReadFile(FromFsPath(lock)), (Bytes{'4', '2'}));
#if defined(Q_OS_UNIX)
          QCOMPARE(fs::status(lock).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
        }
      }
    }
  }

  void secondInstanceEndsAndLeavesTheWorkingCopy() {
    QTemporaryDir dataHome;
    const QString dataDir = dataHome.filePath(QStringLiteral("zovek"));
    const QString lock = dataDir + QStringLiteral("/zovek.lock");
    const QString workingCopy = dataDir + QStringLiteral("/zovek.tmp");

    QProcess first;
    first.setProcessEnvironment(EditorEnvironment(dataHome.path()));
    first.start(QStringLiteral(ZOVEK_EXECUTABLE), {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 10000);
    WriteFile(workingCopy, Bytes(64, 3));  // as if the first had opened a card

    QProcess second;
    second.setProcessEnvironment(EditorEnvironment(dataHome.path()));
    second.start(QStringLiteral(ZOVEK_EXECUTABLE), {});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(QFile::exists(workingCopy));
    QCOMPARE(first.state(), QProcess::Running);

    // Once the first is gone, even without its close-down, a new one starts.
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    QProcess third;
    third.setProcessEnvironment(EditorEnvironment(dataHome.path()));
    third.start(QStringLiteral(ZOVEK_EXECUTABLE), {});
    QVERIFY(third.waitForStarted());
    QVERIFY(!third.waitForFinished(1500));  // still running: it took over the lock
    third.kill();
    QVERIFY(third.waitForFinished(10000));
  }
};

QTEST_MAIN(LifecycleTest)
#include "LifecycleTest.moc"
