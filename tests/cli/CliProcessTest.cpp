// The real zovek-cli program: exit codes, one stderr line per problem naming
// its file, --help, and files left unchanged.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "cli/CliTestFiles.h"

namespace zovek::clitest {
namespace {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
  std::vector<std::string> errLines() const {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < err.size()) {
      const std::size_t end = err.find('\n', start);
      lines.push_back(err.substr(start, end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return lines;
  }
};

QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

CliRun Cli(const QStringList& arguments) {
  QProcess process;
  process.start(ZOVEK_CLI_PATH, arguments);
  CliRun run;
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CliProcess, HelpPrintsTheUsageAndSucceeds) {
  for (const QStringList& args : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"dump", "--help"}}) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Contains(run.out, "Usage: zovek-cli COMMAND"));
    for (const char* part : {"info FILE...", "dump FILE [--save N] [--json]", "verify FILE...", "Exit status"}) {
      EXPECT_TRUE(Contains(run.out, part)) << part;
    }
    EXPECT_TRUE(run.err.empty());
  }
}

TEST(CliProcess, WrongCommandLinesExit64AndSaySo) {
  const QString demo = QString(ZOVEK_EXAMPLES_DIR) + "/demo.mcr";
  const std::vector<std::pair<QStringList, std::string>> cases = {
      {{}, "Usage: zovek-cli"},
      {{"frob"}, "unknown command 'frob'"},
      {{"verify"}, "verify: no FILE given"},
      {{"dump", demo, demo}, "dump: takes one FILE"},
      {{"dump", "--save", "0", demo}, "--save needs a save number 1..15, not '0'"},
      {{"dump", "--save", "x", demo}, "not 'x'"},
      {{"info", "--json", demo}, "json"},
  };
  for (const auto& [args, message] : cases) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.exitCode, 64) << args.join(' ').toStdString();
    EXPECT_TRUE(Contains(run.err, message)) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
}

TEST(CliProcess, VerifySoundFilesExitsZeroQuietly) {
  const CliRun run = Cli({"verify", QString(ZOVEK_EXAMPLES_DIR) + "/demo.mcr", QString(ZOVEK_EXAMPLES_DIR) + "/demo-single.ps"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_EQ(run.out, "verified 2 files, 4 saves: all sound\n");
}

TEST(CliProcess, VerifyReportsAWrongChecksumWithExitOne) {
  TempDir dir;
  const auto good = Write(dir, "good.mcr", ThreeSaveCard().bytes());
  const auto bad = Write(dir, "bad.mcr", ThreeSaveCard(ChecksumMode::Wrong).bytes());
  const CliRun run = Cli({"verify", Q(good), Q(bad)});
  EXPECT_EQ(run.exitCode, 1);
  const auto lines = run.errLines();
  ASSERT_EQ(lines.size(), 1u) << run.err;
  EXPECT_TRUE(Contains(lines[0], bad.string() + ": save 3 (block 8): checksum 0x")) << lines[0];
  EXPECT_TRUE(Contains(lines[0], "does not match")) << lines[0];
}

TEST(CliProcess, VerifyFindsAFlippedBitAtTheEdgesOfEverySaveRegion) {
  TempDir dir;
  const Bytes sound = ThreeSaveCard().bytes();
  const auto path = dir / "flip.mcr";
  for (const int block : {1, 8, 15}) {
    for (const std::uint64_t p : {0ull, 3901ull, 7807ull}) {
      savegen::WriteWholeFile(path, Flipped(sound, CardImage::RegionOffset(block) + p, static_cast<int>(p % 8)));
      const CliRun run = Cli({"verify", Q(path)});
      EXPECT_EQ(run.exitCode, 1) << "block " << block << " byte " << p;
      ASSERT_EQ(run.errLines().size(), 1u) << run.err;
      EXPECT_TRUE(Contains(run.err, "(block " + std::to_string(block) + ")")) << run.err;
    }
  }
}

TEST(CliProcess, VerifyUnreadableOrUnsupportedFilesExitTwoOneLineEach) {
  TempDir dir;
  const auto bad = Write(dir, "bad.mcr", ThreeSaveCard(ChecksumMode::Wrong).bytes());
  const auto small = Write(dir, "small.bin", Bytes(100, 0));
  CardImage other;
  other.OtherGameSave(2, savegen::kOtherGameCode, '1', 3);
  const auto foreign = Write(dir, "foreign.mcr", other.bytes());
  const auto missing = dir / "missing.ps";
  const CliRun run = Cli({"verify", Q(bad), Q(small), Q(foreign), Q(missing)});
  EXPECT_EQ(run.exitCode, 2);
  const auto lines = run.errLines();
  ASSERT_EQ(lines.size(), 4u) << run.err;
  EXPECT_TRUE(Contains(lines[0], bad.string() + ": save 3"));
  EXPECT_TRUE(Contains(lines[1], small.string() + ": not a supported file: 100 bytes"));
  EXPECT_TRUE(Contains(lines[2], foreign.string() + ": no Zovek save"));
  EXPECT_TRUE(Contains(lines[3], missing.string() + ": cannot read: "));
  EXPECT_TRUE(Contains(run.out, "verified 4 files, 3 saves: 4 problems"));
}

TEST(CliProcess, InfoListsSavesAndNamesFilesItCannotRead) {
  TempDir dir;
  const auto bad = Write(dir, "bad.mcr", ThreeSaveCard(ChecksumMode::Wrong).bytes());
  const CliRun run = Cli({"info", Q(bad), Q(dir / "nothing.mcr")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(Contains(run.out, bad.string() + ": memory-card image, 3 saves of the game\n"));
  EXPECT_TRUE(Contains(run.out, "  save 1 (block 1): checksum 0x"));
  EXPECT_TRUE(Contains(run.out, "  save 3 (block 8): checksum 0x"));
  EXPECT_TRUE(Contains(run.out, "  save 12 (block 15): checksum 0x"));
  EXPECT_TRUE(Contains(run.out, "does not match"));
  ASSERT_EQ(run.errLines().size(), 1u);
  EXPECT_TRUE(Contains(run.err, "nothing.mcr: cannot read"));
}

TEST(CliProcess, DumpJsonParsesAndPicksTheSaveAsked) {
  const QString demo = QString(ZOVEK_EXAMPLES_DIR) + "/demo.mcr";
  const auto before = savegen::ReadWholeFile(demo.toStdString());

  CliRun run = Cli({"dump", demo, "--save", "3", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonObject third = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
  EXPECT_EQ(third["save"]["number"].toInt(), 3);
  EXPECT_EQ(third["save"]["block"].toInt(), 6);
  EXPECT_EQ(third["chipsStored"].toInteger(), 1234567);  // above the 999999 the window shows
  EXPECT_EQ(third["chips"].toInteger(), 999999);

  run = Cli({"dump", "--json", demo});  // no --save: the save the editor opens first
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonObject first = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
  EXPECT_EQ(first["save"]["number"].toInt(), 1);
  EXPECT_EQ(first["playTime"]["sixtieths"].toInteger() / 216000, 123);  // above the 99 the window shows
  EXPECT_EQ(first["playTime"]["hours"].toInt(), 99);
  EXPECT_EQ(first["playTime"]["minutes"].toInt(), 45);

  run = Cli({"dump", demo, "--save=2"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(Contains(run.err, "demo.mcr: no save 2 in this file (its saves: 1, 3, 12)")) << run.err;

  EXPECT_EQ(savegen::ReadWholeFile(demo.toStdString()), before);  // never written
}

TEST(CliProcess, DumpTextShowsTheThreeTabs) {
  const CliRun run = Cli({"dump", QString(ZOVEK_EXAMPLES_DIR) + "/demo-single.ps"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "single-save file, save 5, checksum 0x"));
  for (const char* section : {"キャラクター", "技・術の極意修得", "シナリオ設定", "アイテム・その他", "パーティ構成", "ロール取得", "持物64"}) {
    EXPECT_TRUE(Contains(run.out, section)) << section;
  }
  EXPECT_TRUE(run.err.empty());
}

TEST(CliProcess, DumpOfABrokenSaveWarnsButSucceeds) {
  TempDir dir;
  const auto bad = Write(dir, "bad.mcr", ThreeSaveCard(ChecksumMode::Wrong).bytes());
  const CliRun run = Cli({"dump", Q(bad), "--save", "3"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(Contains(run.out, "does not match"));
  ASSERT_EQ(run.errLines().size(), 1u);
  EXPECT_TRUE(Contains(run.err, "warning: save 3 (block 8)"));
}

}  // namespace
}  // namespace zovek::clitest
