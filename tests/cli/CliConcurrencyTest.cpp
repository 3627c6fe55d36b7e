// Two zovek-cli runs on one save at the same time: the file lock makes them
// apply one after the other, so both edits stay; a run that finds the lock
// held past its wait writes nothing.

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "cli/CliTestFiles.h"
#include "savefile/OpenedFile.h"

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

}  // namespace
}  // namespace zovek::clitest
