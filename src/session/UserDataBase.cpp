// Where each system keeps per-user application data. On Unix the rule is the
// one Qt's QStandardPaths applies, so the editor's directory stays where
// earlier versions put it.

#include <cstdlib>
#include <filesystem>

#include "session/UserDataDirectory.h"

namespace zovek {

namespace fs = std::filesystem;

#if defined(_WIN32)

fs::path UserApplicationDataBase() {
  // The wide form keeps names outside the ANSI code page intact.
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData != nullptr && *appData != L'\0') {
    return fs::path(appData);
  }
  const wchar_t* profile = _wgetenv(L"USERPROFILE");
  return (profile != nullptr ? fs::path(profile) : fs::path(L"C:\\")) / L"AppData" / L"Roaming";
}

#else

namespace {

fs::path HomeDirectory() {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? fs::path(home) : fs::path("/");
}

}  // namespace

fs::path UserApplicationDataBase() {
#if defined(__APPLE__)
  return HomeDirectory() / "Library" / "Application Support";
#else
  // Taken as it is, as Qt takes it.
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && *xdg != '\0') {
    return fs::path(xdg);
  }
  return HomeDirectory() / ".local" / "share";
#endif
}

#endif

}  // namespace zovek
