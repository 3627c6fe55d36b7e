// Two zovek-cli runs on one save at the same time: the file lock makes them
// apply one after the other, so both edits stay; a run that finds the lock
// held past its wait writes nothing.

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <memory>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "cli/CliTestFiles.h"
#include "cli/CliCommands.h"
#include "savefile/OpenedFile.h"
#include "savefile/WriteSteps.h"

namespace zovek::clitest {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

std::unique_ptr<QProcess> Start(const QStringList& arguments, const fs::path& dataHome) {
  auto process = std::make_unique<QProcess>();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_DATA_HOME", Q(dataHome));
  process->setProcessEnvironment(environment);
  process->start(ZOVEK_CLI_PATH, arguments);
  return process;
}

// The exit code, -1 for a run that did not end normally.
int Finish(QProcess& process) {
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return -1;
  return process.exitCode();
}

QJsonObject Dump(const fs::path& file, const fs::path& dataHome) {
  auto process = Start({"dump", Q(file), "--json"}, dataHome);
  if (Finish(*process) != 0) return {};
  return QJsonDocument::fromJson(process->readAllStandardOutput()).object();
}

TEST(CliConcurrency, TwoSetsOnOneSaveBothStayEveryRound) {
  TempDir dir;
  const fs::path file = dir / "demo.mcr";
  fs::copy_file(std::string(ZOVEK_EXAMPLES_DIR) + "/demo.mcr", file);
  for (int round = 1; round <= 30; ++round) {
    SCOPED_TRACE(round);
    const int chips = 1000 + round;
    const int hp = 100 + round;
    std::array runs = {
        Start({"set", Q(file), "--no-backup", "chips=" + QString::number(chips)}, dir / "data"),
        Start({"set", Q(file), "--no-backup", "characters[0].hp=" + QString::number(hp)}, dir / "data")};
    for (auto& run : runs) {
      ASSERT_EQ(Finish(*run), 0) << run->readAllStandardError().toStdString();
    }
    const QJsonObject dump = Dump(file, dir / "data");
    ASSERT_EQ(dump["chips"].toInt(), chips);
    ASSERT_EQ(dump["characters"][0]["hp"].toInt(), hp);
  }
}

// Another of our programs holds the lock (here: this test) for longer than
// the wait: the run says so, exits 2 and leaves the file as it was. A dry run
// takes no lock and goes on.
TEST(CliConcurrency, ALockHeldPastTheWaitWritesNothing) {
  TempDir dir;
  const fs::path file = dir / "demo.mcr";
  fs::copy_file(std::string(ZOVEK_EXAMPLES_DIR) + "/demo.mcr", file);
  const Bytes before = savegen::ReadWholeFile(file);
  OpenedFile held;
  ASSERT_EQ(held.Open(file), 0);
  ASSERT_EQ(held.Lock(), 0);

  auto dry = Start({"set", Q(file), "--dry-run", "chips=7"}, dir / "data");
  EXPECT_EQ(Finish(*dry), 0) << dry->readAllStandardError().toStdString();
  auto run = Start({"set", Q(file), "chips=7"}, dir / "data");
  EXPECT_EQ(Finish(*run), 2);
  const std::string err = run->readAllStandardError().toStdString();
  EXPECT_NE(err.find(": another zovek program is writing this file (waited 5 s); nothing written\n"),
            std::string::npos)
      << err;
  EXPECT_EQ(savegen::ReadWholeFile(file), before);
  EXPECT_FALSE(fs::exists(dir / "data" / "zovek" / "backups"));
}

// The write found another file at the name, or failed part way: set (in
// this process, so that a test's fault reaches its write) exits 2 with a line
// that says what is on disk, and tightens the data directory as the window does.
TEST(CliConcurrency, AFailedWriteSaysWhatIsOnDisk) {
  TempDir dir;
  const fs::path file = dir / "demo.mcr";
  const fs::path data = dir / "data" / "zovek";
  fs::create_directories(data);
  fs::permissions(data, fs::perms(0755));
  ASSERT_EQ(::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1), 0);
  struct Case {
    WriteStep step;
    bool undoFails;
    std::string line;  // after "zovek-cli: PATH: "
  };
  const std::vector<Case> cases = {
      {WriteStep::BeforeWrite, false, "save 1 (block 2): another file was put at this name just before the write; nothing written"},
      {WriteStep::WritingRegion, false, "cannot write: No space left on device (28)"},
      {WriteStep::WritingRegion, true, "save 1: the write failed part way and could not be undone; the save may be "
                                       "damaged; backup: "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    fs::remove(file);
    fs::copy_file(std::string(ZOVEK_EXAMPLES_DIR) + "/demo.mcr", file);
    SetWriteStepHook([&](WriteStep step) {
      if (c.step == WriteStep::BeforeWrite && step == c.step) fs::rename(file, dir / "aside.mcr");
      if (c.step != WriteStep::WritingRegion) return 0;
      return step == WriteStep::WritingRegion || (c.undoFails && step == WriteStep::RestoringRegion) ? ENOSPC : 0;
    });
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli({"zovek-cli", "set", Q(file), "chips=7"}, in, out, err), 2);
    SetWriteStepHook({});
    EXPECT_EQ(err.str().rfind("zovek-cli: " + file.string() + ": " + c.line, 0), 0u) << err.str();
    EXPECT_EQ(fs::status(data).permissions() & fs::perms::all, fs::perms::owner_all);
  }
  ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace zovek::clitest
