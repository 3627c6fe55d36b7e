// The menu bar of FrmMain: file, edit and save-number menus.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/FrmMain.h"

namespace zovek {

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  return action;
}

void AddSeparator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); }

QMenu* AddMenu(QMenuBar* menuBar, const char* name, const QString& caption) {
  QMenu* menu = menuBar->addMenu(caption);
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Title"));
  return menu;
}

}  // namespace

void FrmMain::BuildMenus() {
  QMenuBar* bar0 = menuBar();
  bar0->setObjectName(QStringLiteral("menuBar"));

  QMenu* mnuFile = AddMenu(bar0, "mnuFile", tr("ﾌｧｲﾙ(&F)"));
  mnuFileOpen = AddItem(mnuFile, "mnuFileOpen", tr("ﾌｧｲﾙを開く(&O)"));
  mnuFileSave = AddItem(mnuFile, "mnuFileSave", tr("ﾃﾞｰﾀ保存(&S)"));
  AddSeparator(mnuFile, "bar");
  mnuExit = AddItem(mnuFile, "mnuExit", tr("終了(&X)"));

  QMenu* mnuEdit = AddMenu(bar0, "mnuEdit", tr("編集(&E)"));
  mnuCharaRtn = AddItem(mnuEdit, "mnuCharaRtn", tr("取り消し"), QKeySequence(Qt::CTRL | Qt::Key_U));
  AddSeparator(mnuEdit, "bar1");
  mnuCharaCopy = AddItem(mnuEdit, "mnuCharaCopy", tr("ｷｬﾗﾃﾞｰﾀｺﾋﾟｰ"), QKeySequence(Qt::CTRL | Qt::Key_R));
  mnuCharaPaste =
      AddItem(mnuEdit, "mnuCharaPaste", tr("ｷｬﾗﾃﾞｰﾀ貼り付け"), QKeySequence(Qt::CTRL | Qt::Key_W));

  QMenu* mnuSvdata = AddMenu(bar0, "mnuSvdata", tr("ｾｰﾌﾞ選択(&V)"));
  for (int s = 1; s <= kSaveNumbers; ++s) {
    QAction* item = mnuSvdata->addAction(QStringLiteral("No. %1").arg(s));
    item->setObjectName(QStringLiteral("mnuSelSave(%1)").arg(s));
    item->setCheckable(true);
    item->setChecked(s == 1);
    item->setEnabled(false);
    mnuSelSave[static_cast<std::size_t>(s)] = item;
  }
}

}  // namespace zovek
