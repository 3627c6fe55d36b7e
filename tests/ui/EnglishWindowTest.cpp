// The English window: every caption shows whole in the fixed layout, and no
// text the window shows is left in Japanese.

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>

#include "names/NameTables.h"
#include "ui/FlexGrid.h"
#include "ui/GuiTestSupport.h"
#include "ui/Twips.h"
#include "ui/WindowLanguage.h"

using namespace zovek;
using namespace zovek::guitest;

namespace {

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff01 && u <= 0xffef)) return true;
  }
  return false;
}

}  // namespace

class EnglishWindowTest : public WindowTest {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QVERIFY(InstallWindowLanguage(QStringLiteral("en"))); }
  void cleanupTestCase() { InstallWindowLanguage(QStringLiteral("ja")); }

  void everyCaptionFitsAndIsEnglish() {
    openWindow(false);
    QStringList texts{window_->windowTitle()};
    QStringList tooWide;
    auto fits = [&tooWide](const QWidget* w, int needed, int room, const QString& what = {}) {
      if (needed > room) tooWide << QStringLiteral("%1 (%2 > %3) %4").arg(w->objectName()).arg(needed).arg(room).arg(what);
    };
    // A label's text starts at its left edge; a button's is drawn inside the
    // room its style leaves beside the mark or within the frame.
    for (const QLabel* label : window_->findChildren<QLabel*>()) {
      texts << label->text();
      fits(label, label->fontMetrics().tightBoundingRect(label->text()).right() + 1, label->width());
    }
    for (const QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
      texts << button->text();
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      const auto room = qobject_cast<const QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                        : qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                    : QStyle::SE_PushButtonContents;
      const QString shown = QString(button->text()).remove(u'&');
      fits(button, button->fontMetrics().horizontalAdvance(shown), button->style()->subElementRect(room, &option, button).width());
    }
    for (const QGroupBox* frame : window_->findChildren<QGroupBox*>()) {
      texts << frame->title();
      fits(frame, frame->minimumSizeHint().width(), frame->width());
    }
    const QTabBar* tabs = get<QTabWidget>(QStringLiteral("SSTab"))->tabBar();
    for (int i = 0; i < tabs->count(); ++i) {
      texts << tabs->tabText(i);
      fits(tabs, tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) + 8, tabs->tabRect(i).width());
    }
    for (const QAction* action : window_->menuBar()->findChildren<QAction*>()) texts << action->text();
    // The grids' cells and every item name in the name columns, with the
    // cell's margin on both sides.
    for (const FlexGrid* grid : window_->findChildren<FlexGrid*>()) {
      QStringList names;
      if (grid->cols() == 4) {
        for (int code = 0; code <= 255; ++code) names << QString::fromStdString(ItemName(code));
      }
      for (int c = 0; c < grid->cols(); ++c) {
        QStringList shown = c == 3 ? names : QStringList();
        for (int r = 0; r < grid->rows(); ++r) shown << grid->text(r, c);
        for (const QString& text : shown) {
          texts << text;
          fits(grid, grid->fontMetrics().horizontalAdvance(text) + 6, TwipsToPixels(grid->columnWidthTwips(c)), text);
        }
      }
    }
    // The lists' entries, each technique category's in turn.
    auto* categories = get<QComboBox>(QStringLiteral("cmbWaza"));
    for (int c = 0; c < categories->count(); ++c) {
      categories->setCurrentIndex(c);
      for (const QListWidget* list : window_->findChildren<QListWidget*>()) {
        // A hidden page's list has not laid out its viewport yet: its room is
        // what the frame and a scroll bar leave.
        const int room = list->contentsRect().width() - list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        for (int i = 0; i < list->count(); ++i) {
          texts << list->item(i)->text();
          fits(list, list->sizeHintForIndex(list->model()->index(i, 0)).width(), room, list->item(i)->text());
        }
      }
    }
    for (const QComboBox* combo : window_->findChildren<QComboBox*>()) {
      for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    }
    for (const QWidget* w : window_->findChildren<QWidget*>()) texts << w->accessibleName();
    QStringList japanese;
    for (const QString& text : texts) {
      if (HasJapanese(text)) japanese << text;
    }
    tooWide.removeDuplicates();
    // One line each: QTest cuts a long failure message short.
    for (const QString& line : tooWide + japanese) qWarning("%s", qPrintable(line));
    QCOMPARE(tooWide.size(), 0);
    QCOMPARE(japanese.size(), 0);
    closeWindow();
  }
};

QTEST_MAIN(EnglishWindowTest)
#include "EnglishWindowTest.moc"
