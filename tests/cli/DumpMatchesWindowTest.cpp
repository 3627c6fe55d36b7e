// `zovek-cli dump --json` against the real window, field by field, for every
// save of examples/demo.mcr: every character, every technique category,
// every scenario entry, the roles, the party, the possessions and the header
// values. Both read the same file; the window is driven the way a user
// drives it (menu, keys, clicks).
//
// And `zovek-cli set` against the same edits made in the real window and
// saved with "はい": the two files must hold the same bytes.
//
// Where the window clamps a value for display (CR and chips above 999999
// shown as 999999, a play time of 100 hours or more as 99 hours) the dump
// shows the clamped value too and keeps the stored one beside it; empty
// counts and party slots, shown as "-", are null.

#include <algorithm>
#include <functional>

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
#include <QRegularExpression>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "ui/EditingSupport.h"
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

// The dump of save `save` (0: the save the editor shows first).
QJsonObject Dump(const QString& file, int save) {
  QProcess process;
  QStringList arguments = {QStringLiteral("dump"), file, QStringLiteral("--json")};
  if (save != 0) arguments << QStringLiteral("--save") << Num(save);
  process.start(QStringLiteral(ZOVEK_CLI_PATH), arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    qWarning("zovek-cli failed: %s", process.readAllStandardError().constData());
    return {};
  }
  return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

// One edit of the table: a key of `set` and the value; "!" flips a check
// mark or 0/1 cell from what the window shows.
struct KeyEdit {
  QString key;
  QString value;
};

// Character grid rows by the key's last part.
const QStringList kGridRowKeys = {"",   "age",  "joined", "martialArts.on", "cr", "hp",   "maxHp",
                                  "lp", "maxLp", "wp",    "maxWp",          "jp", "maxJp"};
const QStringList kStates = {"hidden", "unvisited", "current", "finished"};

// The value at a key path of a dump, as `set` writes it.
QString ValueAt(const QJsonObject& dump, const QString& key) {
  static const QRegularExpression part(QStringLiteral(R"((\w+)|\[(\d+)\])"));
  QJsonValue v = dump;
  for (auto it = part.globalMatch(key); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    v = m.captured(1).isEmpty() ? v.toArray().at(m.captured(2).toInt()) : v.toObject().value(m.captured(1));
  }
  if (v.isNull()) return QStringLiteral("-");
  if (v.isBool()) return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
  if (v.isString()) return v.toString();
  return v.isDouble() ? Num(v.toInteger()) : QString();
}

}  // namespace

Q_DECLARE_METATYPE(KeyEdit)

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

  // Shows the tab page that holds the control, as the user does before using it.
  void showPageOf(QWidget* control) {
    auto* tabs = get<QTabWidget>(QStringLiteral("SSTab"));
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->widget(i)->isAncestorOf(control) && tabs->currentIndex() != i) ClickTab(*window_, i);
    }
  }

  // Types a number into a grid cell ("-" as 255, which the count cells show as "-").
  void editCell(int grid, int row, int col, const QString& value) {
    auto* g = get<FlexGrid>(QStringLiteral("Fgrid(%1)").arg(grid));
    showPageOf(g);
    EditCell(g, row, col, value == "-" ? QStringLiteral("255") : value);
  }

  // Toggles a list row's check mark with the space key.
  QString toggleRow(const QString& listName, int row) {
    auto* list = get<QListWidget>(listName);
    showPageOf(list);
    list->setFocus();
    list->setCurrentRow(row);
    QTest::keyClick(list, Qt::Key_Space);
    return list->item(row)->checkState() == Qt::Checked ? "true" : "false";
  }

  // Makes one edit through the window's controls; returns the value entered.
  QString editInWindow(const KeyEdit& edit) {
    static const QRegularExpression path(QStringLiteral(R"(^(\w+)(?:\[(\d+)\])?\.?(\w+)?(?:\[(\d+)\])?\.?([\w.]+)?$)"));
    const QRegularExpressionMatch m = path.match(edit.key);
    if (!m.hasMatch()) return {};
    const QString part = m.captured(1);
    const int i = m.captured(2).toInt();
    const QString field = m.captured(3);
    const int j = m.captured(4).toInt();
    const QString last = m.captured(5);
    const QString value = edit.value;
    const QStringList boxes = {"", "protagonist", "chips", "playTime.hours", "playTime.minutes"};
    if (boxes.contains(edit.key)) {
      auto* box = get<QLineEdit>(QStringLiteral("txtValue(%1)").arg(boxes.indexOf(edit.key)));
      showPageOf(box);
      TypeInto(box, value);
    } else if (part == "party") {
      auto* box = get<QLineEdit>(QStringLiteral("txtParty(%1)").arg(field == "main" ? j : 4 + j));
      showPageOf(box);
      TypeInto(box, value == "-" ? QStringLiteral("255") : value);
    } else if (part == "possessions") {
      editCell(2, i + 1, field == "code" ? 1 : 2, value);
    } else if (part == "characters") {
      auto* list = get<QComboBox>(QStringLiteral("cmbChara"));
      if (list->currentIndex() != i) list->setCurrentIndex(i);
      if (field == "skills" && last == "aptitude") {
        auto* box = get<QCheckBox>(QStringLiteral("chkSitu(%1)").arg(j));
        showPageOf(box);
        QTest::mouseClick(box, Qt::LeftButton);
        return box->isChecked() ? "true" : "false";
      }
      if (field == "skills") {
        editCell(0, 13 + j, 1, value);
      } else if (field == "equipment") {
        editCell(1, j + 1, last == "code" ? 1 : 2, value);
      } else {
        const int row = static_cast<int>(kGridRowKeys.indexOf(last.isEmpty() ? field : field + "." + last));
        if (value == "!") {
          const bool on = cell(0, row, 1) == "0";
          editCell(0, row, 1, on ? "1" : "0");
          return on ? "true" : "false";
        }
        editCell(0, row, 1, value);
      }
    } else if (part == "techniques") {
      auto* categories = get<QComboBox>(QStringLiteral("cmbWaza"));
      if (categories->currentIndex() != i) categories->setCurrentIndex(i);
      return toggleRow(QStringLiteral("lstWaza"), j);
    } else if (part == "roles") {
      return toggleRow(QStringLiteral("lstRoll"), i);
    } else if (part == "scenarios") {
      auto* list = get<QListWidget>(QStringLiteral("lstEvt"));
      showPageOf(list);
      QListWidgetItem* item = list->item(i);
      list->scrollToItem(item);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
      QTest::mouseClick(get<QRadioButton>(QStringLiteral("optEvt(%1)").arg(kStates.indexOf(value))), Qt::LeftButton);
    }
    return value;
  }

 private Q_SLOTS:
  void init() { openWindow(true); }
  void cleanup() {
    closeWindow();
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

  void setWritesTheWindowsBytes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("save");
    QTest::addColumn<QList<KeyEdit>>("edits");
    // Every kind of field: value boxes, party boxes, both item grids, every
    // kind of character row, aptitude, techniques, scenario states, roles;
    // the soldier's joined flag and a skill level above 127 among them.
    const QList<KeyEdit> many = {
        {"protagonist", "7"},
        {"chips", "500000"},
        {"playTime.hours", "12"},
        {"playTime.minutes", "34"},
        {"party.main[1].code", "-"},
        {"party.sub[2].code", "5"},
        {"possessions[10].code", "40"},
        {"possessions[10].count", "-"},
        {"possessions[63].count", "9"},
        {"characters[0].lp", "3"},
        {"characters[3].joined", "!"},
        {"characters[3].martialArts.on", "!"},
        {"characters[3].cr", "123456"},
        {"characters[3].hp", "999"},
        {"characters[3].maxWp", "250"},
        {"characters[3].skills[2].level", "200"},
        {"characters[3].skills[4].aptitude", "!"},
        {"characters[3].equipment[0].code", "12"},
        {"characters[3].equipment[5].count", "-"},
        {"characters[10].age", "30"},
        {"characters[25].joined", "!"},
        {"characters[25].maxJp", "77"},
        {"techniques[0].techniques[3].mastered", "!"},
        {"techniques[2].techniques[4].mastered", "!"},
        {"techniques[11].techniques[0].mastered", "!"},
        {"scenarios[5].state", "finished"},
        {"scenarios[20].state", "hidden"},
        {"scenarios[33].state", "unvisited"},
        {"roles[7].acquired", "!"},
        {"roles[27].acquired", "!"},
    };
    QTest::newRow("demo.mcr save 3") << "demo.mcr" << 3 << many;
    QTest::newRow("demo.mcr save 12") << "demo.mcr" << 12 << many;
    QTest::newRow("demo.gme") << "demo.gme" << 0 << many;
    QTest::newRow("single save") << "demo-single.ps" << 0
                                 << QList<KeyEdit>{{"chips", "1"}, {"characters[26].skills[11].level", "128"},
                                                   {"scenarios[0].state", "current"}, {"roles[0].acquired", "!"}};
  }

  void setWritesTheWindowsBytes() {
    QFETCH(QString, file);
    QFETCH(int, save);
    QFETCH(QList<KeyEdit>, edits);
    const QString source = QStringLiteral(ZOVEK_EXAMPLES_DIR "/") + file;
    const QString inWindow = files_->filePath(QStringLiteral("window-") + file);
    const QString byCli = files_->filePath(QStringLiteral("cli-") + file);
    QVERIFY(QFile::copy(source, inWindow) && QFile::copy(source, byCli));
    const QJsonObject before = Dump(source, save);
    QVERIFY(!before.isEmpty());

    OpenThroughMenu(*window_, inWindow);
    if (save != 0) Choose(*window_, QStringLiteral("mnuSelSave(%1)").arg(save));
    QStringList arguments = {QStringLiteral("set"), byCli, QStringLiteral("--no-backup")};
    if (save != 0) arguments << QStringLiteral("--save") << QString::number(save);
    QStringList changed;  // the keys whose value differs from what the window showed
    for (const KeyEdit& edit : edits) {
      const QString entered = editInWindow(edit);
      QVERIFY2(!entered.isEmpty() && !ValueAt(before, edit.key).isEmpty(), qPrintable(edit.key));
      arguments << edit.key + "=" + entered;
      if (entered != ValueAt(before, edit.key)) changed << edit.key;
    }
    QVERIFY(changed.size() > edits.size() / 2);
    SaveThroughMenu(*window_, QMessageBox::Yes);
    VerifyNoErrorShown();

    QProcess cli;
    cli.start(QStringLiteral(ZOVEK_CLI_PATH), arguments);
    QVERIFY(cli.waitForFinished(30000));
    const QString output = QString::fromUtf8(cli.readAllStandardOutput());
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    // Each field is listed exactly when its value changed.
    for (const KeyEdit& edit : edits) {
      QVERIFY2(output.contains("  " + edit.key + ": ") == changed.contains(edit.key),
               qPrintable(edit.key + "\n" + output));
    }

    const Bytes windowBytes = ReadFile(inWindow);
    QVERIFY(windowBytes != ReadFile(source));
    QVERIFY(windowBytes == ReadFile(byCli));
  }
};

QTEST_MAIN(DumpMatchesWindowTest)
#include "DumpMatchesWindowTest.moc"
