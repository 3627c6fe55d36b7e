#pragma once
// The programs' own per-user data directory and the files kept in it: the
// working copies of opened card images, the backups the save command makes,
// and the editor's single-instance lock. Decided here for every program.
//
//   Linux and other Unix: $XDG_DATA_HOME/zovek when it is set,
//                         else ~/.local/share/zovek
//   Windows:              %APPDATA%\zovek
//   macOS:                ~/Library/Application Support/zovek

#include <filesystem>
#include <utility>

namespace zovek {

inline constexpr const char* kApplicationName = "zovek";

class UserDataDirectory {
 public:
  explicit UserDataDirectory(std::filesystem::path root) : root_(std::move(root)) {}

  // The current user's directory (not created here).
  static UserDataDirectory ForCurrentUser();

  const std::filesystem::path& Root() const { return root_; }

  // Working copy 1 is "zovek.tmp"; further ones ("zovek-2.tmp", ...) stand in
  // when the user has opened a working copy as their own file.
  std::filesystem::path WorkingCopy(int number = 1) const;
  std::filesystem::path Backups() const { return root_ / "backups"; }
  std::filesystem::path LockFile() const { return root_ / "zovek.lock"; }

  // Makes the directory when missing; on POSIX it is made, or tightened to,
  // the owner's only (MakePrivateDirectory). A failure is not reported here:
  // it shows as the error of the file operation that needed the directory.
  void Make() const;

 private:
  std::filesystem::path root_;
};

// The base directory of per-user application data on this system, before the
// program's own folder name; the one part that differs between systems.
std::filesystem::path UserApplicationDataBase();

}  // namespace zovek
