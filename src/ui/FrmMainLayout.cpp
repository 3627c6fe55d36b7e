// The three tabs of FrmMain and their controls, at their layout positions
// (twips, relative to the tab control or to the frame that holds them).

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "names/NameTables.h"
#include "savedata/SaveLayout.h"
#include "savedata/Walks.h"
#include "savedata/rules/TextRules.h"
#include "ui/FlexGrid.h"
#include "ui/FrmMain.h"
#include "ui/TabControl.h"
#include "ui/TextBox.h"
#include "ui/Twips.h"

namespace zovek {

namespace {

QString Indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The label before txtValue(box), as the core's table has it.
QString BoxLabel(int box) { return Utf8(kValueBoxes.at(static_cast<std::size_t>(box)).label); }

void Place(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsRect(left, top, width, height));
}

// A drop-down list takes the height of its closed field from the style.
// Called before the entries are added: the height doesn't depend on them, and
// the size hint of a filled list measures every entry's text.
void PlaceDropDown(QComboBox* combo, int left, int top, int width) {
  QRect r = TwipsRect(left, top, width, 0);
  r.setHeight(combo->sizeHint().height());
  combo->setGeometry(r);
}

// Check boxes and option buttons get at least the height their mark needs,
// growing evenly above and below the row they were given.
void PlaceMarked(QWidget* widget, int left, int top, int width, int height) {
  QRect r = TwipsRect(left, top, width, height);
  const int needed = widget->sizeHint().height();
  if (needed > r.height()) {
    r = QRect(r.x(), r.y() - (needed - r.height()) / 2, r.width(), needed);
  }
  widget->setGeometry(r);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  return frame;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

TextBox* MakeBox(QWidget* parent, const QString& name, int typingLimit) {
  auto* box = new TextBox(parent);
  box->setObjectName(name);
  box->setTypingLimit(typingLimit);
  return box;
}

QListWidget* MakeList(QWidget* parent, const QString& name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setUniformItemSizes(true);
  return list;
}

void AddCheckableEntries(QListWidget* list, const std::vector<std::string>& captions) {
  for (const std::string& caption : captions) {
    auto* entry = new QListWidgetItem(QString::fromStdString(caption), list);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
  }
}

}  // namespace

void FrmMain::BuildLayout() {
  txtValue.resize(kValueBoxes.size());
  lblItm.resize(kValueBoxes.size());  // lblItm(2) stays unused
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
  setCentralWidget(client);

  SSTab = new TabControl(client);
  SSTab->setObjectName(QStringLiteral("SSTab"));
  Place(SSTab, 60, 120, 6600, 4500);
  BuildCharacterTab(SSTab->addCanvasTab(Utf8(kCharacterTabCaption)));
  BuildScenarioTab(SSTab->addCanvasTab(Utf8(kScenarioTabCaption)));
  BuildItemTab(SSTab->addCanvasTab(Utf8(kItemTabCaption)));
}

void FrmMain::BuildCharacterTab(QWidget* canvas) {
  Fgrid[0] = new FlexGrid(25, 2, canvas);
  Fgrid[0]->setObjectName(Indexed("Fgrid", 0));
  Place(Fgrid[0], 240, 555, 1935, 3700);

  Frame[0] = MakeFrame(canvas, QStringLiteral("Frame0"), QString());
  Place(Frame[0], 2310, 480, 4035, 770);
  lblChara = MakeLabel(Frame[0], QStringLiteral("lblChara"), QStringLiteral("キャラ選択 : "));
  Place(lblChara, 280, 340, 1035, 195);
  txtValue[0] = MakeBox(Frame[0], Indexed("txtValue", 0), ValueBoxTypingLimit(0));
  txtValue[0]->setDisplayOnly(true);
  Place(txtValue[0], 1440, 300, 420, 270);
  cmbChara = new QComboBox(Frame[0]);
  cmbChara->setObjectName(QStringLiteral("cmbChara"));
  PlaceDropDown(cmbChara, 1920, 280, 1890);
  for (const std::string& name : CharacterNames()) {
    cmbChara->addItem(QString::fromStdString(name));
  }

  Frame[1] = MakeFrame(canvas, QStringLiteral("Frame1"), Utf8(kAptitudeCaption));
  Place(Frame[1], 2300, 1320, 2655, 1175);
  for (int i = 0; i < 12; ++i) {
    const std::string_view initial = kTechniqueCategoryTexts[static_cast<std::size_t>(i)].initial;
    chkSitu[i] = new QCheckBox(Utf8(initial), Frame[1]);
    chkSitu[i]->setObjectName(Indexed("chkSitu", i));
    const int column = i / 3;
    const int row = i % 3;
    PlaceMarked(chkSitu[i], 210 + 600 * column, 280 + 260 * row, 480, 190);
  }

  cmdChara[0] = MakeButton(canvas, Indexed("cmdChara", 0), QStringLiteral("能力推奨"));
  Place(cmdChara[0], 5110, 1360, 1215, 360);
  cmdChara[1] = MakeButton(canvas, Indexed("cmdChara", 1), QStringLiteral("能力最強"));
  Place(cmdChara[1], 5110, 1740, 1215, 360);
  cmdChara[2] = MakeButton(canvas, Indexed("cmdChara", 2), QStringLiteral("能力最弱"));
  Place(cmdChara[2], 5110, 2120, 1215, 375);

  Fgrid[1] = new FlexGrid(7, 4, canvas);
  Fgrid[1]->setObjectName(Indexed("Fgrid", 1));
  Place(Fgrid[1], 2280, 2575, 4080, 1680);

  // The in-place editor; it is laid over a grid cell only while one is edited.
  txtFlex = MakeBox(canvas, QStringLiteral("txtFlex"), 0);
  txtFlex->hide();
}

void FrmMain::BuildScenarioTab(QWidget* canvas) {
  Frame[2] = MakeFrame(canvas, QStringLiteral("Frame2"), Utf8(kTechniqueCaption));
  Place(Frame[2], 240, 480, 2610, 3770);
  cmbWaza = new QComboBox(Frame[2]);
  cmbWaza->setObjectName(QStringLiteral("cmbWaza"));
  PlaceDropDown(cmbWaza, 180, 280, 1215);
  for (const std::string& name : TechniqueCategoryNames()) {
    cmbWaza->addItem(QString::fromStdString(name));
  }
  lstWaza = MakeList(Frame[2], QStringLiteral("lstWaza"));
  Place(lstWaza, 180, 640, 2225, 2580);
  cmdSelwaza[0] = MakeButton(Frame[2], Indexed("cmdSelwaza", 0), QStringLiteral("全選択"));
  Place(cmdSelwaza[0], 180, 3300, 1100, 360);
  cmdSelwaza[1] = MakeButton(Frame[2], Indexed("cmdSelwaza", 1), QStringLiteral("全解除"));
  Place(cmdSelwaza[1], 1320, 3300, 1100, 360);

  Frame[3] = MakeFrame(canvas, QStringLiteral("Frame3"), Utf8(kScenarioCaption));
  Place(Frame[3], 3000, 480, 3350, 3760);
  static const int kStateLeft[4] = {180, 1080, 1800, 2520};
  static const int kStateWidth[4] = {855, 700, 700, 700};
  for (int i = 0; i < 4; ++i) {
    const std::string_view caption = kScenarioOptionNames[static_cast<std::size_t>(i)].caption;
    optEvt[i] = new QRadioButton(Utf8(caption), Frame[3]);
    optEvt[i]->setObjectName(Indexed("optEvt", i));
    PlaceMarked(optEvt[i], kStateLeft[i], 360, kStateWidth[i], 180);
  }
  lstEvt = MakeList(Frame[3], QStringLiteral("lstEvt"));
  const std::vector<std::string>& captions = ScenarioCaptions();
  for (std::size_t i = 0; i < captions.size(); ++i) {
    auto* entry = new QListWidgetItem(QString::fromStdString(captions[i]), lstEvt);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    // The entry's byte number: its state byte is 516 plus this.
    entry->setData(Qt::UserRole, i < kScenarioByteNumbers.size() ? int{kScenarioByteNumbers[i]} : 0);
  }
  Place(lstEvt, 180, 645, 2970, 2940);
}

void FrmMain::BuildItemTab(QWidget* canvas) {
  lblItm[0] = MakeLabel(canvas, Indexed("lblItm", 0), BoxLabel(kProtagonistBox));
  Place(lblItm[0], 240, 810, 1095, 195);
  txtValue[1] = MakeBox(canvas, Indexed("txtValue", 1), ValueBoxTypingLimit(1));
  Place(txtValue[1], 1635, 780, 420, 270);
  lblItm[1] = MakeLabel(canvas, Indexed("lblItm", 1), BoxLabel(kChipsBox));
  Place(lblItm[1], 240, 1170, 720, 195);
  txtValue[2] = MakeBox(canvas, Indexed("txtValue", 2), ValueBoxTypingLimit(2));
  Place(txtValue[2], 1080, 1130, 975, 270);
  lblItm[3] = MakeLabel(canvas, Indexed("lblItm", 3), BoxLabel(kHoursBox));
  Place(lblItm[3], 240, 1530, 615, 195);
  txtValue[3] = MakeBox(canvas, Indexed("txtValue", 3), ValueBoxTypingLimit(3));
  Place(txtValue[3], 1080, 1480, 420, 270);
  lblItm[4] = MakeLabel(canvas, Indexed("lblItm", 4), BoxLabel(kMinutesBox));
  Place(lblItm[4], 1550, 1520, 40, 195);
  txtValue[4] = MakeBox(canvas, Indexed("txtValue", 4), ValueBoxTypingLimit(4));
  Place(txtValue[4], 1635, 1480, 420, 270);

  Frame[5] = MakeFrame(canvas, QStringLiteral("Frame5"),
                       Utf8(kPartyCaption) + QStringLiteral("  （左側 : ") + Utf8(kMainPartyCaption) +
                           QStringLiteral("　右側 : ") + Utf8(kSubPartyCaption) + QStringLiteral("）"));
  Place(Frame[5], 2300, 480, 4050, 1560);
  static const int kMainLabelWidth[4] = {1290, 1305, 1305, 1305};
  for (int i = 0; i < 8; ++i) {
    const bool main = i < 4;
    const int row = i % 4;
    txtParty[i] = MakeBox(Frame[5], Indexed("txtParty", i), kPartyBoxTypingLimit);
    Place(txtParty[i], main ? 180 : 2060, 280 + 280 * row, 420, 270);
    lblValue[i] = MakeLabel(Frame[5], Indexed("lblValue", i),
                            Utf8(kEmptySlotLabel));
    Place(lblValue[i], main ? 680 : 2560, 320 + 280 * row, main ? kMainLabelWidth[row] : 1290, 195);
  }

  Frame[4] = MakeFrame(canvas, QStringLiteral("Frame4"), Utf8(kRoleCaption));
  Place(Frame[4], 240, 2040, 1935, 2200);
  lstRoll = MakeList(Frame[4], QStringLiteral("lstRoll"));
  AddCheckableEntries(lstRoll, RoleCaptions());
  Place(lstRoll, 180, 310, 1560, 1320);
  cmdSelroll[0] = MakeButton(Frame[4], Indexed("cmdSelroll", 0), QStringLiteral("全選択"));
  Place(cmdSelroll[0], 180, 1740, 760, 360);
  cmdSelroll[1] = MakeButton(Frame[4], Indexed("cmdSelroll", 1), QStringLiteral("全解除"));
  Place(cmdSelroll[1], 980, 1740, 760, 360);

  Fgrid[2] = new FlexGrid(65, 4, canvas);
  Fgrid[2]->setObjectName(Indexed("Fgrid", 2));
  Place(Fgrid[2], 2280, 2130, 4080, 2130);
}

void FrmMain::SetFocusOrder() {
  // The tab control takes the focus through its tab strip; naming the strip
  // keeps Qt from treating the whole control, with every page, as one stop.
  QList<QWidget*> order;
  order << SSTab->tabBar() << txtValue[0] << cmbChara << Fgrid[0];
  for (QCheckBox* box : chkSitu) order << box;
  for (QPushButton* button : cmdChara) order << button;
  order << Fgrid[1] << cmbWaza << lstWaza << cmdSelwaza[0] << cmdSelwaza[1];
  for (QRadioButton* option : optEvt) order << option;
  order << lstEvt << txtValue[1] << txtValue[2] << txtValue[3] << txtValue[4] << lstRoll << cmdSelroll[0]
        << cmdSelroll[1];
  for (TextBox* box : txtParty) order << box;
  order << Fgrid[2];
  for (qsizetype i = 1; i < order.size(); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
}

}  // namespace zovek
