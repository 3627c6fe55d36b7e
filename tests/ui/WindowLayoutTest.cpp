// The window as laid out: every control at its place with its caption, the
// menus, the grids, the focus order, the boxes' typing limits, the drop-down
// rows and the open dialog's filter.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "names/NameTables.h"
#include "savedata/Walks.h"
#include "ui/FlexGrid.h"
#include "ui/GridFont.h"
#include "ui/GuiTestSupport.h"
#include "ui/TextBox.h"
#include "ui/Twips.h"

using namespace zovek;
using namespace zovek::guitest;

namespace {

struct Placed {
  const char* name;
  const char* container;  // "SSTab" or the frame holding the control
  int left, top, width, height;
};

// Positions and sizes in twips, as the layout gives them.
const Placed kPlaced[] = {
    {"Fgrid(0)", "SSTab", 240, 555, 1935, 3700},
    {"Frame0", "SSTab", 2310, 480, 4035, 770},
    {"lblChara", "Frame0", 280, 340, 1035, 195},
    {"txtValue(0)", "Frame0", 1440, 300, 420, 270},
    {"Frame1", "SSTab", 2300, 1320, 2655, 1175},
    {"cmdChara(0)", "SSTab", 5110, 1360, 1215, 360},
    {"cmdChara(1)", "SSTab", 5110, 1740, 1215, 360},
    {"cmdChara(2)", "SSTab", 5110, 2120, 1215, 375},
    {"Fgrid(1)", "SSTab", 2280, 2575, 4080, 1680},
    {"Frame2", "SSTab", 240, 480, 2610, 3770},
    {"lstWaza", "Frame2", 180, 640, 2225, 2580},
    {"cmdSelwaza(0)", "Frame2", 180, 3300, 1100, 360},
    {"cmdSelwaza(1)", "Frame2", 1320, 3300, 1100, 360},
    {"Frame3", "SSTab", 3000, 480, 3350, 3760},
    {"lstEvt", "Frame3", 180, 645, 2970, 2940},
    {"lblItm(0)", "SSTab", 240, 810, 1095, 195},
    {"txtValue(1)", "SSTab", 1635, 780, 420, 270},
    {"lblItm(1)", "SSTab", 240, 1170, 720, 195},
    {"txtValue(2)", "SSTab", 1080, 1130, 975, 270},
    {"lblItm(3)", "SSTab", 240, 1530, 615, 195},
    {"txtValue(3)", "SSTab", 1080, 1480, 420, 270},
    {"lblItm(4)", "SSTab", 1550, 1520, 40, 195},
    {"txtValue(4)", "SSTab", 1635, 1480, 420, 270},
    {"Frame5", "SSTab", 2300, 480, 4050, 1560},
    {"txtParty(0)", "Frame5", 180, 280, 420, 270},
    {"txtParty(1)", "Frame5", 180, 560, 420, 270},
    {"txtParty(2)", "Frame5", 180, 840, 420, 270},
    {"txtParty(3)", "Frame5", 180, 1120, 420, 270},
    {"txtParty(4)", "Frame5", 2060, 280, 420, 270},
    {"txtParty(5)", "Frame5", 2060, 560, 420, 270},
    {"txtParty(6)", "Frame5", 2060, 840, 420, 270},
    {"txtParty(7)", "Frame5", 2060, 1120, 420, 270},
    {"lblValue(0)", "Frame5", 680, 320, 1290, 195},
    {"lblValue(1)", "Frame5", 680, 600, 1305, 195},
    {"lblValue(2)", "Frame5", 680, 880, 1305, 195},
    {"lblValue(3)", "Frame5", 680, 1160, 1305, 195},
    {"lblValue(4)", "Frame5", 2560, 320, 1290, 195},
    {"lblValue(5)", "Frame5", 2560, 600, 1290, 195},
    {"lblValue(6)", "Frame5", 2560, 880, 1290, 195},
    {"lblValue(7)", "Frame5", 2560, 1160, 1290, 195},
    {"Frame4", "SSTab", 240, 2040, 1935, 2200},
    {"lstRoll", "Frame4", 180, 310, 1560, 1320},
    {"cmdSelroll(0)", "Frame4", 180, 1740, 760, 360},
    {"cmdSelroll(1)", "Frame4", 980, 1740, 760, 360},
    {"Fgrid(2)", "SSTab", 2280, 2130, 4080, 2130},
};

// Check boxes and option buttons: x and width exact, centred on their row.
struct Marked {
  QString name;
  int left, top, width, height;
};

QList<Marked> MarkedControls() {
  QList<Marked> marked;
  for (int i = 0; i < 12; ++i) {
    marked.append({QStringLiteral("chkSitu(%1)").arg(i), 210 + 600 * (i / 3), 280 + 260 * (i % 3), 480, 190});
  }
  const int left[4] = {180, 1080, 1800, 2520};
  const int width[4] = {855, 700, 700, 700};
  for (int i = 0; i < 4; ++i) {
    marked.append({QStringLiteral("optEvt(%1)").arg(i), left[i], 360, width[i], 180});
  }
  return marked;
}

QRect RectIn(const QWidget* widget, const QWidget* container) {
  return QRect(widget->mapTo(container, QPoint(0, 0)), widget->size());
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FrmMain> window_;
  QWidget* named(const char* name) { return Find<QWidget>(window_.get(), QString::fromUtf8(name)); }

 private Q_SLOTS:
  void init() {
    PrepareApplication();
    ShowWindow(window_, false);
  }
  void cleanup() { window_.reset(); }

  void titleClientAreaAndTabs() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Zovek セーブデータ変更ツール v1.02"));
    QCOMPARE(window_->objectName(), QStringLiteral("FrmMain"));
    QCOMPARE(window_->centralWidget()->size(), QSize(449, 312));  // 6735 x 4680 twips
    auto* tabs = Find<QTabWidget>(window_.get(), QStringLiteral("SSTab"));
    QVERIFY(tabs != nullptr);
    QCOMPARE(RectIn(tabs, window_->centralWidget()), TwipsRect(60, 120, 6600, 4500));
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("キャラクター"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("技術・シナリオ"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("アイテム・その他"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(tabs->hasFocus());
    // The three tabs share the control's width in one row.
    const int total = tabs->tabBar()->tabRect(0).width() + tabs->tabBar()->tabRect(1).width() +
                      tabs->tabBar()->tabRect(2).width();
    QCOMPARE(total, tabs->width());
  }

  void everyControlAtItsPlace() {
    auto* tabs = Find<QTabWidget>(window_.get(), QStringLiteral("SSTab"));
    for (int page = 0; page < 3; ++page) {
      tabs->setCurrentIndex(page);
      QCoreApplication::processEvents();
      for (const Placed& p : kPlaced) {
        QWidget* control = named(p.name);
        QVERIFY2(control != nullptr, p.name);
        const QWidget* container = named(p.container);
        QVERIFY2(container != nullptr, p.container);
        if (!control->isVisible()) {
          continue;  // on another tab; checked when its tab is shown
        }
        QCOMPARE(RectIn(control, container), TwipsRect(p.left, p.top, p.width, p.height));
      }
    }
    tabs->setCurrentIndex(0);
    QCoreApplication::processEvents();
    for (const Marked& m : MarkedControls()) {
      QWidget* control = Find<QWidget>(window_.get(), m.name);
      QVERIFY2(control != nullptr, qPrintable(m.name));
      const QRect want = TwipsRect(m.left, m.top, m.width, m.height);
      const QRect got = control->geometry();
      QCOMPARE(got.x(), want.x());
      QCOMPARE(got.width(), want.width());
      QVERIFY2(qAbs(got.center().y() - want.center().y()) <= 1, qPrintable(m.name));
      QVERIFY(got.height() >= want.height());
    }
    // Drop-down lists: left, top and width; the field's height is the style's.
    auto* cmbChara = Find<QComboBox>(window_.get(), QStringLiteral("cmbChara"));
    QCOMPARE(cmbChara->parentWidget()->objectName(), QStringLiteral("Frame0"));
    QCOMPARE(cmbChara->geometry().topLeft(), TwipsRect(1920, 280, 1890, 0).topLeft());
    QCOMPARE(cmbChara->width(), TwipsToPixels(1890));
    auto* cmbWaza = Find<QComboBox>(window_.get(), QStringLiteral("cmbWaza"));
    QCOMPARE(cmbWaza->parentWidget()->objectName(), QStringLiteral("Frame2"));
    QCOMPARE(cmbWaza->geometry().topLeft(), TwipsRect(180, 280, 1215, 0).topLeft());
    QCOMPARE(cmbWaza->width(), TwipsToPixels(1215));
  }

  void nothingOnATabIsCutOff() {
    auto* tabs = Find<QTabWidget>(window_.get(), QStringLiteral("SSTab"));
    for (int page = 0; page < 3; ++page) {
      tabs->setCurrentIndex(page);
      QCoreApplication::processEvents();
      QWidget* pageWidget = tabs->currentWidget();
      const QRect visible(pageWidget->mapTo(tabs, QPoint(0, 0)), pageWidget->size());
      for (const Placed& p : kPlaced) {
        QWidget* control = named(p.name);
        if (control->isVisible()) {
          QVERIFY2(visible.contains(RectIn(control, tabs)), p.name);
        }
      }
      // Labels and buttons are wide enough for their captions.
      for (auto* label : pageWidget->findChildren<QLabel*>()) {
        if (label->objectName() != QStringLiteral("lblItm(4)")) {
          QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width() + 2,
                   qPrintable(label->objectName()));
        }
      }
      for (auto* button : pageWidget->findChildren<QPushButton*>()) {
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                 qPrintable(button->objectName()));
      }
      // Mark, spacing and caption fit in a check box or option button.
      for (auto* box : pageWidget->findChildren<QCheckBox*>()) {
        const int needed = box->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                           box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) +
                           box->fontMetrics().horizontalAdvance(box->text());
        QVERIFY2(needed <= box->width(), qPrintable(box->objectName()));
      }
      for (auto* option : pageWidget->findChildren<QRadioButton*>()) {
        const int needed = option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                           option->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) +
                           option->fontMetrics().horizontalAdvance(option->text());
        QVERIFY2(needed <= option->width(), qPrintable(option->objectName()));
      }
    }
  }

  void captions() {
    const QList<QPair<const char*, QString>> expected = {
        {"lblChara", QStringLiteral("キャラ選択 : ")},
        {"lblItm(0)", QStringLiteral("主人公コード :")},
        {"lblItm(1)", QStringLiteral("チップ : ")},
        {"lblItm(3)", QStringLiteral("時間 :")},
        {"lblItm(4)", QStringLiteral("：")},
        {"cmdChara(0)", QStringLiteral("能力推奨")},
        {"cmdChara(1)", QStringLiteral("能力最強")},
        {"cmdChara(2)", QStringLiteral("能力最弱")},
        {"cmdSelwaza(0)", QStringLiteral("全選択")},
        {"cmdSelwaza(1)", QStringLiteral("全解除")},
        {"cmdSelroll(0)", QStringLiteral("全選択")},
        {"cmdSelroll(1)", QStringLiteral("全解除")},
        {"optEvt(0)", QStringLiteral("非表示")},
        {"optEvt(1)", QStringLiteral("未踏")},
        {"optEvt(2)", QStringLiteral("該当")},
        {"optEvt(3)", QStringLiteral("終了")},
    };
    for (const auto& [name, caption] : expected) {
      QWidget* control = named(name);
      QVERIFY2(control != nullptr, name);
      if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
      } else {
        QCOMPARE(qobject_cast<QAbstractButton*>(control)->text(), caption);
      }
    }
    QVERIFY(Find<QLabel>(window_.get(), QStringLiteral("lblItm(2)")) == nullptr);
    const QStringList aptitudes = {"体", "剣", "斧", "杖", "槍", "弓", "樹", "石", "火", "水", "音", "獣"};
    for (int i = 0; i < 12; ++i) {
      QCOMPARE(Find<QCheckBox>(window_.get(), QStringLiteral("chkSitu(%1)").arg(i))->text(), aptitudes[i]);
    }
    const QList<QPair<const char*, QString>> frames = {
        {"Frame0", QString()},
        {"Frame1", QStringLiteral("資質")},
        {"Frame2", QStringLiteral("技・術の極意修得")},
        {"Frame3", QStringLiteral("シナリオ設定")},
        {"Frame4", QStringLiteral("ロール取得")},
        {"Frame5", QStringLiteral("パーティ構成  （左側 : メイン　右側 : サブ）")},
    };
    for (const auto& [name, caption] : frames) {
      QCOMPARE(Find<QGroupBox>(window_.get(), QString::fromUtf8(name))->title(), caption);
    }
  }

  void menus() {
    QMenuBar* bar = window_->menuBar();
    QStringList titles;
    for (QAction* action : bar->actions()) {
      titles << action->text();
    }
    QCOMPARE(titles, (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("編集(&E)"), QStringLiteral("ｾｰﾌﾞ選択(&V)")}));
    auto entries = [this](const char* menu) {
      QStringList list;
      for (QAction* action : Find<QMenu>(window_.get(), QString::fromUtf8(menu))->actions()) {
        list << action->objectName() + QLatin1Char('|') + action->text() + QLatin1Char('|') +
                    action->shortcut().toString(QKeySequence::PortableText) +
                    (action->isSeparator() ? QStringLiteral("|separator") : QString());
      }
      return list;
    };
    QCOMPARE(entries("mnuFile"), (QStringList{QStringLiteral("mnuFileOpen|ﾌｧｲﾙを開く(&O)|"),
                                             QStringLiteral("mnuFileSave|ﾃﾞｰﾀ保存(&S)|"),
                                             QStringLiteral("bar|||separator"), QStringLiteral("mnuExit|終了(&X)|")}));
    QCOMPARE(entries("mnuEdit"), (QStringList{QStringLiteral("mnuCharaRtn|取り消し|Ctrl+U"),
                                             QStringLiteral("bar1|||separator"),
                                             QStringLiteral("mnuCharaCopy|ｷｬﾗﾃﾞｰﾀｺﾋﾟｰ|Ctrl+R"),
                                             QStringLiteral("mnuCharaPaste|ｷｬﾗﾃﾞｰﾀ貼り付け|Ctrl+W")}));
    const QList<QAction*> saves = Find<QMenu>(window_.get(), QStringLiteral("mnuSvdata"))->actions();
    QCOMPARE(saves.size(), 15);
    for (int s = 1; s <= 15; ++s) {
      QAction* item = saves[s - 1];
      QCOMPARE(item->objectName(), QStringLiteral("mnuSelSave(%1)").arg(s));
      QCOMPARE(item->text(), QStringLiteral("No. %1").arg(s));
      QVERIFY(item->isCheckable());
      QCOMPARE(item->isChecked(), s == 1);
      QVERIFY(!item->isEnabled());
    }
  }

  void menuMnemonicOpensTheFileMenu() {
    QSignalSpy opened(Find<QMenu>(window_.get(), QStringLiteral("mnuFile")), &QMenu::aboutToShow);
    QTest::keyClick(window_.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(opened.count(), 1);
    Find<QMenu>(window_.get(), QStringLiteral("mnuFile"))->close();
  }

  void focusOrder() {
    QStringList want = {"SSTab", "txtValue(0)", "cmbChara", "Fgrid(0)"};
    for (int i = 0; i < 12; ++i) want << QStringLiteral("chkSitu(%1)").arg(i);
    for (int i = 0; i < 3; ++i) want << QStringLiteral("cmdChara(%1)").arg(i);
    want << "Fgrid(1)" << "cmbWaza" << "lstWaza" << "cmdSelwaza(0)" << "cmdSelwaza(1)";
    for (int i = 0; i < 4; ++i) want << QStringLiteral("optEvt(%1)").arg(i);
    want << "lstEvt";
    for (int i = 1; i <= 4; ++i) want << QStringLiteral("txtValue(%1)").arg(i);
    want << "lstRoll" << "cmdSelroll(0)" << "cmdSelroll(1)";
    for (int i = 0; i < 8; ++i) want << QStringLiteral("txtParty(%1)").arg(i);
    want << "Fgrid(2)";

    // The focus chain, read from the tab control on, through the named controls.
    QWidget* tabs = named("SSTab");
    QStringList got;
    QWidget* w = tabs;
    do {
      QWidget* named0 = w;
      if (w == static_cast<QTabWidget*>(tabs)->tabBar()) named0 = tabs;
      if (want.contains(named0->objectName()) && !got.contains(named0->objectName())) {
        got << named0->objectName();
      }
      w = w->nextInFocusChain();
    } while (w != tabs && got.size() < want.size());
    QCOMPARE(got, want);

    // Tab from the tab control reaches the character selector's box next.
    tabs->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), named("txtValue(0)"));
    // A grid is one stop: Tab leaves it.
    auto* grid = Find<FlexGrid>(window_.get(), QStringLiteral("Fgrid(1)"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != grid);
    QVERIFY(QApplication::focusWidget() != grid->viewport());
  }

  void grids() {
    auto* g0 = Find<FlexGrid>(window_.get(), QStringLiteral("Fgrid(0)"));
    auto* g1 = Find<FlexGrid>(window_.get(), QStringLiteral("Fgrid(1)"));
    auto* g2 = Find<FlexGrid>(window_.get(), QStringLiteral("Fgrid(2)"));
    QCOMPARE(g0->rows(), 25);
    QCOMPARE(g0->cols(), 2);
    QCOMPARE(g1->rows(), 7);
    QCOMPARE(g1->cols(), 4);
    QCOMPARE(g2->rows(), 65);
    QCOMPARE(g2->cols(), 4);

    const QStringList labels = {"年齢",   "仲間加入", "体術使用", "CR",     "HP",     "最大HP", "LP",     "最大LP",
                                "WP",     "最大WP",   "JP",       "最大JP", "体術LV", "剣術LV", "斧術LV", "杖術LV",
                                "槍術LV", "弓術LV",   "樹術LV",   "石術LV", "火術LV", "水術LV", "音術LV", "獣術LV"};
    QCOMPARE(g0->text(0, 1), QStringLiteral("データ"));
    QCOMPARE(g0->cellAlignment(0, 1), Qt::Alignment(Qt::AlignCenter));
    for (int r = 1; r <= 24; ++r) {
      QCOMPARE(g0->text(r, 0), labels[r - 1]);
      QCOMPARE(g0->text(r, 1), QStringLiteral("0"));
    }
    const QStringList equipment = {"武器1", "武器2", "防具1", "防具2", "防具3", "防具4"};
    for (FlexGrid* g : {g1, g2}) {
      QCOMPARE(g->text(0, 0), QString());
      QCOMPARE(g->text(0, 1), QStringLiteral("コード"));
      QCOMPARE(g->text(0, 2), QStringLiteral("回 数"));
      QCOMPARE(g->text(0, 3), g == g1 ? QStringLiteral("装備品名") : QStringLiteral("アイテム名"));
      for (int r = 0; r < g->rows(); ++r) {
        if (r >= 1) {
          QCOMPARE(g->text(r, 0), g == g1 ? equipment[r - 1] : QStringLiteral("持物%1").arg(r, 2, 10, QLatin1Char('0')));
          QCOMPARE(g->text(r, 1), QStringLiteral("0"));
          QCOMPARE(g->text(r, 2), QStringLiteral("-"));
          QCOMPARE(g->text(r, 3), QStringLiteral("（なし）"));
          QCOMPARE(g->cellAlignment(r, 0), Qt::Alignment(Qt::AlignCenter));
        } else {
          for (int c = 0; c < 4; ++c) QCOMPARE(g->cellAlignment(0, c), Qt::Alignment(Qt::AlignCenter));
        }
      }
    }
    QCOMPARE(g2->text(64, 0), QStringLiteral("持物64"));
    // Column widths from D = 900 twips.
    QCOMPARE(g0->columnWidthTwips(0), 900);
    QCOMPARE(g0->columnWidthTwips(1), 690);
    QCOMPARE((QList<int>{g1->columnWidthTwips(0), g1->columnWidthTwips(1), g1->columnWidthTwips(2), g1->columnWidthTwips(3)}),
             (QList<int>{750, 650, 650, 1940}));
    QCOMPARE((QList<int>{g2->columnWidthTwips(0), g2->columnWidthTwips(1), g2->columnWidthTwips(2), g2->columnWidthTwips(3)}),
             (QList<int>{750, 650, 650, 1700}));
    QCOMPARE(g1->verticalHeader()->width(), TwipsToPixels(750));
    QCOMPARE(g1->columnWidth(2), TwipsToPixels(1940));
    // Current cells: the header cell of Fgrid(0), the last cells of the others.
    QCOMPARE(QPoint(g0->row(), g0->col()), QPoint(0, 1));
    QCOMPARE(QPoint(g1->row(), g1->col()), QPoint(6, 3));
    QCOMPARE(QPoint(g2->row(), g2->col()), QPoint(64, 3));
    // The possessions are shown from the top, not scrolled to the current cell.
    QCOMPARE(g2->rowAt(0), 0);
    // No cell is edited by Qt's own editor; the grid's font is the layout's.
    QCOMPARE(g0->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(g0->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(g0->font().pointSize(), 9);
    const QString resolved = QFontInfo(g0->font()).family();
    QVERIFY2(GridFontSubstitutes().contains(resolved) || resolved == QStringLiteral("ＭＳ Ｐゴシック"),
             qPrintable(resolved));
  }

  void gridSignalsForTheCellEditor() {
    auto* grid = Find<FlexGrid>(window_.get(), QStringLiteral("Fgrid(1)"));
    QSignalSpy typed(grid, &FlexGrid::keyTyped);
    QSignalSpy doubled(grid, &FlexGrid::gridDoubleClicked);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_7);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClick(grid, Qt::Key_Down);  // moves, types nothing
    QCOMPARE(typed.count(), 2);
    QCOMPARE(typed.at(0).at(0).toString(), QStringLiteral("7"));
    QCOMPARE(typed.at(1).at(0).toString(), QStringLiteral("\r"));
    const QRect cell = grid->visualItemRect(grid->item(1, 0));  // cell (2, 1)
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(QPoint(grid->row(), grid->col()), QPoint(2, 1));
    // The cell's rectangle in the grid's container, for the in-place editor.
    const QRect inContainer = grid->cellRectInContainer(2, 1);
    QCOMPARE(inContainer.topLeft(), grid->viewport()->mapTo(grid->parentWidget(), cell.topLeft()));
    QCOMPARE(inContainer.size(), cell.size());
  }

  void lists() {
    auto* lstEvt = Find<QListWidget>(window_.get(), QStringLiteral("lstEvt"));
    QCOMPARE(lstEvt->count(), 58);
    for (int i = 0; i < 58; ++i) {
      QCOMPARE(lstEvt->item(i)->data(Qt::UserRole).toInt(), int{kScenarioByteNumbers[i]});
      QCOMPARE(lstEvt->item(i)->text(), QString::fromStdString(ScenarioCaptions()[i]));
      QVERIFY(!(lstEvt->item(i)->flags() & Qt::ItemIsUserCheckable));
    }
    QCOMPARE(lstEvt->currentRow(), 0);
    auto* lstRoll = Find<QListWidget>(window_.get(), QStringLiteral("lstRoll"));
    QCOMPARE(lstRoll->count(), 28);
    auto* lstWaza = Find<QListWidget>(window_.get(), QStringLiteral("lstWaza"));
    QCOMPARE(lstWaza->count(), 21);  // 体術
    for (QListWidget* list : {lstRoll, lstWaza}) {
      for (int i = 0; i < list->count(); ++i) {
        QVERIFY(list->item(i)->flags() & Qt::ItemIsUserCheckable);
        QCOMPARE(list->item(i)->checkState(), Qt::Unchecked);
      }
    }
    auto* cmbChara = Find<QComboBox>(window_.get(), QStringLiteral("cmbChara"));
    QCOMPARE(cmbChara->count(), 27);
    QCOMPARE(cmbChara->itemText(24), QStringLiteral("兵士(1)"));
    auto* cmbWaza = Find<QComboBox>(window_.get(), QStringLiteral("cmbWaza"));
    const QStringList categories = {"体術", "剣術", "斧術", "杖術", "槍術", "弓術", "樹術", "石術", "火術", "水術", "音術", "獣術"};
    QCOMPARE(cmbWaza->count(), 12);
    for (int i = 0; i < 12; ++i) QCOMPARE(cmbWaza->itemText(i), categories[i]);
    // The option buttons are exclusive.
    auto* opt2 = Find<QRadioButton>(window_.get(), QStringLiteral("optEvt(2)"));
    opt2->setEnabled(true);
    opt2->setChecked(true);
    QVERIFY(!Find<QRadioButton>(window_.get(), QStringLiteral("optEvt(0)"))->isChecked());
  }

  void dropDownRows() {
    for (const auto& [name, rows] : {QPair<QString, int>{QStringLiteral("cmbChara"), 20}, {QStringLiteral("cmbWaza"), 12}}) {
      auto* combo = Find<QComboBox>(window_.get(), name);
      QCOMPARE(combo->maxVisibleItems(), rows);
      combo->setEnabled(true);
      combo->showPopup();
      QListView* view = qobject_cast<QListView*>(combo->view());
      QVERIFY(view != nullptr);
      QTRY_VERIFY(view->isVisible());
      // Exactly `rows` rows fit in the opened list.
      const int rowHeight = view->sizeHintForRow(0);
      const int shown = view->viewport()->height() / rowHeight;
      QCOMPARE(shown, rows);
      QCOMPARE(view->verticalScrollBar()->isVisible(), combo->count() > rows);
      combo->hidePopup();
    }
  }

  void textBoxes() {
    for (const QString& name : {QStringLiteral("txtValue(0)"), QStringLiteral("txtValue(3)"), QStringLiteral("txtParty(5)"), QStringLiteral("txtFlex")}) {
      auto* box = Find<TextBox>(window_.get(), name);
      QVERIFY2(box != nullptr, qPrintable(name));
      QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
      QVERIFY(!box->testAttribute(Qt::WA_InputMethodEnabled));
    }
    auto* display = Find<TextBox>(window_.get(), QStringLiteral("txtValue(0)"));
    QVERIFY(display->isReadOnly());
    QCOMPARE(display->palette().color(QPalette::Base), display->palette().color(QPalette::Window));
    QVERIFY(!Find<TextBox>(window_.get(), QStringLiteral("txtFlex"))->isVisible());

    const QList<QPair<QString, int>> limits = {{QStringLiteral("txtValue(1)"), 3}, {QStringLiteral("txtValue(2)"), 6},
                                               {QStringLiteral("txtValue(3)"), 2}, {QStringLiteral("txtValue(4)"), 2},
                                               {QStringLiteral("txtParty(0)"), 3}, {QStringLiteral("txtParty(7)"), 3}};
    for (const auto& [name, limit] : limits) {
      QCOMPARE(Find<TextBox>(window_.get(), name)->typingLimit(), limit);
    }
  }

  void typingLimitGovernsTypingOnly() {
    auto* tabs = Find<QTabWidget>(window_.get(), QStringLiteral("SSTab"));
    tabs->setCurrentIndex(2);
    auto* hours = Find<TextBox>(window_.get(), QStringLiteral("txtValue(3)"));
    hours->setFocus();
    hours->clear();
    QTest::keyClicks(hours, QStringLiteral("1234"));
    QCOMPARE(hours->text(), QStringLiteral("12"));
    // Text set by the program reaches the box whole (a fraction within the
    // box's range, which its rule keeps).
    hours->setText(QStringLiteral("1.5"));
    QCOMPARE(hours->text(), QStringLiteral("1.5"));
    // A full box takes no more typing, but typing over a selection works.
    QTest::keyClick(hours, Qt::Key_End);
    QTest::keyClick(hours, Qt::Key_9);
    QCOMPARE(hours->text(), QStringLiteral("1.5"));
    hours->selectAll();
    QTest::keyClick(hours, Qt::Key_7);
    QCOMPARE(hours->text(), QStringLiteral("7"));
    // Pasting is cut to what still fits.
    QApplication::clipboard()->setText(QStringLiteral("98765"));
    QTest::keyClick(hours, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(hours->text(), QStringLiteral("79"));
  }

  void changeHookRunsForCodeAndTyping() {
    auto* chips = Find<TextBox>(window_.get(), QStringLiteral("txtValue(2)"));
    QSignalSpy changed(chips, &QLineEdit::textChanged);
    chips->setText(QStringLiteral("12"));
    Find<QTabWidget>(window_.get(), QStringLiteral("SSTab"))->setCurrentIndex(2);
    chips->setFocus();
    QTest::keyClick(chips, Qt::Key_3);
    QCOMPARE(changed.count(), 2);
  }

  void openFilterMatchesEveryCase() {
    QTemporaryDir dir;
    const QStringList matching = {"a.ps", "B.PS", "c.Psm", "d.GME", "e.mcr", "F.MCR", "g.mc", "h.Mc", "k.psx", "m.srm"};
    const QStringList other = {"i.txt", "j.mcr.bak", "l", "card.xyz"};
    for (const QString& name : matching + other) {
      QFile file(dir.filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
    for (const QString& name : matching) QVERIFY2(MatchesOpenFilter(name), qPrintable(name));
    for (const QString& name : other) QVERIFY2(!MatchesOpenFilter(name), qPrintable(name));

    std::unique_ptr<QFileDialog> dialog(CreateOpenDialog(window_.get()));
    // The dialog is the window's cmnDlg, found by that name like every control.
    QCOMPARE(window_->findChild<QFileDialog*>(QStringLiteral("cmnDlg")), dialog.get());
    const QString first = QStringLiteral("PSセーブ形式(") + OpenFilterPatterns().join(u';') + u')';
    QCOMPARE(dialog->nameFilters(), (QStringList{first, QStringLiteral("すべてのファイル (*)")}));
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    auto* model = dialog->findChild<QFileSystemModel*>();
    QVERIFY(model != nullptr);
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog->setDirectory(dir.path());
    dialog->show();
    QTRY_VERIFY(loaded.count() > 0);
    const QModelIndex root = model->index(dir.path());
    const auto listed = [&] {
      QStringList names;
      for (int r = 0; r < model->rowCount(root); ++r) names << model->index(r, 0, root).data().toString();
      names.sort(Qt::CaseInsensitive);
      return names;
    };
    QStringList sorted = matching;
    sorted.sort(Qt::CaseInsensitive);
    QTRY_COMPARE(listed(), sorted);
    // The second filter lists every file; the first, chosen again, its own.
    dialog->selectNameFilter(QStringLiteral("すべてのファイル (*)"));
    QStringList all = matching + other;
    all.sort(Qt::CaseInsensitive);
    QTRY_COMPARE(listed(), all);
    dialog->selectNameFilter(first);
    QTRY_COMPARE(listed(), sorted);
    dialog->hide();
  }
};

QTEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
