#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

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

}  // namespace
}  // namespace zovek
