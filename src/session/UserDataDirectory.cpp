#include "session/UserDataDirectory.h"

#include <string>

#include "savefile/FileSystem.h"

namespace zovek {

UserDataDirectory UserDataDirectory::ForCurrentUser() {
  return UserDataDirectory(UserApplicationDataBase() / kApplicationName);
}

std::filesystem::path UserDataDirectory::WorkingCopy(int number) const {
  if (number <= 1) {
    return root_ / "zovek.tmp";
  }
  return root_ / ("zovek-" + std::to_string(number) + ".tmp");
}

void UserDataDirectory::Make() const {
  static_cast<void>(MakePrivateDirectory(root_));
}

}  // namespace zovek
