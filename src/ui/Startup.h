#pragma once
// The start of the editor program: Qt's Japanese strings, one instance per
// user, the window placed on the screen, and the event loop.

#include <memory>

class QApplication;
class QScreen;
class QWidget;

namespace zovek {

class InstanceLock;

class Startup {
 public:
  Startup();
  ~Startup();

  // Loads Qt's own Japanese translation (buttons, file dialog); the window is
  // Japanese whatever the system's language. False when it is not installed.
  static bool InstallJapaneseTranslation(QApplication& app);

  // True when this is the only running instance; the claim lasts as long as
  // this object.
  bool ClaimSingleInstance();

  // Puts the window 1000 twips left of and 100 twips above the centre of the
  // screen (the left edge may be negative on a narrow screen).
  static void PlaceWindow(QWidget& window, const QScreen& screen);

  // The whole program; returns its exit code. A second instance ends at once
  // without showing a window.
  int Run(QApplication& app);

 private:
  std::unique_ptr<InstanceLock> instanceLock_;
};

}  // namespace zovek
