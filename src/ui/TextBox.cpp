#include "ui/TextBox.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>

namespace zovek {

namespace {

// The first line of a pasted text, as a single-line box takes it.
QString SingleLine(const QString& text) { return text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0); }

// True when the key is the shortcut of one of the window's menu items. Those
// keys are the window's: with X11 key bindings a line edit takes Ctrl+U to
// clear the line, which would wipe the box instead of running "取り消し".
bool IsMenuKey(const QWidget& box, const QKeyEvent& key) {
  if ((key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0) {
    return false;  // typing; no menu item has a plain key
  }
  const auto* window = qobject_cast<const QMainWindow*>(box.window());
  const QMenuBar* menus =
      window != nullptr ? window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  if (menus == nullptr) {
    return false;
  }
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* item : menus->findChildren<QAction*>()) {
    if (!item->shortcut().isEmpty() && item->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
      return true;
    }
  }
  return false;
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
  setAcceptDrops(false);  // dropped text would bypass the typing limit
}

void TextBox::setDisplayOnly() {
  setReadOnly(true);
  setAttribute(Qt::WA_InputMethodEnabled, false);  // setReadOnly turns it back on
  QPalette colours = palette();
  colours.setColor(QPalette::Base, colours.color(QPalette::Window));
  setPalette(colours);
}

int TextBox::roomForTyping() const {
  if (typingLimit_ <= 0) {
    return -1;  // unlimited
  }
  const qsizetype kept = text().size() - selectedText().size();
  return std::max(0, typingLimit_ - static_cast<int>(kept));
}

void TextBox::insertLimited(const QString& text) {
  if (isReadOnly()) {
    return;
  }
  QString accepted = SingleLine(text);
  const int room = roomForTyping();
  if (room >= 0 && accepted.size() > room) {
    accepted.truncate(room);
  }
  if (accepted.isEmpty() && !text.isEmpty()) {
    return;  // nothing fits: the selection stays as it is
  }
  insert(accepted);
}

bool TextBox::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && IsMenuKey(*this, *static_cast<QKeyEvent*>(event))) {
    event->ignore();  // not the box's: the menu item's shortcut runs
    return true;
  }
  return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (IsMenuKey(*this, *event)) {
    event->accept();  // a menu key whose item is disabled does nothing here either
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    insertLimited(QApplication::clipboard()->text());
    event->accept();
    return;
  }
  const QString typed = event->text();
  const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
  const bool commandKey = (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
  if (printable && !commandKey && !isReadOnly()) {
    const int room = roomForTyping();
    if (room == 0) {
      event->accept();  // the box is full: the key is refused
      return;
    }
    if (room > 0 && typed.size() > room) {
      insertLimited(typed);
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
  // The X11 middle-button paste goes through the limit too.
  if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
    insertLimited(QApplication::clipboard()->text(QClipboard::Selection));
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  Q_EMIT doubleClicked();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  switch (event->reason()) {
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
    case Qt::ActiveWindowFocusReason:
      return;
    default:
      Q_EMIT focusLost();
  }
}

void TextBox::rewrite(const QString& ruled, bool selectAll) {
  if (text() != ruled) {
    const qsizetype caret = std::min<qsizetype>(cursorPosition(), ruled.size());
    setText(ruled);
    setCursorPosition(static_cast<int>(caret));
  }
  if (selectAll) {
    this->selectAll();
  }
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's paste goes through the limit like the keyboard's.
  if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste")); paste != nullptr) {
    disconnect(paste, &QAction::triggered, nullptr, nullptr);
    connect(paste, &QAction::triggered, this, [this] { insertLimited(QApplication::clipboard()->text()); });
  }
  menu->popup(event->globalPos());
}

}  // namespace zovek
