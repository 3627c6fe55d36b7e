// The three tabs of FrmMain and their controls, at their layout positions
// (twips, relative to the tab control or to the frame that holds them).

#include <algorithm>
#include <span>

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
#include "ui/WindowLanguage.h"

namespace zovek {

namespace {

// A control's place in twips.
struct Twips {
  int left, top, width, height;
};

QString Indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

// The label before txtValue(box), as the core's table has it.
QString BoxLabel(int box) { return CoreText(kValueBoxes.at(static_cast<std::size_t>(box)).label); }

// Names the new control and puts it in its place.
template <typename Control>
Control* Placed(Control* control, const QString& name, const Twips& at) {
  control->setObjectName(name);
  control->setGeometry(TwipsRect(at.left, at.top, at.width, at.height));
  return control;
}

// A drop-down list takes the height of its closed field from the style.
// It is placed before the entries are added: the height doesn't depend on
// them, and the size hint of a filled list measures every entry's text.
QComboBox* MakeDropDown(QWidget* parent, const QString& name, int left, int top, int width,
                        std::span<const std::string> entries) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  QRect r = TwipsRect(left, top, width, 0);
  r.setHeight(combo->sizeHint().height());
  combo->setGeometry(r);
  for (const std::string& entry : entries) {
    combo->addItem(QString::fromStdString(entry));
  }
  return combo;
}

// Check boxes and option buttons get at least the height their mark needs,
// growing evenly above and below the row they were given.
template <typename Marked>
Marked* MakeMarked(QWidget* parent, const QString& name, const QString& caption, const Twips& at) {
  auto* widget = new Marked(caption, parent);
  widget->setObjectName(name);
  QRect r = TwipsRect(at.left, at.top, at.width, at.height);
  const int needed = widget->sizeHint().height();
  if (needed > r.height()) {
    r = QRect(r.x(), r.y() - (needed - r.height()) / 2, r.width(), needed);
  }
  widget->setGeometry(r);
  return widget;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, const Twips& at) {
  auto* label = Placed(new QLabel(caption, parent), name, at);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, const Twips& at) {
  auto* button = Placed(new QPushButton(caption, parent), name, at);
  button->setAutoDefault(false);
  return button;
}

TextBox* MakeBox(QWidget* parent, const QString& name, int typingLimit, const Twips& at) {
  auto* box = Placed(new TextBox(parent), name, at);
  box->setTypingLimit(typingLimit);
  return box;
}

QListWidget* MakeList(QWidget* parent, const QString& name, const Twips& at) {
  auto* list = Placed(new QListWidget(parent), name, at);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setUniformItemSizes(true);
  return list;
}

}  // namespace

void FrmMain::BuildLayout() {
  txtValue.resize(kValueBoxes.size());
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
  setCentralWidget(client);

  SSTab = Placed(new TabControl(client), QStringLiteral("SSTab"), {60, 120, 6600, 4500});
  BuildCharacterTab(SSTab->addCanvasTab(CoreText(kCharacterTabCaption)));
  BuildScenarioTab(SSTab->addCanvasTab(CoreText(kScenarioTabCaption)));
  BuildItemTab(SSTab->addCanvasTab(CoreText(kItemTabCaption)));
}

void FrmMain::BuildCharacterTab(QWidget* canvas) {
  Fgrid[0] = Placed(new FlexGrid(25, 2, canvas), Indexed("Fgrid", 0), {240, 555, 1935, 3700});

  auto* frame = Placed(new QGroupBox(canvas), QStringLiteral("Frame0"), {2310, 480, 4035, 770});
  MakeLabel(frame, QStringLiteral("lblChara"), tr("キャラ選択 : "), {280, 340, 1035, 195});
  txtValue[0] = MakeBox(frame, Indexed("txtValue", 0), ValueBoxTypingLimit(0), {1440, 300, 420, 270});
  txtValue[0]->setDisplayOnly();
  cmbChara = MakeDropDown(frame, QStringLiteral("cmbChara"), 1920, 280, 1890, CharacterNames());

  frame = Placed(new QGroupBox(CoreText(kAptitudeCaption), canvas), QStringLiteral("Frame1"), {2300, 1320, 2655, 1175});
  for (int i = 0; i < 12; ++i) {
    const std::string& initial = TechniqueCategoryInitials()[static_cast<std::size_t>(i)];
    const int column = i / 3;
    const int row = i % 3;
    chkSitu[i] = MakeMarked<QCheckBox>(frame, Indexed("chkSitu", i), QString::fromStdString(initial),
                                       {210 + 600 * column, 280 + 260 * row, 480, 190});
    // The initial alone says little to a listener; the category's name does.
    chkSitu[i]->setAccessibleDescription(QString::fromStdString(TechniqueCategoryNames()[static_cast<std::size_t>(i)]));
  }

  cmdChara[0] = MakeButton(canvas, Indexed("cmdChara", 0), tr("能力推奨"), {5110, 1360, 1215, 360});
  cmdChara[1] = MakeButton(canvas, Indexed("cmdChara", 1), tr("能力最強"), {5110, 1740, 1215, 360});
  cmdChara[2] = MakeButton(canvas, Indexed("cmdChara", 2), tr("能力最弱"), {5110, 2120, 1215, 375});

  Fgrid[1] = Placed(new FlexGrid(7, 4, canvas), Indexed("Fgrid", 1), {2280, 2575, 4080, 1680});

  // The in-place editor; it is laid over a grid cell only while one is edited.
  txtFlex = new TextBox(canvas);
  txtFlex->setObjectName(QStringLiteral("txtFlex"));
  txtFlex->hide();
}

void FrmMain::BuildScenarioTab(QWidget* canvas) {
  auto* frame =
      Placed(new QGroupBox(CoreText(kTechniqueCaption), canvas), QStringLiteral("Frame2"), {240, 480, 2610, 3770});
  cmbWaza = MakeDropDown(frame, QStringLiteral("cmbWaza"), 180, 280, 1215, TechniqueCategoryNames());
  lstWaza = MakeList(frame, QStringLiteral("lstWaza"), {180, 640, 2225, 2580});
  cmdSelwaza[0] = MakeButton(frame, Indexed("cmdSelwaza", 0), tr("全選択"), {180, 3300, 1100, 360});
  cmdSelwaza[1] = MakeButton(frame, Indexed("cmdSelwaza", 1), tr("全解除"), {1320, 3300, 1100, 360});

  frame = Placed(new QGroupBox(CoreText(kScenarioCaption), canvas), QStringLiteral("Frame3"), {3000, 480, 3350, 3760});
  static const int kStateLeft[4] = {180, 1080, 1800, 2520};
  static const int kStateWidth[4] = {855, 700, 700, 700};
  for (int i = 0; i < 4; ++i) {
    optEvt[i] = MakeMarked<QRadioButton>(frame, Indexed("optEvt", i),
                                         CoreText(kScenarioOptionNames[static_cast<std::size_t>(i)].caption),
                                         {kStateLeft[i], 360, kStateWidth[i], 180});
    // The other options are reached with the arrow keys, as in every option group.
    connect(optEvt[i], &QRadioButton::toggled, this, &FrmMain::KeepOptionTabStop);
  }
  KeepOptionTabStop();
  lstEvt = MakeList(frame, QStringLiteral("lstEvt"), {180, 645, 2970, 2940});
  const std::vector<std::string>& captions = ScenarioCaptions();
  for (std::size_t i = 0; i < captions.size(); ++i) {
    auto* entry = new QListWidgetItem(QString::fromStdString(captions[i]), lstEvt);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    // The entry's byte number: its state byte is 516 plus this.
    entry->setData(Qt::UserRole, i < kScenarioByteNumbers.size() ? int{kScenarioByteNumbers[i]} : 0);
  }
}

void FrmMain::BuildItemTab(QWidget* canvas) {
  // lblItm(i) and the box after it. There is no lblItm(2): the hours' label
  // stands before both boxes of the play time.
  struct LabelledBox {
    int label;
    int box;
    Twips labelAt;
    Twips boxAt;
  };
  static const LabelledBox kBoxes[] = {
      {0, kProtagonistBox, {240, 810, 1095, 195}, {1635, 780, 420, 270}},
      {1, kChipsBox, {240, 1170, 720, 195}, {1080, 1130, 975, 270}},
      {3, kHoursBox, {240, 1530, 615, 195}, {1080, 1480, 420, 270}},
      {4, kMinutesBox, {1550, 1520, 40, 195}, {1635, 1480, 420, 270}},
  };
  for (const LabelledBox& b : kBoxes) {
    MakeLabel(canvas, Indexed("lblItm", b.label), BoxLabel(b.box), b.labelAt);
    txtValue[b.box] = MakeBox(canvas, Indexed("txtValue", b.box), ValueBoxTypingLimit(b.box), b.boxAt);
  }

  const QString partyCaption =
      tr("%1  （左側 : %2　右側 : %3）").arg(CoreText(kPartyCaption), CoreText(kMainPartyCaption), CoreText(kSubPartyCaption));
  auto* frame = Placed(new QGroupBox(partyCaption, canvas), QStringLiteral("Frame5"), {2300, 480, 4050, 1560});
  static const int kMainLabelWidth[4] = {1290, 1305, 1305, 1305};
  for (int i = 0; i < 8; ++i) {
    const bool main = i < 4;
    const int row = i % 4;
    txtParty[i] =
        MakeBox(frame, Indexed("txtParty", i), kPartyBoxTypingLimit, {main ? 180 : 2060, 280 + 280 * row, 420, 270});
    lblValue[i] = MakeLabel(frame, Indexed("lblValue", i), QString::fromStdString(EmptySlotLabel()),
                            {main ? 680 : 2560, 320 + 280 * row, main ? kMainLabelWidth[row] : 1290, 195});
  }

  frame = Placed(new QGroupBox(CoreText(kRoleCaption), canvas), QStringLiteral("Frame4"), {240, 2040, 1935, 2200});
  lstRoll = MakeList(frame, QStringLiteral("lstRoll"), {180, 310, 1560, 1320});
  AddCheckableEntries(lstRoll, RoleCaptions());
  cmdSelroll[0] = MakeButton(frame, Indexed("cmdSelroll", 0), tr("全選択"), {180, 1740, 760, 360});
  cmdSelroll[1] = MakeButton(frame, Indexed("cmdSelroll", 1), tr("全解除"), {980, 1740, 760, 360});

  Fgrid[2] = Placed(new FlexGrid(65, 4, canvas), Indexed("Fgrid", 2), {2280, 2130, 4080, 2130});
}

void FrmMain::AddCheckableEntries(QListWidget* list, const std::vector<std::string>& captions) {
  for (const std::string& caption : captions) {
    auto* entry = new QListWidgetItem(QString::fromStdString(caption), list);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
  }
}

void FrmMain::NameForListeners() {
  auto core = [](const std::string& text) { return QString::fromStdString(text); };
  SSTab->setAccessibleName(tr("ページ選択"));
  Fgrid[0]->setAccessibleName(CoreText(kCharacterTabCaption));
  Fgrid[1]->setAccessibleName(CoreText(kEquipmentNameHeader));
  Fgrid[2]->setAccessibleName(CoreText(kPossessionCaption));
  lstWaza->setAccessibleName(CoreText(kTechniqueCaption));
  lstEvt->setAccessibleName(CoreText(kScenarioCaption));
  lstRoll->setAccessibleName(CoreText(kRoleCaption));
  cmbChara->setAccessibleName(tr("キャラ選択"));
  cmbWaza->setAccessibleName(tr("技・術の系統"));
  txtValue[0]->setAccessibleName(tr("キャラクターコード"));
  for (int box = 1; box < kValueBoxCount; ++box) txtValue[box]->setAccessibleName(core(ValueBoxName(box, TranslateCoreText)));
  for (int slot = 0; slot < kPartySlots; ++slot) {
    txtParty[slot]->setAccessibleName(core(PartySlotCaption(slot, TranslateCoreText)));
  }
}

void FrmMain::KeepOptionTabStop() {
  const bool anyOn = std::any_of(optEvt.begin(), optEvt.end(), [](const QRadioButton* o) { return o->isChecked(); });
  for (QRadioButton* option : optEvt) {
    const bool stop = option->isChecked() || (!anyOn && option == optEvt[0]);
    option->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
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
