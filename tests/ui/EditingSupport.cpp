#include "ui/EditingSupport.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"

namespace zovek::guitest {

QWidget* Focused() { return QApplication::focusWidget(); }

void TypeKeys(const QString& text) {
  for (const QChar c : text) {
    QWidget* target = Focused();
    QVERIFY2(target != nullptr, "nothing has the keyboard");
    if (c.unicode() < 128) {
      QTest::keyClicks(target, QString(c));
    } else {
      // A character no key code stands for, as a keyboard layout or an input
      // method delivers it.
      QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = Focused();
  QVERIFY2(target != nullptr, "nothing has the keyboard");
  QTest::keyClick(target, key, modifiers);
}

namespace {

QPoint CellCentre(FlexGrid* grid, int row, int col) {
  QTableWidgetItem* cell = grid->item(row - 1, col - 1);
  grid->scrollToItem(cell);
  return grid->visualItemRect(cell).center();
}

}  // namespace

void ClickCell(FlexGrid* grid, int row, int col) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, col));
}

void DoubleClickCell(FlexGrid* grid, int row, int col) {
  // Qt Test's double-click is press, release, double-click press, release.
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, col));
}

void EditCell(FlexGrid* grid, int row, int col, const QString& text) {
  DoubleClickCell(grid, row, col);
  TypeKeys(text);
  PressKey(Qt::Key_Return);
}

void DoubleClickBox(TextBox* box) {
  QTest::mouseDClick(box, Qt::LeftButton, {}, box->rect().center());
}

void ClickTab(FrmMain& window, int index) {
  auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab"));
  QTabBar* bar = tabs->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
  QCoreApplication::processEvents();
}

QString WriteTwoSaveCard(const QString& path, const SaveBuffer& save3, const SaveBuffer& save7) {
  savegen::CardImage card(11);
  card.GameSave(kSave3Block, savegen::DigitForSave(3), save3).GameSave(kSave7Block, savegen::DigitForSave(7), save7);
  WriteFile(path, card.bytes());
  return path;
}

std::uint64_t RegionOffset(int block) { return savegen::CardImage::RegionOffset(block); }

SaveBuffer RegionIn(const Bytes& file, std::uint64_t offset) {
  SaveBuffer region{};
  std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), region.size(), region.begin());
  return region;
}

std::uint32_t Number(const SaveBuffer& region, std::size_t index, int width) {
  return savegen::GetNumber(region, index, width);
}

std::size_t RecordIndex(int character, std::size_t offset) { return savegen::layout::Record(character) + offset; }

}  // namespace zovek::guitest
