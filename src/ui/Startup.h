#pragma once
// The start of the editor program: Qt's Japanese strings, one instance per
// user (a later start hands its file to the running one), the window placed
// on the screen, the file named on the command line, and the event loop.

#include <memory>

#include <QStringList>

class QApplication;
class QScreen;
class QWidget;

namespace zovek {

class FrmMain;
class InstanceLock;
class OpenRequestQueue;
class OpenRequestServer;

class Startup {
 public:
  Startup();
  ~Startup();

  // True when this is the only running instance; the claim lasts as long as
  // this object.
  bool ClaimSingleInstance();

  // The file named on the command line, made absolute against the current
  // directory; empty when none is named.
  static QString RequestedFile(const QString& given);

  // Where this user's running editor listens for later starts.
  static QString RequestServerName();

  // Listens for the requests of later starts; only after ClaimSingleInstance
  // has succeeded. False when there is no channel (the editor then runs
  // without hand-over).
  bool ListenForRequests();

  // The requests waiting for the window, and the window they go to.
  OpenRequestQueue& Requests();
  void HandRequestsTo(FrmMain& window);

  // Puts the window 1000 twips left of and 100 twips above the centre of the
  // screen (the left edge may be negative on a narrow screen).
  static void PlaceWindow(QWidget& window, const QScreen& screen);

  // A later start's part, when another instance holds the claim: hands
  // `file` (an absolute path, or empty to only bring the window forward) to
  // the running editor. When a file cannot be handed over, an "Error" box
  // says so and the result is 1; otherwise it is 0, without a word.
  static int HandOverToRunningEditor(const QString& file);

  // The whole program; returns its exit code. A second instance hands its
  // file (or only the wish to see the window) to the first and ends at once
  // without showing a window (see HandOverToRunningEditor).
  // `file`: the file named on the command line, as given; empty for none.
  // `language`: the window's, "ja" or "en"; a file handed over to a running
  // editor opens in that editor's language.
  int Run(const QString& file, const QString& language);

 private:
  std::unique_ptr<InstanceLock> instanceLock_;
  std::unique_ptr<OpenRequestQueue> requests_;
  std::unique_ptr<OpenRequestServer> server_;
};

}  // namespace zovek
