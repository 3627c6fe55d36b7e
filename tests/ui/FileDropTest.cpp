// Files dropped on the real window: one file is opened exactly as the open
// command opens the file its dialog returns; anything else is not taken.

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "savefile/PathEncoding.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/EditingSupport.h"
#include "ui/ProgramData.h"

using namespace zovek;
using namespace zovek::guitest;
namespace layout = savegen::layout;

namespace {

SaveBuffer WithProtagonist(std::uint32_t seed, std::uint8_t code) {
  SaveBuffer region = savegen::DemoRegion(seed);
  region[layout::kProtagonist] = code;
  savegen::ApplyChecksum(region, savegen::ChecksumMode::Correct);
  return region;
}

}  // namespace

class FileDropTest : public WindowTest {
  Q_OBJECT

 private:
  TextBox* protagonist() { return Find<TextBox>(window_.get(), QStringLiteral("txtValue(1)")); }
  // Offers the data to the window as a drag entering it; true when taken.
  bool offer(QMimeData& data) {
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_.get(), &enter);
    return enter.isAccepted();
  }
  // Drags the data onto the window and drops it there, as the user does: Qt
  // delivers the drop only to the widget that took the drag. Then lets the
  // queued open run.
  bool drop(QMimeData& data) { return offer(data) && release(data); }
  // Only the drop, to whichever widget took the last drag.
  bool release(QMimeData& data) {
    QDropEvent dropped(QPointF(100, 100), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_.get(), &dropped);
    QCoreApplication::processEvents();
    return dropped.isAccepted();
  }
  static void setFiles(QMimeData& data, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
  }

 private Q_SLOTS:
  void init() {
    openWindow(true);
  }
  void cleanup() {
    closeWindow();
  }

  void droppedCardIsOpenedAndSaved() {
    const QString first = WriteTwoSaveCard(path(QStringLiteral("first.mcr")), WithProtagonist(1, 11), WithProtagonist(2, 12));
    OpenThroughMenu(*window_, first);
    QCOMPARE(protagonist()->text(), QStringLiteral("11"));
    // An edit left open: the drop commits it before anything is opened.
    auto* g0 = Find<FlexGrid>(window_.get(), QStringLiteral("Fgrid(0)"));
    DoubleClickCell(g0, 5, 1);
    TypeKeys(QStringLiteral("123"));
    QVERIFY(window_->State().EditRow != 0);

    const QString second = WriteTwoSaveCard(path(QStringLiteral("second.mcr")), WithProtagonist(3, 33), WithProtagonist(4, 44));
    QMimeData data;
    setFiles(data, {second});
    QVERIFY(drop(data));
    QTRY_COMPARE(FromFsPath(window_->Session().State().ChosenPath), second);
    QCOMPARE(window_->State().EditRow, std::int16_t{0});
    QVERIFY(!Find<TextBox>(window_.get(), QStringLiteral("txtFlex"))->isVisible());
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});
    QCOMPARE(window_->Session().State().SelectedSave, std::int16_t{3});
    QCOMPARE(protagonist()->text(), QStringLiteral("33"));
    QCOMPARE(ReadFile(WorkingCopyPath()), ReadFile(second));
    QVERIFY(Find<QTabWidget>(window_.get(), QStringLiteral("SSTab"))->hasFocus());
    QVERIFY(Dialogs::shownMessages().isEmpty());

    // Saving now writes the dropped file.
    ClickTab(*window_, 2);
    TypeInto(protagonist(), QStringLiteral("99"));
    const Bytes firstBytes = ReadFile(first);
    SaveThroughMenu(*window_, QMessageBox::Yes);
    QCOMPARE(ReadFile(second)[RegionOffset(kSave3Block) + layout::kProtagonist], std::uint8_t{99});
    QCOMPARE(ReadFile(first), firstBytes);
  }

  void droppedSingleSaveIsOpened() {
    savegen::SingleSave single(4);
    single.GameSave(savegen::DigitForSave(5), WithProtagonist(5, 55));
    const QString file = path(QStringLiteral("one.ps"));
    WriteFile(file, single.bytes());
    QMimeData data;
    setFiles(data, {file});
    QVERIFY(drop(data));
    QTRY_COMPARE(window_->Session().State().FileKind, FileKind{2});
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), file);
    QCOMPARE(protagonist()->text(), QStringLiteral("55"));
  }

  // A name that is not UTF-8 comes percent-encoded byte by byte, as a file
  // manager writes it: the file of those bytes is opened.
  void droppedFileWithANameThatIsNotUtf8IsOpened() {
    if (!kPathsAreBytes) QSKIP("Windows passes names as UTF-16: none is bytes that are not UTF-8");
    const QString file = WriteTwoSaveCard(path(NameNotUtf8()), WithProtagonist(3, 33), WithProtagonist(4, 44));
    const QByteArray bytes = QByteArray::fromStdString(PathBytes(ToFsPath(file)));
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), "file://" + bytes.toPercentEncoding("/") + "\r\n");
    QVERIFY(drop(data));
    QTRY_COMPARE(FromFsPath(window_->Session().State().ChosenPath), file);
    QCOMPARE(protagonist()->text(), QStringLiteral("33"));
    QCOMPARE(ReadFile(WorkingCopyPath()), ReadFile(file));
    QVERIFY(Dialogs::shownMessages().isEmpty());
  }

  void droppedFileOfAWrongLengthIsRefused() {
    OpenThroughMenu(*window_, WriteTwoSaveCard(path(QStringLiteral("good.mcr")), WithProtagonist(1, 11), WithProtagonist(2, 12)));
    const QString wrong = path(QStringLiteral("wrong.mcr"));
    WriteFile(wrong, Bytes(131071, 0x5A));
    QMimeData data;
    setFiles(data, {wrong});
    QVERIFY(drop(data));  // taken: the length is the open command's business
    QTRY_COMPARE(Dialogs::shownMessages().size(), qsizetype{1});
    const ShownMessage shown = LastMessage();
    QCOMPARE(shown.title, QStringLiteral("Error"));
    QCOMPARE(shown.text, QStringLiteral("このファイルは対応していません。"));
    QCOMPARE(shown.icon, QMessageBox::Information);
    VerifyResetState(*window_, false);
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), wrong);
    QCOMPARE(ReadFile(wrong), Bytes(131071, 0x5A));
  }

  void anythingButOneFileIsNotTaken() {
    const QString a = WriteTwoSaveCard(path(QStringLiteral("a.mcr")), WithProtagonist(1, 11), WithProtagonist(2, 12));
    const QString b = WriteTwoSaveCard(path(QStringLiteral("b.mcr")), WithProtagonist(3, 33), WithProtagonist(4, 44));
    QVERIFY(QDir(files_->path()).mkdir(QStringLiteral("folder.mcr")));

    QMimeData two;
    setFiles(two, {a, b});
    QMimeData folder;
    setFiles(folder, {path(QStringLiteral("folder.mcr"))});
    QMimeData missing;
    setFiles(missing, {path(QStringLiteral("gone.mcr"))});
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.com/a.mcr"))});
    QMimeData text;
    text.setText(a);
    QMimeData one;
    setFiles(one, {a});
    for (QMimeData* data : {&two, &folder, &missing, &remote, &text}) {
      QVERIFY(!offer(*data));
      // Should such data still reach the window (its drag taken as one
      // file's), the drop opens nothing.
      QVERIFY(offer(one));
      QVERIFY(!release(*data));
    }
    QCoreApplication::processEvents();
    QCOMPARE(window_->Session().State().FileKind, FileKind{0});
    QCOMPARE(FromFsPath(window_->Session().State().ChosenPath), QString());
    QVERIFY(Dialogs::shownMessages().isEmpty());
    VerifyResetState(*window_, true);
  }
};

QTEST_MAIN(FileDropTest)
#include "FileDropTest.moc"
