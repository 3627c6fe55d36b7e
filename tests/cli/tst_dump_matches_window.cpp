// `zovek-cli dump --json` against the real window, field by field, for every
// save of examples/demo.mcr: every character, every technique category,
// every scenario entry, the roles, the party, the possessions and the header
// values. Both read the same file; the window is driven the way a user
// drives it (menu, keys, clicks).
//
// Where the window clamps a value for display (CR and chips above 999999
// shown as 999999, a play time of 100 hours or more as 99 hours) the dump
// shows the clamped value too and keeps the stored one beside it; empty
// counts and party slots, shown as "-", are null.

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "ui/FlexGrid.h"
#include "ui/FrmMain.h"
#include "ui/GuiTestSupport.h"

using namespace zovek;
using namespace zovek::guitest;

namespace {

constexpr qint64 kShownMaximum = 999999;  // CR and chips
constexpr qint64 kShownHours = 99;        // the hours box takes two digits
constexpr qint64 kSixtiethsPerHour = 216000;

QString Num(qint64 v) { return QString::number(v); }
QString CountText(const QJsonValue& v) { return v.isNull() ? QStringLiteral("-") : Num(v.toInt()); }

QJsonObject Dump(const QString& file, int save) {
  QProcess process;
  process.start(QStringLiteral(ZOVEK_CLI_PATH),
                {QStringLiteral("dump"), file, QStringLiteral("--save"), Num(save), QStringLiteral("--json")});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    qWarning("zovek-cli failed: %s", process.readAllStandardError().constData());
    return {};
  }
  return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

}  // namespace

class DumpMatchesWindowTest : public WindowTest {
  Q_OBJECT

 private:
  int compared_ = 0;  // fields compared, so a test that compared nothing shows

  QString text(const QString& box) { return get<QLineEdit>(box)->text(); }
  QString cell(int grid, int row, int col) { return get<FlexGrid>(QStringLiteral("Fgrid(%1)").arg(grid))->text(row, col); }
  void same(const QString& shown, const QString& dumped, const QString& what) {
    ++compared_;
    QVERIFY2(shown == dumped, qPrintable(what + ": window " + shown + ", dump " + dumped));
  }

  void compareItems(int grid, const QJsonArray& items, const QString& what) {
    for (const QJsonValue item : items) {
      const int row = item["slot"].toInt();
      const QString where = what + QStringLiteral(" row %1").arg(row);
      same(cell(grid, row, 0), item["label"].toString(), where + " label");
      same(cell(grid, row, 1), Num(item["code"].toInt()), where + " code");
      same(cell(grid, row, 2), CountText(item["count"]), where + " count");
      same(cell(grid, row, 3), item["name"].toString(), where + " name");
    }
  }

  void compareCharacters(const QJsonArray& characters) {
    auto* list = get<QComboBox>(QStringLiteral("cmbChara"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (const QJsonValue value : characters) {
      const QJsonObject c = value.toObject();
      const int k = c["index"].toInt();
      QCOMPARE(window_->Session().State().CharacterBase, static_cast<std::int16_t>(112 * k));
      const QString who = QStringLiteral("character %1").arg(k);
      same(list->itemText(k), c["name"].toString(), who + " name");
      same(cell(0, 1, 1), Num(c["age"].toInteger()), who + " 年齢");
      // The soldier entries have no joined bit: both show "0" (the dump's joinedStored is null).
      same(cell(0, 2, 1), c["joined"].toBool() ? "1" : "0", who + " 仲間加入");
      same(cell(0, 3, 1), c["martialArts"]["on"].toBool() ? "1" : "0", who + " 体術使用");
      // The window clamps CR for display, and so does the dump; the stored value stands beside.
      same(cell(0, 4, 1), Num(c["cr"].toInteger()), who + " CR");
      same(cell(0, 4, 1), Num(std::min(c["crStored"].toInteger(), kShownMaximum)), who + " CR stored");
      const char* keys[] = {"hp", "maxHp", "lp", "maxLp", "wp", "maxWp", "jp", "maxJp"};
      for (int i = 0; i < 8; ++i) same(cell(0, 5 + i, 1), Num(c[keys[i]].toInteger()), who + " " + keys[i]);
      const QJsonArray skills = c["skills"].toArray();
      QCOMPARE(skills.size(), 12);
      for (int i = 0; i < 12; ++i) {
        const QJsonValue s = skills[i];
        same(cell(0, 13 + i, 0), s["caption"].toString(), who + " skill caption");
        same(cell(0, 13 + i, 1), Num(s["level"].toInt()), who + " " + s["caption"].toString());
        ++compared_;
        QCOMPARE(get<QCheckBox>(QStringLiteral("chkSitu(%1)").arg(i))->isChecked(), s["aptitude"].toBool());
      }
      compareItems(1, c["equipment"].toArray(), who + " equipment");
      QTest::keyClick(list, Qt::Key_Down);
    }
  }

  void compareTechniques(const QJsonArray& categories) {
    auto* combo = get<QComboBox>(QStringLiteral("cmbWaza"));
    auto* list = get<QListWidget>(QStringLiteral("lstWaza"));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (const QJsonValue category : categories) {
      QCOMPARE(int{window_->Session().State().SelectedCategory}, category["index"].toInt());
      same(combo->currentText(), category["name"].toString(), "category name");
      const QJsonArray techniques = category["techniques"].toArray();
      QCOMPARE(list->count(), techniques.size());
      for (const QJsonValue t : techniques) {
        const QListWidgetItem* item = list->item(t["row"].toInt());
        same(item->text(), t["name"].toString(), "technique name");
        ++compared_;
        QCOMPARE(item->checkState() == Qt::Checked, t["mastered"].toBool());
      }
      QTest::keyClick(combo, Qt::Key_Down);
    }
  }

  void compareScenarios(const QJsonArray& entries) {
    get<QTabWidget>(QStringLiteral("SSTab"))->setCurrentIndex(1);
    QCoreApplication::processEvents();
    auto* list = get<QListWidget>(QStringLiteral("lstEvt"));
    const QStringList states = {"hidden", "unvisited", "current", "finished"};
    for (const QJsonValue e : entries) {
      const int entry = e["entry"].toInt();
      QListWidgetItem* item = list->item(entry);
      list->scrollToItem(item);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
      QCOMPARE(int{window_->Session().State().CurrentScenarioEntry}, entry);
      same(item->text(), e["caption"].toString(), QStringLiteral("scenario %1 caption").arg(entry));
      const int option = static_cast<int>(states.indexOf(e["state"].toString()));
      QVERIFY(option >= 0);
      ++compared_;
      QVERIFY2(get<QRadioButton>(QStringLiteral("optEvt(%1)").arg(option))->isChecked(),
               qPrintable(QStringLiteral("scenario %1: state %2").arg(entry).arg(e["state"].toString())));
    }
  }

  void compareGeneral(const QJsonObject& dump) {
    same(text("txtValue(1)"), Num(dump["protagonist"].toInt()), "主人公コード");
    // Chips and hours are clamped by the window, and by the dump; the stored values stand beside.
    same(text("txtValue(2)"), Num(dump["chips"].toInteger()), "チップ");
    same(text("txtValue(2)"), Num(std::min(dump["chipsStored"].toInteger(), kShownMaximum)), "チップ stored");
    same(text("txtValue(3)"), Num(dump["playTime"]["hours"].toInteger()), "時間");
    same(text("txtValue(3)"),
         Num(std::min(dump["playTime"]["sixtieths"].toInteger() / kSixtiethsPerHour, kShownHours)), "時間 stored");
    same(text("txtValue(4)"), Num(dump["playTime"]["minutes"].toInteger()), "分");
    QJsonArray party = dump["party"]["main"].toArray();
    for (const QJsonValue p : dump["party"]["sub"].toArray()) party.append(p);
    QCOMPARE(party.size(), 8);
    for (const QJsonValue p : party) {
      const int slot = p["slot"].toInt();
      same(text(QStringLiteral("txtParty(%1)").arg(slot)), CountText(p["code"]), QStringLiteral("party %1").arg(slot));
      same(get<QLabel>(QStringLiteral("lblValue(%1)").arg(slot))->text(), p["label"].toString(),
           QStringLiteral("party label %1").arg(slot));
    }
    auto* roles = get<QListWidget>(QStringLiteral("lstRoll"));
    for (const QJsonValue r : dump["roles"].toArray()) {
      const QListWidgetItem* item = roles->item(r["entry"].toInt());
      same(item->text(), r["caption"].toString(), "role caption");
      ++compared_;
      QCOMPARE(item->checkState() == Qt::Checked, r["acquired"].toBool());
    }
    compareItems(2, dump["possessions"].toArray(), "possessions");
  }

 private Q_SLOTS:
  void init() { openWindow(false); }
  void cleanup() {
    window_.reset();
    files_.reset();
  }

  void everySaveOfTheDemoCardAgrees() {
    const QString file = files_->filePath(QStringLiteral("demo.mcr"));
    QVERIFY(QFile::copy(QStringLiteral(ZOVEK_EXAMPLES_DIR "/demo.mcr"), file));
    OpenThroughMenu(*window_, file);
    QCOMPARE(int{window_->Session().State().SelectedSave}, 1);

    bool sawClampedHours = false;
    bool sawClampedChips = false;
    for (const int save : {1, 3, 12}) {
      Choose(*window_, QStringLiteral("mnuSelSave(%1)").arg(save));
      QCOMPARE(int{window_->Session().State().SelectedSave}, save);
      const QJsonObject dump = Dump(file, save);
      QCOMPARE(dump["save"]["number"].toInt(), save);
      compareGeneral(dump);
      compareCharacters(dump["characters"].toArray());
      compareTechniques(dump["techniques"].toArray());
      compareScenarios(dump["scenarios"].toArray());
      sawClampedHours = sawClampedHours || dump["playTime"]["sixtieths"].toInteger() / kSixtiethsPerHour > kShownHours;
      sawClampedChips = sawClampedChips || dump["chipsStored"].toInteger() > kShownMaximum;
    }
    // The demo card holds both clamped cases, so the difference was exercised.
    QVERIFY(sawClampedHours);
    QVERIFY(sawClampedChips);
    QVERIFY2(compared_ > 3 * (27 * 40 + 143 + 58 + 28 + 64 * 4), qPrintable(QString::number(compared_)));
  }
};

QTEST_MAIN(DumpMatchesWindowTest)
#include "tst_dump_matches_window.moc"
