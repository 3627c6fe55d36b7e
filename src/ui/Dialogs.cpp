#include "ui/Dialogs.h"

#include <memory>

#include <QComboBox>
#include <QCoreApplication>
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

QString EverythingFilter() { return QCoreApplication::translate("Dialogs", "すべてのファイル (*)"); }

// Gives the dialog's file model the table's patterns, case-insensitive, while
// the first filter is chosen; the second lists every file as Qt reads it.
void ApplyOpenPatterns(QFileDialog* dialog) {
  auto* model = dialog->findChild<QFileSystemModel*>();
  if (model == nullptr || dialog->selectedNameFilter() == EverythingFilter()) return;
  model->setNameFilterDisables(false);
  model->setNameFilters(OpenFilterPatterns());
}

}  // namespace

// Every name of every container, the ones other kinds of file use too. The
// single saves' patterns first: the table backwards.
QStringList OpenFilterPatterns() {
  QStringList patterns;
  for (const Container& c : Containers()) {
    QStringList row;
    for (const std::string_view names : {c.globs, c.otherNames}) {
      if (!names.empty()) row += QString::fromUtf8(names).split(u';');
    }
    patterns = row + patterns;
  }
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
  dialog->setNameFilters({QCoreApplication::translate("Dialogs", "PSセーブ形式(") + OpenFilterPatterns().join(u';') + u')', EverythingFilter()});
  ApplyOpenPatterns(dialog);
  // The dialog resets its model's patterns whenever the filter is (re)chosen.
  QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog] { ApplyOpenPatterns(dialog); });
  if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")); types != nullptr) {
    // Queued: a filter chosen by code gets Qt's own patterns after this signal.
    QObject::connect(
        types, &QComboBox::currentIndexChanged, dialog, [dialog] { ApplyOpenPatterns(dialog); }, Qt::QueuedConnection);
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
  const std::unique_ptr<QFileDialog> dialog(CreateOpenDialog(parent));
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    return dialog->selectedFiles().constFirst();
  }
  return {};
}

QString Dialogs::displayedText(const QString& text) {
  return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
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
  seam = Seam{seam.closed, {}, {}, {}};  // the seam stays as it is
}

}  // namespace zovek
