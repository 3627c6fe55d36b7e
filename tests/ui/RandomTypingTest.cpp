// Random typing into the real window: random keys into random grid cells and
// number boxes, mixed with character switches, presets, copy and paste, save
// switches and saves. Whatever is typed, no box or cell is ever left with a
// text its rule would change, nothing is refused with a message, and every
// save goes through. The seed is printed; ZOVEK_RANDOM_SEED and
// ZOVEK_RANDOM_STEPS repeat or lengthen a run.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "savegen/Random.h"
#include "savegen/SaveImages.h"
#include "ui/EditingSupport.h"
#include "savedata/rules/TextRules.h"

using namespace zovek;
using namespace zovek::guitest;

namespace {

std::uint64_t EnvironmentNumber(const char* name, std::uint64_t fallback) {
  bool ok = false;
  const std::uint64_t value = qEnvironmentVariable(name).toULongLong(&ok);
  return ok ? value : fallback;
}

// Characters typed: digits most often, then everything a number reading can
// trip over, and some that no number has.
const QStringList kTyped = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "5", "9",
                            "-", "+", ".", "e", "E", "d", "D", "&", "H", "h", "O", "o", "a", "z",
                            " ", ",", "１", "５", "あ", "ｱ", "€", "\u00e9"};

// Clipboard texts for Ctrl+V.
const QStringList kPasted = {"12", "&HFF", "&o777", "1e3", "  42 ", "-0", "0.5", "2.5", "99999999", "1d2",
                             "-", "１２", "3,5", "1.5e-3", "abc", "", "\t7", "9e99", "255", "300"};

const Qt::Key kSpecialKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right,
                                Qt::Key_Home,      Qt::Key_End,    Qt::Key_Escape, Qt::Key_Return};

// Demo card: save 1 in block 2, save 3 in block 6, save 12 in block 11.
const int kSaves[3][2] = {{1, 2}, {3, 6}, {12, 11}};

}  // namespace

class RandomTypingTest : public WindowTest {
  Q_OBJECT

 private:
  QString file_;
  std::unique_ptr<savegen::Random> random_;

  template <class T>
  T* get(const QString& name) {
    return Find<T>(window_.get(), name);
  }
  FlexGrid* grid(int g) { return get<FlexGrid>(QStringLiteral("Fgrid(%1)").arg(g)); }
  TextBox* flex() { return get<TextBox>(QStringLiteral("txtFlex")); }
  int pick(int count) { return static_cast<int>(random_->Range(0, static_cast<std::uint32_t>(count - 1))); }
  bool chance(std::uint32_t percent) { return random_->Chance(percent); }

  // The control with the keyboard is one that takes typing here.
  static bool TypingTarget(QWidget* w) { return qobject_cast<TextBox*>(w) != nullptr || qobject_cast<FlexGrid*>(w) != nullptr; }

  void typeRandomKeys(int count) {
    for (int k = 0; k < count && TypingTarget(Focused()); ++k) {
      const int kind = pick(100);
      if (kind < 70) {
        TypeKeys(kTyped[pick(static_cast<int>(kTyped.size()))]);
      } else if (kind < 88) {
        PressKey(kSpecialKeys[pick(8)]);
      } else if (kind < 93) {
        QApplication::clipboard()->setText(kPasted[pick(static_cast<int>(kPasted.size()))]);
        PressKey(Qt::Key_V, Qt::ControlModifier);
      } else if (kind < 96) {
        PressKey(Qt::Key_A, Qt::ControlModifier);
      } else if (kind < 98) {
        PressKey(Qt::Key_Z, Qt::ControlModifier);
      } else {
        PressKey(Qt::Key_Tab);
      }
    }
  }

  void editRandomCell() {
    const int g = pick(3);
    ClickTab(*window_, g == 2 ? 2 : 0);
    FlexGrid* cells = grid(g);
    const int row = 1 + pick(cells->rows() - 1);
    const int col = 1 + pick(cells->cols() - 1);  // the name column too: it must open nothing
    if (chance(50)) {
      DoubleClickCell(cells, row, col);
    } else {
      ClickCell(cells, row, col);
    }
    typeRandomKeys(pick(9));
    switch (pick(4)) {
      case 0: if (Focused() == flex()) PressKey(Qt::Key_Return); break;
      case 1: if (TypingTarget(Focused())) PressKey(Qt::Key_Tab); break;
      case 2: ClickCell(cells, 1 + pick(cells->rows() - 1), 1 + pick(cells->cols() - 1)); break;
      default: break;  // left open for the next action to close
    }
  }

  void typeIntoRandomBox() {
    ClickTab(*window_, 2);
    TextBox* box = chance(40) ? get<TextBox>(QStringLiteral("txtValue(%1)").arg(1 + pick(4)))
                              : get<TextBox>(QStringLiteral("txtParty(%1)").arg(pick(8)));
    if (chance(30)) {
      DoubleClickBox(box);
    } else {
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2 + pick(box->width() - 4), box->height() / 2));
    }
    typeRandomKeys(1 + pick(8));
    if (chance(40) && TypingTarget(Focused())) PressKey(Qt::Key_Tab);
  }

  void switchCharacter() {
    ClickTab(*window_, 0);
    auto* characters = get<QComboBox>(QStringLiteral("cmbChara"));
    characters->setFocus(Qt::MouseFocusReason);
    const int target = pick(27);
    while (characters->currentIndex() < target) QTest::keyClick(characters, Qt::Key_Down);
    while (characters->currentIndex() > target) QTest::keyClick(characters, Qt::Key_Up);
  }

  void characterCommand() {
    ClickTab(*window_, 0);
    switch (pick(4)) {
      case 0: QTest::mouseClick(get<QPushButton>(QStringLiteral("cmdChara(%1)").arg(pick(3))), Qt::LeftButton); break;
      case 1: Choose(*window_, QStringLiteral("mnuCharaCopy")); break;
      case 2: Choose(*window_, QStringLiteral("mnuCharaPaste")); break;
      default: Choose(*window_, QStringLiteral("mnuCharaRtn")); break;
    }
  }

  void saveAndCheck() {
    const qsizetype before = Dialogs::shownMessages().size();
    SaveThroughMenu(*window_, QMessageBox::Yes);
    QCOMPARE(Dialogs::shownMessages().size(), before + 1);
    QCOMPARE(LastMessage().title, QStringLiteral("保存確認"));
    const Bytes saved = ReadFile(file_);
    for (const auto& save : kSaves) {
      if (save[0] == window_->Session().State().SelectedSave) {
        const SaveBuffer region = RegionIn(saved, RegionOffset(save[1]));
        QCOMPARE(savegen::RegionChecksum(region), region[1]);
      }
    }
  }

  // What every rule promises: its box or cell holds a text it would leave as it is.
  void verifySettled() {
    for (const ShownMessage& shown : Dialogs::shownMessages()) {
      QVERIFY2(shown.title != QStringLiteral("Error"), qPrintable(shown.text));
    }
    for (int i = 0; i < 5; ++i) {
      const std::string text = get<TextBox>(QStringLiteral("txtValue(%1)").arg(i))->text().toStdString();
      QVERIFY2(ValueBoxChange(i, text).text == text, text.c_str());
    }
    for (int i = 0; i < 8; ++i) {
      const std::string text = get<TextBox>(QStringLiteral("txtParty(%1)").arg(i))->text().toStdString();
      QVERIFY2(PartyBoxChange(text).text == text, text.c_str());
    }
    const WindowState& state = window_->State();
    if (state.EditRow != 0) {
      QVERIFY(flex()->isVisible());
      const std::string text = flex()->text().toStdString();
      QVERIFY2(CellEditChange(state.EditCol, text).text == text, text.c_str());
    } else {
      QVERIFY(!flex()->isVisible());
    }
    for (int g = 0; g < 3; ++g) {
      FlexGrid* cells = grid(g);
      for (int r = 1; r < cells->rows(); ++r) {
        for (int c = 1; c < cells->cols(); ++c) {
          if (!IsEditableCell(g, r, c) || (state.EditRow == r && state.EditCol == c && state.EditGrid == g)) continue;
          const std::string text = cells->text(r, c).toStdString();
          QVERIFY2(CellEditCommit(g, r, c, text) == text, qPrintable(QStringLiteral("Fgrid(%1) (%2, %3) holds %4").arg(g).arg(r).arg(c).arg(QString::fromStdString(text))));
        }
      }
    }
  }

 private Q_SLOTS:
  void init() {
    openWindow(true);
    file_ = files_->filePath(QStringLiteral("demo.mcr"));
    QVERIFY(QFile::copy(QStringLiteral(ZOVEK_EXAMPLES_DIR "/demo.mcr"), file_));
    QVERIFY(SetReadOnly(file_, false));
  }
  void cleanup() {
    closeWindow();
  }

  void randomTypingNeverBreaksASave() {
    const std::uint64_t seed = EnvironmentNumber("ZOVEK_RANDOM_SEED", 20240607);
    const auto steps = static_cast<int>(EnvironmentNumber("ZOVEK_RANDOM_STEPS", 300));
    qInfo("seed %llu, %d steps", static_cast<unsigned long long>(seed), steps);
    random_ = std::make_unique<savegen::Random>(seed);

    // Typing before any file is opened stays in the view and harms nothing.
    for (int step = 0; step < 20; ++step) {
      if (chance(60)) editRandomCell(); else typeIntoRandomBox();
      verifySettled();
      if (QTest::currentTestFailed()) return;
    }
    OpenThroughMenu(*window_, file_);
    QCOMPARE(window_->Session().State().FileKind, FileKind{1});

    for (int step = 0; step < steps; ++step) {
      const int action = pick(100);
      if (action < 45) {
        editRandomCell();
      } else if (action < 75) {
        typeIntoRandomBox();
      } else if (action < 85) {
        switchCharacter();
      } else if (action < 93) {
        characterCommand();
      } else if (action < 97) {
        const int save = kSaves[pick(3)][0];
        Choose(*window_, QStringLiteral("mnuSelSave(%1)").arg(save));
        QCOMPARE(window_->Session().State().SelectedSave, std::int16_t(save));
      } else {
        saveAndCheck();
      }
      verifySettled();
      if (QTest::currentTestFailed()) {
        qWarning("failed at step %d", step);
        return;
      }
    }

    // Every save, with whatever the view holds, is written.
    for (const auto& save : kSaves) {
      Choose(*window_, QStringLiteral("mnuSelSave(%1)").arg(save[0]));
      saveAndCheck();
    }
    verifySettled();
  }
};

QTEST_MAIN(RandomTypingTest)
#include "RandomTypingTest.moc"
