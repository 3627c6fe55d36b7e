#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "savefile/TempDir.h"
#include "session/UserDataDirectory.h"

namespace zovek {
namespace {

namespace fs = std::filesystem;

TEST(UserDataDirectory, NamesItsFilesInsideIt) {
  const UserDataDirectory data(fs::path("root"));
  EXPECT_EQ(data.WorkingCopy(), fs::path("root") / "zovek.tmp");
  EXPECT_EQ(data.WorkingCopy(1), data.WorkingCopy());
  EXPECT_EQ(data.WorkingCopy(2), fs::path("root") / "zovek-2.tmp");
  EXPECT_EQ(data.Backups(), fs::path("root") / "backups");
  EXPECT_EQ(data.LockFile(), fs::path("root") / "zovek.lock");
}

#if !defined(_WIN32) && !defined(__APPLE__)
// The rule Qt's QStandardPaths applies on Linux, where earlier versions kept it.
class Environment {
 public:
  Environment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) setenv(name, value, 1); else unsetenv(name);
  }
  ~Environment() {
    if (old_) setenv(name_, old_->c_str(), 1); else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserDataDirectory, FollowsXdgDataHomeElseTheHomeFolder) {
  const Environment home("HOME", "/home/tester");
  const struct {
    const char* xdg;
    const char* expected;
  } cases[] = {
      {"/data/xdg", "/data/xdg/zovek"},
      {nullptr, "/home/tester/.local/share/zovek"},
      {"", "/home/tester/.local/share/zovek"},
  };
  for (const auto& c : cases) {
    const Environment xdg("XDG_DATA_HOME", c.xdg);
    EXPECT_EQ(UserDataDirectory::ForCurrentUser().Root(), fs::path(c.expected)) << (c.xdg ? c.xdg : "(unset)");
  }
}
#endif

#if !defined(_WIN32)
// The directory holds the user's saves: made for the owner only, parents
// included, and a present one loses what group and others may do, nothing of
// the owner's.
TEST(UserDataDirectory, IsMadeOrTightenedToTheOwnerOnly) {
  using fs::perms;
  const testfiles::TempDir dir;
  const struct {
    const char* name;
    std::optional<perms> before;  // none: missing
    perms after;
  } cases[] = {
      {"made/with/parents", std::nullopt, perms::owner_all},
      {"open to all", perms::all, perms::owner_all},
      {"the usual", perms::owner_all | perms::group_read | perms::group_exec | perms::others_read |
                        perms::others_exec, perms::owner_all},
      {"owner read-only", perms::owner_read | perms::owner_exec | perms::others_read,
       perms::owner_read | perms::owner_exec},
      {"already closed", perms::owner_all, perms::owner_all},
  };
  for (const auto& c : cases) {
    const fs::path root = dir / c.name;
    if (c.before) {
      fs::create_directories(root);
      fs::permissions(root, *c.before);
    }
    UserDataDirectory(root).Make();
    EXPECT_TRUE(fs::is_directory(root)) << c.name;
    EXPECT_EQ(fs::status(root).permissions(), c.after) << c.name;
    fs::permissions(root, perms::owner_all);  // so that the folder can be cleaned up
  }
  // The parents it made too, as for a missing ~/.local/share.
  EXPECT_EQ(fs::status(dir / "made").permissions(), perms::owner_all);
  EXPECT_EQ(fs::status(dir / "made/with").permissions(), perms::owner_all);
}
#endif

}  // namespace
}  // namespace zovek
