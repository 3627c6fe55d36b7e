#pragma once
// Requests from the command line and from later starts, held until the
// window can take them: it is shown, and no modal dialog or pop-up is up
// (a command is then never running, as only those run an event loop inside
// a command). Of several waiting files the last one wins.

#include <QPointer>
#include <QString>
#include <QTimer>

namespace zovek {

class FrmMain;

class OpenRequestQueue : public QObject {
  Q_OBJECT

 public:
  static constexpr int kRetryMs = 100;

  explicit OpenRequestQueue(QObject* parent = nullptr);

  // The window the requests go to; they wait until there is one.
  void SetWindow(FrmMain* window);

  // A file to open (absolute; empty for none), and whether the window is to
  // come forward. A new file replaces one still waiting.
  void Add(const QString& path, bool activate);

  // The file waiting to be opened; empty when none.
  const QString& PendingPath() const { return pendingPath_; }

  // True while a modal dialog or a pop-up is open.
  static bool ApplicationBusy();

 private:
  void TryDeliver();

  QPointer<FrmMain> window_;
  QString pendingPath_;
  bool pendingActivation_ = false;
  QTimer retry_;
};

}  // namespace zovek
