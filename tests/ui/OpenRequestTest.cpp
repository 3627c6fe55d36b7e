// A file named on the command line, and the hand-over from a later start:
// this test process is the running editor (the real window, lock, server and
// queue, wired by Startup as the program wires them) and the real program is
// started as the later start.

#include <QDir>
#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "ByteArgumentProcess.h"
#include "savefile/PathEncoding.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/CommandLine.h"
#include "ui/GuiTestSupport.h"
#include "ui/OpenRequestQueue.h"
#include "ui/OpenRequestServer.h"
#include "ui/ProgramData.h"
#include "ui/Startup.h"

using namespace zovek;
using namespace zovek::guitest;

namespace {

// The wire format written out by hand: a 4-byte big-endian length, the text.
QByteArray Frame(const QByteArray& text, quint32 length) {
  QByteArray frame(4, '\0');
  qToBigEndian(length, frame.data());
  return frame + text;
}
QByteArray Frame(const QByteArray& text) { return Frame(text, static_cast<quint32>(text.size())); }

// The region of `file` the window should have loaded, by the window's own slot choice.
Bytes ExpectedRegion(const Bytes& file, const SessionState& state) {
  const auto offset = static_cast<std::ptrdiff_t>(DataRegionOffset(state.FileKind, state.SlotTable, state.SelectedSave));
  return Bytes(file.begin() + offset, file.begin() + offset + static_cast<std::ptrdiff_t>(kDataRegionSize));
}

Bytes BufferBytes(const FrmMain& window) { return Bytes(window.Buffer().begin(), window.Buffer().end()); }

}  // namespace

class OpenRequestTest : public WindowTest {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> runtime_;
  std::unique_ptr<Startup> startup_;
  Bytes card_;
  Bytes single_;

  // This process as the running editor, with a card image and a single-save
  // file ready in the test's folder.
  void becomeFirstInstance() {
    openWindow(false);
    startup_ = std::make_unique<Startup>();
    QVERIFY(startup_->ClaimSingleInstance());
    QVERIFY(startup_->ListenForRequests());
    startup_->HandRequestsTo(*window_);
    card_ = TwoSavesAndAnotherGame();
    WriteFile(path(QStringLiteral("card.mcr")), card_);
    single_ = savegen::SingleSave(5).GameSave(savegen::DigitForSave(4), savegen::DemoRegion(4)).bytes();
    WriteFile(path(QStringLiteral("single.mcr")), single_);
  }

  // Runs the real program as a later start and waits for its end (exit code 0),
  // the event loop running meanwhile.
  void runLaterStart(const QStringList& arguments, const QString& directory = {}) {
    QProcess later;
    if (!directory.isEmpty()) later.setWorkingDirectory(directory);
    testprocess::StartWithArgumentBytes(later, QStringLiteral(ZOVEK_EXECUTABLE), arguments);
    QVERIFY(later.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(later.state() == QProcess::NotRunning, 15000);
    QCOMPARE(later.exitStatus(), QProcess::NormalExit);
    QCOMPARE(later.exitCode(), 0);
  }

  // Runs the real program with no display at all (DISPLAY, WAYLAND_DISPLAY
  // and QT_QPA_PLATFORM removed) and waits for its end, the event loop running.
  void runWithoutDisplay(const QStringList& arguments, const QString& dataHome, int& exitCode, QByteArray& out,
                         QByteArray& err) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(QString::fromLatin1(name));
    }
    if (!dataHome.isEmpty()) environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(files_->path());
    program.start(QStringLiteral(ZOVEK_EXECUTABLE), arguments);
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, 15000);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    exitCode = program.exitCode();
    out = program.readAllStandardOutput();
    err = program.readAllStandardError();
  }

  // Another window takes the focus, so that coming forward can be seen.
  void activateDecoy(QWidget& decoy) {
    decoy.show();
    decoy.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&decoy));
    QVERIFY(!window_->isActiveWindow());
  }

 private Q_SLOTS:
  void initTestCase() {
    // A private runtime directory: the sockets of other tests are never met.
    runtime_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_->path()));
  }

  void cleanup() {
    window_.reset();
    startup_.reset();
  }

  // A plain name, and one that is not UTF-8 (the program gets its bytes).
  static void fileNames() {
    QTest::addColumn<QString>("name");
    QTest::newRow("card.mcr") << QStringLiteral("card.mcr");
    QTest::newRow("not UTF-8") << NameNotUtf8();
  }
  static bool skipsHere(const QString& name) { return !kPathsAreBytes && name == NameNotUtf8(); }

  void laterStartHandsItsFileOverAndActivates_data() { fileNames(); }
  void laterStartHandsItsFileOverAndActivates() {
    QFETCH(QString, name);
    if (skipsHere(name)) QSKIP("Windows passes names as UTF-16: none is bytes that are not UTF-8");
    // A socket left by an instance that ended: only the lock holder replaces it.
    PrepareApplication();
    QFile stale(Startup::RequestServerName());
    QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write("left over") > 0);
    stale.close();
    QVERIFY(!Startup().ListenForRequests());
    QVERIFY(stale.exists());
    becomeFirstInstance();
    WriteFile(path(name), card_);
    QWidget decoy;
    activateDecoy(decoy);
    // Relative: taken from the later start's own directory.
    runLaterStart({name}, files_->path());
    QTRY_COMPARE(window_->Session().State().FileKind, kCardImage);
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), path(name));
    QCOMPARE(BufferBytes(*window_), ExpectedRegion(card_, window_->Session().State()));
    QCOMPARE(ReadFile(WorkingCopyPath()), card_);
    QTRY_VERIFY(window_->isActiveWindow());
    VerifyNoErrorShown();
    QVERIFY(Dialogs::shownMessages().isEmpty());
  }

  void laterStartWithoutAFileOnlyActivates() {
    becomeFirstInstance();
    OpenThroughMenu(*window_, path(QStringLiteral("single.mcr")));
    QCOMPARE(window_->Session().State().FileKind, kSingleSave);
    const Bytes loaded = BufferBytes(*window_);
    QWidget decoy;
    activateDecoy(decoy);
    runLaterStart({});
    QTRY_VERIFY(window_->isActiveWindow());
    QCOMPARE(window_->Session().State().FileKind, kSingleSave);
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), path(QStringLiteral("single.mcr")));
    QCOMPARE(BufferBytes(*window_), loaded);
    QVERIFY(Dialogs::shownMessages().isEmpty());
  }

  // Requests wait while a modal box is up; of two waiting files the later
  // one is opened and the earlier (a refused length) never is.
  void requestsWaitForAModalBoxAndTheLastWins() {
    becomeFirstInstance();
    WriteFile(path(QStringLiteral("odd.mcr")), Bytes(1000, 1));
    QMessageBox box(QMessageBox::Information, QStringLiteral("Error"), QStringLiteral("busy"), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(OpenRequestQueue::ApplicationBusy());

    runLaterStart({path(QStringLiteral("odd.mcr"))});
    QTRY_COMPARE(startup_->Requests().PendingPath(), path(QStringLiteral("odd.mcr")));
    runLaterStart({path(QStringLiteral("single.mcr"))});
    QTRY_COMPARE(startup_->Requests().PendingPath(), path(QStringLiteral("single.mcr")));
    QTest::qWait(3 * OpenRequestQueue::kRetryMs);
    QCOMPARE(window_->Session().State().FileKind, kNoFile);
    QVERIFY(Dialogs::shownMessages().isEmpty());

    box.close();
    QTRY_COMPARE(window_->Session().State().FileKind, kSingleSave);
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), path(QStringLiteral("single.mcr")));
    QCOMPARE(BufferBytes(*window_), ExpectedRegion(single_, window_->Session().State()));
    QVERIFY(startup_->Requests().PendingPath().isEmpty());
    QVERIFY(Dialogs::shownMessages().isEmpty());  // odd.mcr would have been refused with a message
  }

  // Clients that send nothing, garbage, too much or a relative path are
  // dropped without effect; the server still serves the next one.
  void malformedRequestsAreIgnored() {
    becomeFirstInstance();
    const QByteArray card = path(QStringLiteral("card.mcr")).toUtf8();
    const QList<QByteArray> sent = {
        {},                                                    // nothing at all: dropped at the time limit
        QByteArrayLiteral("hello, anyone listening?"),         // no length: read as a huge one
        Frame("open " + card + QByteArray(9000, 'x')),         // over the size limit
        Frame("open " + card, 9000),                           // announces too much
        Frame("open card.mcr"),                                // relative
        Frame("open :/card.mcr"),                              // a Qt resource name
        Frame("open " + card + '\0' + ".mcr"),                // a NUL, where the system would cut the name
        Frame("opne " + card),                                 // unknown word
        Frame("open " + card) + "trailing",                    // bytes after the frame
        Frame("open "),                                        // no path
        Frame("open " + card).left(10),                        // cut short, then silent
    };
    for (const QByteArray& bytes : sent) {
      QLocalSocket client;
      client.connectToServer(Startup::RequestServerName());
      QVERIFY(client.waitForConnected(2000));
      client.write(bytes);
      QVERIFY(client.flush() || bytes.isEmpty());
      // The server ends every connection itself, within its time limit.
      QTRY_VERIFY_WITH_TIMEOUT(client.state() == QLocalSocket::UnconnectedState,
                               OpenRequestServer::kConnectionTimeoutMs + 3000);
    }
    QTest::qWait(3 * OpenRequestQueue::kRetryMs);
    QCOMPARE(window_->Session().State().FileKind, kNoFile);
    QVERIFY(startup_->Requests().PendingPath().isEmpty());
    QVERIFY(Dialogs::shownMessages().isEmpty());

    QLocalSocket client;
    client.connectToServer(Startup::RequestServerName());
    QVERIFY(client.waitForConnected(2000));
    client.write(Frame("open " + card));
    QVERIFY(client.flush());
    QTRY_COMPARE(window_->Session().State().FileKind, kCardImage);
    QCOMPARE(BufferBytes(*window_), ExpectedRegion(card_, window_->Session().State()));
  }

  // A running editor that listens nowhere (no channel could be made): a later
  // start with a file says in a box that the file was not handed over and
  // ends with 1; without a file it ends silently. Once the editor listens,
  // the same file goes over without a box.
  void fileThatCannotBeHandedOverIsNamedInABox() {
    PrepareApplication();
    QTemporaryDir files;
    Startup running;
    QVERIFY(running.ClaimSingleInstance());
    QVERIFY(!Startup().ClaimSingleInstance());
    const QString card = QDir(files.path()).absoluteFilePath(QStringLiteral("カード 1.mcr"));
    const QString nested = QDir(files.path()).absoluteFilePath(QStringLiteral("sub/dir/save.gme"));
    struct Case {
      QString file;
      int exitCode;
    };
    for (const Case& c : {Case{card, 1}, Case{nested, 1}, Case{QString(), 0}}) {
      Dialogs::clearRecord();
      Dialogs::setNextAnswer(QMessageBox::Ok);
      QCOMPARE(Startup::HandOverToRunningEditor(c.file), c.exitCode);
      if (c.file.isEmpty()) {
        QVERIFY(Dialogs::shownMessages().isEmpty());
        continue;
      }
      QCOMPARE(Dialogs::shownMessages().size(), 1);
      const ShownMessage& box = Dialogs::shownMessages().first();
      QCOMPARE(box.title, QStringLiteral("Error"));
      QCOMPARE(box.text,
               QStringLiteral("起動中のエディタにファイルを渡せませんでした。\r\n") + QDir::toNativeSeparators(c.file));
      QCOMPARE(box.icon, QMessageBox::Information);
      QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
      QCOMPARE(box.defaultButton, QMessageBox::Ok);
    }
    // The real program as that later start, without a file: no box can hold it up.
    runLaterStart({});

    QVERIFY(running.ListenForRequests());
    Dialogs::clearRecord();
    QCOMPARE(Startup::HandOverToRunningEditor(card), 0);
    QVERIFY(Dialogs::shownMessages().isEmpty());
    QTRY_COMPARE(running.Requests().PendingPath(), card);
  }

  // --help, --version and a wrong command line answer on the terminal with
  // no display, before the single-instance step: no data directory is made.
  void helpAndVersionNeedNoDisplay() {
    openWindow(false);
    QTemporaryDir dataHome;
    const QByteArray usage = EditorUsageText().toUtf8();
    struct Case {
      QStringList arguments;
      int exitCode;
      QByteArray out;
      QByteArray errStart;  // the problem's line, then the usage
    };
    const QByteArray help = EditorHelpText().toUtf8();
    const QByteArray version = EditorVersionText().toUtf8();
    const Case cases[] = {
        {{QStringLiteral("--help")}, 0, help, {}},
        {{QStringLiteral("-h"), QStringLiteral("card.mcr")}, 0, help, {}},
        {{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--help")}, 0, help, {}},
        {{QStringLiteral("--version")}, 0, version, {}},
        {{QStringLiteral("card.mcr"), QStringLiteral("-v")}, 0, version, {}},
        {{QStringLiteral("--frob")}, 64, {}, "zovek: Unknown option 'frob'.\n"},
        {{QStringLiteral("-x.mcr")}, 64, {}, "zovek: Unknown options: x, ., m, c, r.\n"},
        {{QStringLiteral("a.mcr"), QStringLiteral("b.mcr")}, 64, {}, "zovek: one FILE at most, not 2\n"},
        {{QStringLiteral("-style")}, 64, {}, "zovek: option '-style' needs a value\n"},
        {{QStringLiteral("--language=en"), QStringLiteral("--help")}, 0, help, {}},
        {{QStringLiteral("--language"), QStringLiteral("fr")}, 64, {}, "zovek: unknown language 'fr' (ja or en)\n"},
        {{QStringLiteral("--language")}, 64, {}, "zovek: Missing value after '--language'.\n"},
    };
    for (const Case& c : cases) {
      const QByteArray name = c.arguments.join(QLatin1Char(' ')).toUtf8();
      int exitCode = -1;
      QByteArray out;
      QByteArray err;
      runWithoutDisplay(c.arguments, dataHome.path(), exitCode, out, err);
      QVERIFY2(exitCode == c.exitCode, name.constData());
      QVERIFY2(out == c.out, name.constData());
      QVERIFY2(err == (c.exitCode == 0 ? QByteArray() : c.errStart + usage), (name + ": " + err).constData());
    }
    QVERIFY(version.startsWith("zovek " ZOVEK_VERSION "\n"));
    QVERIFY(version.contains("GPL-3.0-or-later"));
    for (const char* part : {"Usage: zovek [OPTIONS] [FILE]", "-h, --help", "-v, --version", "--language", "  --  ",
                             "-platform", "-style", "FILE  "}) {
      QVERIFY2(help.contains(part), part);
    }
    QVERIFY(QDir(dataHome.path()).isEmpty());
  }

  // Qt's own options reach Qt (without -platform the start would need a
  // display), and after "--" a name that begins with a dash is the file:
  // the running editor opens it.
  void qtOptionsAndDoubleDashReachTheirPlaces() {
    becomeFirstInstance();
    WriteFile(path(QStringLiteral("-x.mcr")), card_);
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    runWithoutDisplay({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-style"),
                       QStringLiteral("fusion"), QStringLiteral("-reverse"), QStringLiteral("--"),
                       QStringLiteral("-x.mcr")},
                      {}, exitCode, out, err);
    QCOMPARE(exitCode, 0);
    QTRY_COMPARE(window_->Session().State().FileKind, kCardImage);
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), path(QStringLiteral("-x.mcr")));
    QCOMPARE(BufferBytes(*window_), ExpectedRegion(card_, window_->Session().State()));
  }

  // The real program started with a relative file name opens it: its working
  // copy appears with the card's bytes.
  void fileOnTheCommandLineIsOpenedAtStart_data() { fileNames(); }
  void fileOnTheCommandLineIsOpenedAtStart() {
    QFETCH(QString, name);
    if (skipsHere(name)) QSKIP("Windows passes names as UTF-16: none is bytes that are not UTF-8");
    PrepareApplication();
    QTemporaryDir files;
    QTemporaryDir dataHome;
    const Bytes card = TwoSavesAndAnotherGame();
    WriteFile(files.path() + QLatin1Char('/') + name, card);
    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    editor.setProcessEnvironment(environment);
    editor.setWorkingDirectory(files.path());
    testprocess::StartWithArgumentBytes(editor, QStringLiteral(ZOVEK_EXECUTABLE), {name});
    QVERIFY(editor.waitForStarted());
    const QString workingCopy = dataHome.filePath(QStringLiteral("zovek/zovek.tmp"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(workingCopy) && ReadFile(workingCopy) == card, 15000);
    QCOMPARE(editor.state(), QProcess::Running);
    editor.kill();
    QVERIFY(editor.waitForFinished(10000));
  }
};

QTEST_MAIN(OpenRequestTest)
#include "OpenRequestTest.moc"
