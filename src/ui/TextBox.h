#pragma once
// The editor's single-line number box: right-aligned, no input method (digits
// are typed directly), and a typing limit that governs typing and pasting
// only. Text set by the program is never cut: a loaded value longer than the
// limit reaches the box whole, so that the box's rule can judge all of it.

#include <QLineEdit>

namespace zovek {

class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit TextBox(QWidget* parent = nullptr);

  // Characters the user may bring the text to; 0 = no limit.
  int typingLimit() const { return typingLimit_; }
  void setTypingLimit(int limit) { typingLimit_ = limit; }

  // Makes the box display only: read-only, with the background of the window's menus.
  void setDisplayOnly();

  // Puts the text a change rule left, when it differs, keeping the caret where
  // it was as far as the new text reaches; then selects everything if asked.
  // Setting the text runs the change handlers again, which find nothing to do.
  void rewrite(const QString& ruled, bool selectAll);

 Q_SIGNALS:
  // The focus went to another control. A menu, a popup or another window only
  // borrows the keyboard and gives it back, so they don't count.
  void focusLost();
  void doubleClicked();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Inserts as much of `text` as the limit allows in place of the selection.
  void insertLimited(const QString& text);
  int roomForTyping() const;

  int typingLimit_ = 0;
};

}  // namespace zovek
