#pragma once
// The window's modal dialogs: the open-file dialog and the message boxes.
// Users get the real dialogs. Tests queue the answers in advance and read
// back every message box the program showed, so no modal box blocks them.

#include <QList>
#include <QMessageBox>
#include <QString>

class QFileDialog;
class QWidget;

namespace zovek {

// The file names of the open dialog's first filter, every container's
// (matched in any letter case); the second filter lists every file.
QStringList OpenFilterPatterns();
bool MatchesOpenFilter(const QString& fileName);

// The open dialog, set up but not shown: two filters, existing files only.
// Qt's own dialog reads "*.ps;*.psm" as one pattern, so the first filter's
// model is given the table's patterns after every change of filter.
QFileDialog* CreateOpenDialog(QWidget* parent);

struct ShownMessage {
  QString title;
  QString text;  // as the program wrote it (a line break is CR LF)
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

class Dialogs {
 public:
  // The chosen file name, empty when the user cancels.
  static QString askOpenFileName(QWidget* parent);

  // Shows a message box and returns the button pressed.
  static QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                             const QString& text, QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton);

  // The text a message box displays: CR LF becomes the box's line break.
  static QString displayedText(const QString& text);

  // Test seam. Queued answers are used first, in order. With the seam closed
  // (tests), nothing modal is shown: an empty queue cancels the file dialog
  // and answers a message box with its default button.
  static void setSeamClosed(bool closed);
  static void setNextFileName(const QString& fileName);
  static void setNextAnswer(QMessageBox::StandardButton answer);
  static const QList<ShownMessage>& shownMessages();
  static void clearRecord();  // forgets the record and the queues
};

}  // namespace zovek
