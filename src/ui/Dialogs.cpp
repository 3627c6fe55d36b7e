#include "ui/Dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QQueue>

#include "savefile/Containers.h"

namespace zovek {

namespace {

struct Seam {
  bool closed = false;
  QQueue<QString> fileNames;
  QQueue<QMessageBox::StandardButton> answers;
  QList<ShownMessage> shown;
};

Seam& TheSeam() {
  static Seam seam;
  return seam;
}

// Gives the dialog's file model the five patterns, case-insensitive.
void ApplyOpenPatterns(QFileDialog* dialog) {
  if (auto* model = dialog->findChild<QFileSystemModel*>(); model != nullptr) {
    model->setNameFilterDisables(false);
    model->setNameFilters(OpenFilterPatterns());
  }
}

}  // namespace

// The dialog lists the single save's patterns first: the table backwards.
QStringList OpenFilterPatterns() {
  QStringList patterns;
  for (const Container& c : Containers()) patterns = QString::fromUtf8(c.patterns).split(u';') + patterns;
  return patterns;
}

bool MatchesOpenFilter(const QString& fileName) {
  return QDir::match(OpenFilterPatterns(), QFileInfo(fileName).fileName());  // case-insensitive
}

QFileDialog* CreateOpenDialog(QWidget* parent) {
  auto* dialog = new QFileDialog(parent);
  dialog->setObjectName(QStringLiteral("cmnDlg"));
  // Qt's own dialog everywhere, so the filter behaves the same on every system.
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setNameFilter(QString::fromUtf8("PSセーブ形式(") + OpenFilterPatterns().join(u';') + u')');
  ApplyOpenPatterns(dialog);
  // The dialog resets its model's patterns whenever the filter is (re)chosen.
  QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog] { ApplyOpenPatterns(dialog); });
  if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")); types != nullptr) {
    QObject::connect(types, &QComboBox::currentIndexChanged, dialog, [dialog] { ApplyOpenPatterns(dialog); });
  }
  return dialog;
}

QString Dialogs::askOpenFileName(QWidget* parent) {
  Seam& seam = TheSeam();
  if (!seam.fileNames.isEmpty()) {
    return seam.fileNames.dequeue();
  }
  if (seam.closed) {
    return {};
  }
  QFileDialog* dialog = CreateOpenDialog(parent);
  QString chosen;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    chosen = dialog->selectedFiles().constFirst();
  }
  delete dialog;
  return chosen;
}

QString Dialogs::displayedText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

QMessageBox::StandardButton Dialogs::message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                             const QString& text, QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton) {
  Seam& seam = TheSeam();
  seam.shown.append(ShownMessage{title, text, icon, buttons, defaultButton});
  if (!seam.answers.isEmpty()) {
    return seam.answers.dequeue();
  }
  if (seam.closed) {
    return defaultButton;
  }
  QMessageBox box(icon, title, displayedText(text), buttons, parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(defaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Dialogs::setSeamClosed(bool closed) { TheSeam().closed = closed; }
void Dialogs::setNextFileName(const QString& fileName) { TheSeam().fileNames.enqueue(fileName); }
void Dialogs::setNextAnswer(QMessageBox::StandardButton answer) { TheSeam().answers.enqueue(answer); }
const QList<ShownMessage>& Dialogs::shownMessages() { return TheSeam().shown; }

void Dialogs::clearRecord() {
  Seam& seam = TheSeam();
  seam.fileNames.clear();
  seam.answers.clear();
  seam.shown.clear();
}

}  // namespace zovek
