#include "ui/GuiTestSupport.h"

#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QStandardPaths>
#include <QTest>

#include "savefile/PathEncoding.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "ui/FlexGrid.h"
#include "ui/TextBox.h"
#include "ui/ProgramData.h"

namespace zovek::guitest {

void PrepareApplication() {
  QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
  Dialogs::setSeamClosed(true);
  Dialogs::clearRecord();
  QDir(ProgramDataDirectory()).removeRecursively();
  QDir().mkpath(ProgramDataDirectory());
}

void ShowWindow(std::unique_ptr<FrmMain>& window, bool activate) {
  window = std::make_unique<FrmMain>();
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  if (activate) {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
  }
}

void VerifyNoErrorShown() {
  for (const ShownMessage& shown : Dialogs::shownMessages()) QVERIFY2(shown.title != QStringLiteral("Error"), qPrintable(shown.text));
}

QString DataDirectory() { return ProgramDataDirectory(); }
QString WorkingCopyPath() { return WorkingCopyFile(); }

void Choose(FrmMain& window, const QString& actionName) {
  auto* action = window.findChild<QAction*>(actionName);
  QVERIFY2(action != nullptr, qPrintable(actionName));
  if (action->isEnabled()) {
    action->trigger();
  }
}

void OpenThroughMenu(FrmMain& window, const QString& path) {
  Dialogs::setNextFileName(path);
  Choose(window, QStringLiteral("mnuFileOpen"));
}

void SaveThroughMenu(FrmMain& window, QMessageBox::StandardButton answer) {
  Dialogs::setNextAnswer(answer);
  Choose(window, QStringLiteral("mnuFileSave"));
}

void TypeInto(QWidget* box, const QString& text) {
  box->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);  // typing replaces the selection
  QTest::keyClicks(box, text);
}

Bytes TwoSavesAndAnotherGame() {
  savegen::CardImage card(11);
  card.GameSave(2, savegen::DigitForSave(3), savegen::DemoRegion(3))
      .OtherGameSave(5, "QUILB", savegen::DigitForSave(3), 99)
      .GameSave(9, savegen::DigitForSave(7), savegen::DemoRegion(7));
  return card.bytes();
}

bool DropFile(FrmMain& window, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(QPointF(100, 100), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &dropped);
  QCoreApplication::processEvents();
  return dropped.isAccepted();
}

QString NameNotUtf8() { return QString::fromStdU16String(TextFromBytes("\x83\x5A\x81\x5B\x83\x75.mcr")); }

void WriteFile(const QString& path, const Bytes& bytes) { savegen::WriteWholeFile(ToFsPath(path), bytes); }
Bytes ReadFile(const QString& path) { return savegen::ReadWholeFile(ToFsPath(path)); }

bool SetReadOnly(const QString& path, bool readOnly) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(ToFsPath(path), write, readOnly ? fs::perm_options::remove : fs::perm_options::add, error);
  return !error;
}

QList<std::size_t> Differences(const Bytes& before, const Bytes& after) {
  QList<std::size_t> positions;
  if (before.size() != after.size()) return {std::size_t(-1)};
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) positions << i;
  }
  return positions;
}

bool AllWithin(const QList<std::size_t>& positions, std::uint64_t start, std::uint64_t length) {
  for (const std::size_t p : positions) {
    if (p < start || p >= start + length) return false;
  }
  return true;
}

void VerifyResetState(FrmMain& window, bool atStartUp) {
  auto named = [&window](const QString& name) {
    QObject* found = window.findChild<QObject*>(name);
    if (found == nullptr) {
      qWarning("missing control %s", qPrintable(name));
    }
    return found;
  };
  auto enabled = [&named](const QString& name) {
    QObject* found = named(name);
    if (auto* action = qobject_cast<QAction*>(found)) return action->isEnabled();
    return found != nullptr && static_cast<QWidget*>(found)->isEnabled();
  };
  QStringList disabled = {"mnuFileSave", "mnuCharaRtn", "mnuCharaCopy", "mnuCharaPaste", "cmbChara", "cmbWaza",
                          "cmdSelwaza(0)", "cmdSelwaza(1)", "cmdSelroll(0)", "cmdSelroll(1)", "cmdChara(0)",
                          "cmdChara(1)", "cmdChara(2)", "optEvt(0)", "optEvt(1)", "optEvt(2)", "optEvt(3)"};
  for (const QString& name : disabled) {
    QVERIFY2(!enabled(name), qPrintable(name + " should be disabled"));
  }
  QStringList enabledNames = {"mnuFileOpen", "mnuExit", "Fgrid(0)", "Fgrid(1)", "Fgrid(2)", "lstWaza", "lstEvt", "lstRoll"};
  for (int i = 0; i < 12; ++i) enabledNames << QStringLiteral("chkSitu(%1)").arg(i);
  for (int i = 1; i < 5; ++i) enabledNames << QStringLiteral("txtValue(%1)").arg(i);
  for (int i = 0; i < 8; ++i) enabledNames << QStringLiteral("txtParty(%1)").arg(i);
  for (const QString& name : enabledNames) {
    QVERIFY2(enabled(name), qPrintable(name + " should be enabled"));
  }

  if (atStartUp) {
    QCOMPARE(window.findChild<QTabWidget*>(QStringLiteral("SSTab"))->currentIndex(), 0);
  }
  QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("optEvt(0)"))->isChecked());
  QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("lstEvt"))->currentRow(), 0);
  QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("cmbChara"))->currentIndex(), 0);
  QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("cmbWaza"))->currentIndex(), 0);
  for (int s = 1; s <= 15; ++s) {
    QCOMPARE(window.findChild<QAction*>(QStringLiteral("mnuSelSave(%1)").arg(s))->isChecked(), s == 1);
  }
  auto* lstWaza = window.findChild<QListWidget*>(QStringLiteral("lstWaza"));
  QCOMPARE(lstWaza->count(), 21);  // the 体術 names
  for (auto* list : {lstWaza, window.findChild<QListWidget*>(QStringLiteral("lstRoll"))}) {
    for (int i = 0; i < list->count(); ++i) QCOMPARE(list->item(i)->checkState(), Qt::Unchecked);
  }
  for (int i = 0; i < 12; ++i) {
    QVERIFY(!window.findChild<QCheckBox*>(QStringLiteral("chkSitu(%1)").arg(i))->isChecked());
  }
  for (int i = 0; i < 5; ++i) {
    QCOMPARE(window.findChild<TextBox*>(QStringLiteral("txtValue(%1)").arg(i))->text(), QStringLiteral("0"));
  }
  for (int i = 0; i < 8; ++i) {
    QCOMPARE(window.findChild<TextBox*>(QStringLiteral("txtParty(%1)").arg(i))->text(), QStringLiteral("-"));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblValue(%1)").arg(i))->text(), QStringLiteral("（未加入）"));
  }

  auto* g0 = window.findChild<FlexGrid*>(QStringLiteral("Fgrid(0)"));
  auto* g1 = window.findChild<FlexGrid*>(QStringLiteral("Fgrid(1)"));
  auto* g2 = window.findChild<FlexGrid*>(QStringLiteral("Fgrid(2)"));
  QCOMPARE(g0->text(0, 1), QStringLiteral("データ"));
  for (int r = 1; r <= 24; ++r) QCOMPARE(g0->text(r, 1), QStringLiteral("0"));
  for (FlexGrid* g : {g1, g2}) {
    for (int r = 1; r < g->rows(); ++r) {
      QCOMPARE(g->text(r, 1), QStringLiteral("0"));
      QCOMPARE(g->text(r, 2), QStringLiteral("-"));
      QCOMPARE(g->text(r, 3), QStringLiteral("（なし）"));
    }
  }
  QCOMPARE(QPoint(g1->row(), g1->col()), QPoint(6, 3));
  QCOMPARE(QPoint(g2->row(), g2->col()), QPoint(64, 3));
  if (atStartUp) {
    QCOMPARE(QPoint(g0->row(), g0->col()), QPoint(0, 1));
  }
  // Column widths are those of start-up, whichever reset ran last.
  QCOMPARE(g0->columnWidthTwips(1), 690);
  QCOMPARE(g1->columnWidthTwips(3), 1940);
  QCOMPARE(g2->columnWidthTwips(0), 750);
  QCOMPARE(g2->columnWidthTwips(3), 1700);

  const SessionState& state = window.Session().State();
  QCOMPARE(state.SelectedSave, std::int16_t{0});
  QCOMPARE(state.CharacterBase, std::int16_t{0});
  QCOMPARE(state.CopySource, std::int16_t{-1});
  QCOMPARE(state.CurrentScenarioEntry, std::int16_t{0});
  QCOMPARE(state.SelectedCategory, std::int16_t{0});
  QCOMPARE(state.FileKind, FileKind{0});
  QCOMPARE(FromFsPath(state.WorkingCopyPath), WorkingCopyPath());
}

ShownMessage LastMessage() {
  const QList<ShownMessage>& shown = Dialogs::shownMessages();
  return shown.isEmpty() ? ShownMessage{} : shown.constLast();
}

}  // namespace zovek::guitest
