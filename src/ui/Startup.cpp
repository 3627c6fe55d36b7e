#include "ui/Startup.h"

#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QDir>
#include <QScreen>

#include "session/UserDataDirectory.h"
#include "ui/DeferredIconStyle.h"
#include "ui/Dialogs.h"
#include "ui/FrmMain.h"
#include "ui/InstanceLock.h"
#include "ui/Messages.h"
#include "ui/OpenRequestAddress.h"
#include "ui/OpenRequestClient.h"
#include "ui/OpenRequestQueue.h"
#include "ui/OpenRequestServer.h"
#include "ui/ProgramData.h"
#include "ui/Twips.h"
#include "ui/WindowLanguage.h"

namespace zovek {

Startup::Startup() : requests_(std::make_unique<OpenRequestQueue>()) {}
Startup::~Startup() = default;

bool Startup::ClaimSingleInstance() {
  instanceLock_ = std::make_unique<InstanceLock>();
  const UserDataDirectory data = UserDataDirectory::ForCurrentUser();
  data.Make();
  if (!instanceLock_->TryLock(data.LockFile())) {
    instanceLock_.reset();
  }
  return instanceLock_ != nullptr;
}

QString Startup::RequestedFile(const QString& given) {
  if (given.isEmpty()) {
    return {};
  }
  // Through std::filesystem: QFileInfo would turn a name's bytes that are not
  // UTF-8 into U+FFFD.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(ToFsPath(given), error);
  return error ? given : QDir::fromNativeSeparators(FromFsPath(absolute.lexically_normal()));
}

QString Startup::RequestServerName() { return OpenRequestServerName(ProgramDataDirectory()); }

bool Startup::ListenForRequests() {
  if (!instanceLock_) {
    return false;  // removing a socket is the lock holder's right only
  }
  server_ = std::make_unique<OpenRequestServer>();
  QObject::connect(server_.get(), &OpenRequestServer::Requested, requests_.get(),
                   [this](const QString& path) { requests_->Add(path, true); });
  if (!server_->Listen(RequestServerName())) {
    server_.reset();
  }
  return server_ != nullptr;
}

OpenRequestQueue& Startup::Requests() { return *requests_; }

void Startup::HandRequestsTo(FrmMain& window) { requests_->SetWindow(&window); }

void Startup::PlaceWindow(QWidget& window, const QScreen& screen) {
  const QRect area = screen.geometry();
  const QSize size = window.frameGeometry().size();
  const double left = (PixelsToTwips(area.width()) - PixelsToTwips(size.width())) / 2.0 - 1000.0;
  const double top = (PixelsToTwips(area.height()) - PixelsToTwips(size.height())) / 2.0 - 100.0;
  window.move(area.x() + static_cast<int>(left / kTwipsPerPixel), area.y() + static_cast<int>(top / kTwipsPerPixel));
}

int Startup::HandOverToRunningEditor(const QString& file) {
  if (SendOpenRequest(RequestServerName(), file) || file.isEmpty()) {
    return 0;  // without a file there is nothing to lose: the user can start the window again
  }
  Dialogs::message(nullptr, QMessageBox::Information, messages::ErrorTitle(),
                   messages::HandOverFailed(QDir::toNativeSeparators(file)), QMessageBox::Ok, QMessageBox::Ok);
  return 1;
}

int Startup::Run(const QString& given, const QString& language) {
  QApplication::setStyle(new DeferredIconStyle);
  InstallWindowLanguage(language);
  const QString file = RequestedFile(given);
  if (!ClaimSingleInstance()) {
    return HandOverToRunningEditor(file);
  }
  // Listening before the window is built, so that a start in the meantime is
  // not lost; its request waits for the window.
  ListenForRequests();
  FrmMain window;
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
    PlaceWindow(window, *screen);
  }
  window.show();
  if (!file.isEmpty()) {
    requests_->Add(file, false);
  }
  HandRequestsTo(window);
  return QApplication::exec();
}

}  // namespace zovek
