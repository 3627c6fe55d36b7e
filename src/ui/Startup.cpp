#include "ui/Startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include "session/UserDataDirectory.h"
#include "ui/DeferredIconStyle.h"
#include "ui/FrmMain.h"
#include "ui/InstanceLock.h"
#include "ui/Twips.h"

namespace zovek {

Startup::Startup() = default;
Startup::~Startup() = default;

bool Startup::InstallJapaneseTranslation(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QApplication::installTranslator(translator);
  return true;
}

bool Startup::ClaimSingleInstance() {
  instanceLock_ = std::make_unique<InstanceLock>();
  const UserDataDirectory data = UserDataDirectory::ForCurrentUser();
  data.Make();
  if (!instanceLock_->TryLock(data.LockFile())) {
    instanceLock_.reset();
    return false;
  }
  return true;
}

void Startup::PlaceWindow(QWidget& window, const QScreen& screen) {
  const QRect area = screen.geometry();
  const QSize size = window.frameGeometry().size();
  const double left = (PixelsToTwips(area.width()) - PixelsToTwips(size.width())) / 2.0 - 1000.0;
  const double top = (PixelsToTwips(area.height()) - PixelsToTwips(size.height())) / 2.0 - 100.0;
  window.move(area.x() + static_cast<int>(left / kTwipsPerPixel), area.y() + static_cast<int>(top / kTwipsPerPixel));
}

int Startup::Run(QApplication& app) {
  QApplication::setStyle(new DeferredIconStyle);
  InstallJapaneseTranslation(app);
  if (!ClaimSingleInstance()) {
    return 0;
  }
  FrmMain window;
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
    PlaceWindow(window, *screen);
  }
  window.show();
  return QApplication::exec();
}

}  // namespace zovek
