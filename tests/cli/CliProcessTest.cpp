// The real zovek-cli program: exit codes, one stderr line per problem naming
// its file, --help, and files left unchanged.

#include <iterator>

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcessEnvironment>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "ByteArgumentProcess.h"
#include "cli/CliTestFiles.h"
#include "savedata/SaveLayout.h"

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

QString Q(const std::filesystem::path& path) { return QString::fromStdU16String(TextFromPath(path)); }

// `dataHome`: the per-user data directory's base for the run (backups go there);
// `input`: the file its standard input reads.
CliRun Cli(const QStringList& arguments, const std::filesystem::path& dataHome = {},
           const std::filesystem::path& input = {}) {
  QProcess process;
  if (!dataHome.empty()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", Q(dataHome));
    process.setProcessEnvironment(environment);
  }
  if (!input.empty()) process.setStandardInputFile(Q(input));
  testprocess::StartWithArgumentBytes(process, ZOVEK_CLI_PATH, arguments);
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

// ---- set and apply ----

QString Example(const char* name) { return QString(ZOVEK_EXAMPLES_DIR) + "/" + name; }

std::filesystem::path CopyOf(const TempDir& dir, const char* name) {
  const auto copy = dir / name;
  std::filesystem::copy_file(Example(name).toStdString(), copy);
  return copy;
}

QJsonObject DumpOf(const std::filesystem::path& file, int save, const std::filesystem::path& dataHome = {}) {
  const CliRun run = Cli({"dump", Q(file), "--json", "--save", QString::number(save)}, dataHome);
  return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

std::filesystem::path WriteText(const TempDir& dir, const std::string& name, const QByteArray& text) {
  const auto path = dir / name;
  savegen::WriteWholeFile(path, Bytes(text.begin(), text.end()));
  return path;
}

std::size_t BackupCount(const std::filesystem::path& dataHome) {
  const auto backups = dataHome / "zovek" / "backups";
  if (!std::filesystem::is_directory(backups)) return 0;
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(backups), {}));
}

TEST(CliProcess, SetWritesOnlyTheSavesRegionAfterABackup) {
  const auto save3 = static_cast<std::int64_t>(CardImage::RegionOffset(6));  // save 3 is in block 6
  for (const auto& [name, regionOffset] : {std::pair{"demo.mcr", save3}, std::pair{"demo.gme", 3904 + save3}}) {
    SCOPED_TRACE(name);
    TempDir dir;
    const auto file = CopyOf(dir, name);
    const Bytes original = savegen::ReadWholeFile(file);
    const QStringList edit = {"set", Q(file), "--save", "3", "chips=500000", "characters[3].hp=999"};

    CliRun run = Cli(QStringList(edit) << "--dry-run", dir / "data");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "  chips: 999999 → 500000\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "would change; --dry-run: nothing written")) << run.out;
    EXPECT_EQ(savegen::ReadWholeFile(file), original);
    EXPECT_EQ(BackupCount(dir / "data"), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "data" / "zovek"));  // nothing written, nothing made

    run = Cli(edit, dir / "data");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "  characters[3].hp: ")) << run.out;
    EXPECT_TRUE(Contains(run.out, " of the file changed; backed up into ")) << run.out;
    EXPECT_EQ(BackupCount(dir / "data"), 1u);

    const QJsonObject dump = DumpOf(file, 3);
    EXPECT_EQ(dump["chips"].toInteger(), 500000);
    EXPECT_EQ(dump["characters"][3]["hp"].toInt(), 999);
    EXPECT_EQ(dump["save"]["regionOffset"].toInteger(), regionOffset);
    EXPECT_EQ(dump["container"].toString(), std::string(name) == "demo.gme" ? "gme" : "");
    EXPECT_EQ(Cli({"verify", Q(file)}).exitCode, 0);

    const Bytes written = savegen::ReadWholeFile(file);
    ASSERT_EQ(written.size(), original.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
      const auto start = static_cast<std::size_t>(regionOffset);
      const bool inRegion = i >= start && i < start + 7808;
      if (!inRegion) {
        ASSERT_EQ(written[i], original[i]) << "byte " << i << " outside save 3";
      }
    }
    EXPECT_NE(written, original);
  }
}

// The demo card and single save in every form players keep them in: each is
// reported, dumped, verified and compared like the plain file (no field and no
// other byte differs), and set writes only the save's region, or, for a
// signed form, exits 2 and writes nothing.
TEST(CliProcess, EveryFormIsReadAsThePlainFileAndWrittenUnlessSigned) {
  TempDir dir;
  const auto card = Write(dir, "plain.mcr", savegen::DemoCard());
  const auto single = Write(dir, "plain.ps", savegen::DemoSingle());
  for (const savegen::SaveForm form : savegen::kEveryForm) {
    const bool isCard = savegen::IsCardForm(form);
    SCOPED_TRACE(static_cast<int>(form));
    const Bytes bytes = savegen::InForm(form, savegen::ReadWholeFile(isCard ? card : single));
    const std::string name = form == savegen::SaveForm::Block ? savegen::SaveFileName('4') : "form.sav";
    const auto file = Write(dir, name, bytes);
    const CliRun info = Cli({"info", Q(file)});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_TRUE(Contains(info.out, savegen::IsSignedForm(form) ? ", signed, read-only, " : " of the game")) << info.out;
    EXPECT_EQ(Cli({"verify", Q(file)}).exitCode, 0);
    const CliRun dump = Cli({"dump", Q(file), "--json"});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(dump.out))["save"]["number"].toInt(), isCard ? 1 : 5);
    const CliRun diff = Cli({"diff", Q(isCard ? card : single), Q(file)});
    EXPECT_EQ(diff.exitCode, 0) << diff.out << diff.err;
    EXPECT_EQ(diff.out, "otherBytes: 0\n");

    const CliRun set = Cli({"set", Q(file), "--no-backup", "chips=4242"}, dir / "data");
    if (savegen::IsSignedForm(form)) {
      EXPECT_EQ(set.exitCode, 2);
      EXPECT_TRUE(Contains(set.err, ": signed, read-only: ")) << set.err;
      EXPECT_EQ(savegen::ReadWholeFile(file), bytes);
      continue;
    }
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const std::uint64_t region = savegen::FormHeader(form) + (isCard ? 2 * 8192 : 0) + 384;  // the card's save 1
    const auto changed = testfiles::Differences(bytes, savegen::ReadWholeFile(file));
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), region);
    EXPECT_LT(changed.back(), region + kDataRegionSize);
  }
}

TEST(CliProcess, ApplyOfAnUneditedDumpWritesNothing) {
  for (const auto& [name, save] : {std::pair{"demo.mcr", 1}, std::pair{"demo.mcr", 3}, std::pair{"demo.mcr", 12},
                                   std::pair{"demo.gme", 12}, std::pair{"demo-single.ps", 5}}) {
    SCOPED_TRACE(std::string(name) + " save " + std::to_string(save));
    TempDir dir;
    const auto file = CopyOf(dir, name);
    const Bytes original = savegen::ReadWholeFile(file);
    const auto json = WriteText(dir, "dump.json", QJsonDocument(DumpOf(file, save, dir / "data")).toJson());
    const CliRun run = Cli({"apply", Q(file), Q(json)}, dir / "data");  // the dump names its save
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "save " + std::to_string(save))) << run.out;
    EXPECT_TRUE(Contains(run.out, "nothing to change")) << run.out;
    EXPECT_EQ(savegen::ReadWholeFile(file), original);
    EXPECT_EQ(BackupCount(dir / "data"), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "data" / "zovek"));  // neither dump nor apply made it
  }
}

TEST(CliProcess, ApplyOfAnEditedDumpSetsItsValues) {
  TempDir dir;
  const auto file = CopyOf(dir, "demo.mcr");
  QJsonObject dump = DumpOf(file, 12);
  dump["chips"] = 4321;
  QJsonArray characters = dump["characters"].toArray();
  QJsonObject third = characters[3].toObject();
  third["hp"] = 777;
  characters[3] = third;
  dump["characters"] = characters;
  QJsonObject party = dump["party"].toObject();
  QJsonArray main = party["main"].toArray();
  QJsonObject slot = main[0].toObject();
  slot["code"] = QJsonValue::Null;
  main[0] = slot;
  party["main"] = main;
  dump["party"] = party;
  const auto json = WriteText(dir, "edited.json", QJsonDocument(dump).toJson());

  const CliRun run = Cli({"apply", Q(file), Q(json), "--no-backup"}, dir / "data");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "party.main[0].code: ")) << run.out;
  EXPECT_EQ(BackupCount(dir / "data"), 0u);
  const QJsonObject after = DumpOf(file, 12);
  EXPECT_EQ(after["chips"].toInt(), 4321);
  EXPECT_EQ(after["characters"][3]["hp"].toInt(), 777);
  EXPECT_TRUE(after["party"]["main"][0]["code"].isNull());
  EXPECT_EQ(after["party"]["main"][0]["stored"].toInt(), 255);
}

TEST(CliProcess, BadKeysValuesAndDocumentsWriteNothing) {
  TempDir dir;
  const auto file = CopyOf(dir, "demo.mcr");
  const Bytes original = savegen::ReadWholeFile(file);
  const QByteArray dump = QJsonDocument(DumpOf(file, 3)).toJson();
  const auto Edited = [&](const char* from, const char* to) { return QByteArray(dump).replace(from, to); };
  // A set command line, or (first argument "apply") a document.
  const std::vector<std::pair<std::vector<QByteArray>, std::string>> cases = {
      {{"characters[3].hp=70000"}, "characters[3].hp: takes a whole number 0..65535, not '70000'"},
      {{"chips=-1"}, "chips: takes a whole number 0..999999, not '-1'"},
      {{"chips=1.5"}, "chips: takes"},
      {{"chips=1", "chips=2"}, "chips: given twice"},
      {{"possessions[64].count=1"}, "possessions[64].count: not an editable key"},
      {{"characters[3].name=x"}, "characters[3].name: not an editable key"},
      {{"party.main[0].code=255"}, "party.main[0].code: takes a whole number 0..254 or -"},
      {{"roles[0].acquired=1"}, "roles[0].acquired: takes true or false"},
      {{"scenarios[5].state=done"}, "scenarios[5].state: takes hidden, unvisited, current or finished"},
      {{"apply", Edited("\"formatVersion\": 2", "\"formatVersion\": 1")}, "formatVersion: this program applies format 2"},
      {{"apply", Edited("\"chips\": 999999", "\"chips\": \"999999\"")}, "chips: takes a whole number 0..999999"},
      {{"apply", Edited("\"chipsStored\": 1234567", "\"chipsStored\": 5")}, "chipsStored: not editable"},
      {{"apply", Edited("\"formatVersion\": 2", "\"formatVersion\": 2, \"extra\": 1")}, "extra: not a key of the dump"},
      {{"apply", Edited("\"state\": \"", "\"state\": \"x")}, "scenarios[0].state: takes hidden, unvisited"},
      // Qt would keep one of the two values; the text shows both.
      {{"apply", Edited("\"chips\": 999999", "\"chips\": 999999, \"chips\": 1")}, "apply: chips: given twice"},
      {{"apply", R"({"formatVersion": 2, "file": "x\"}{[,", "chips": 1, "chips": 1})"}, "apply: chips: given twice"},
      {{"apply", R"({"formatVersion": 2, "characters": [{"hp": 1}, [], {}, {"hp": 1, "h\u0070": 2}]})"},
       "apply: characters[3].hp: given twice"},
  };
  for (const auto& [arguments, message] : cases) {
    QStringList command;
    if (arguments[0] == "apply") {
      command = {"apply", Q(file), Q(WriteText(dir, "bad.json", arguments[1]))};
    } else {
      command = {"set", Q(file), "--save", "3"};
      for (const QByteArray& argument : arguments) command << QString::fromUtf8(argument);
    }
    const CliRun run = Cli(command, dir / "data");
    EXPECT_EQ(run.exitCode, 64) << message;
    EXPECT_TRUE(Contains(run.err, message)) << run.err;
    EXPECT_EQ(savegen::ReadWholeFile(file), original) << message;
    EXPECT_EQ(BackupCount(dir / "data"), 0u) << message;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "data" / "zovek"));
  EXPECT_EQ(Cli({"set", Q(file), "--save", "2", "chips=1"}, dir / "data").exitCode, 2);  // no save 2

  // A backup that cannot be made stops the write; --no-backup writes without one.
  std::filesystem::create_directories(dir / "data" / "zovek");
  savegen::WriteWholeFile(dir / "data" / "zovek" / "backups", Bytes(1));  // a file where the folder belongs
  CliRun run = Cli({"set", Q(file), "chips=1"}, dir / "data");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(Contains(run.err, ": cannot back up into ")) << run.err;
  EXPECT_EQ(savegen::ReadWholeFile(file), original);
  run = Cli({"set", Q(file), "chips=1", "--no-backup"}, dir / "data");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(savegen::ReadWholeFile(file), original);
}

// Input that is not what it should be: options twice, numbers with a sign, a
// fraction or an exponent, documents that never end or never come, and names
// that would break a message's line. Nothing of it writes the save.
TEST(CliProcess, BoundedInputAndOneLineMessages) {
  TempDir dir;
  const auto file = CopyOf(dir, "demo.mcr");
  const Bytes original = savegen::ReadWholeFile(file);
  const auto doc = [&](const std::string& name, const QByteArray& text) { return Q(WriteText(dir, name, text)); };
  const QString minusZero = doc("minus0.json", R"({"formatVersion": 2, "chips": -0})");
  const QString exponent = doc("exp.json", R"({"formatVersion": 2, "chips": 5e2})");
  const QString fraction = doc("fraction.json", R"({"formatVersion": 2, "characters": [{"hp": 1.0}]})");
  const QString signedNumber = doc("signed.json", R"({"formatVersion": 2, "save": {"number": -3}})");
  const QString version = doc("version.json", R"({"formatVersion": 2.0})");
  const QString plain = doc("plain.json", R"({"formatVersion": 2, "save": {"number": 3}, "chips": 500})");
  constexpr qsizetype kLimit = 16 * 1024 * 1024;
  QByteArray full(R"({"formatVersion": 2, "save": {"number": 3}})");
  full.append(QByteArray(kLimit - full.size(), ' '));
  const QString atLimit = doc("at-limit.json", full);
  const QString overLimit = doc("over-limit.json", full + ' ');
  const auto fifo = dir / "fifo.json";  // no program ever opens it for writing
  ASSERT_EQ(QProcess::execute("mkfifo", {Q(fifo)}), 0);
  const auto odd = dir / "a\nb\tc\\d\x1b.mcr";
  std::filesystem::copy_file(file, odd);
  const QString missing = Q(dir / "gone\r\n\u009b\u30AB.mcr");  // CR, LF, a C1 control, a katakana
  const QString f = Q(file);

  struct Case {
    QStringList args;
    int exit;
    std::string part;  // in standard error, or in standard output for exit 0
    std::filesystem::path input = {};
  };
  const std::vector<Case> cases = {
      {{"dump", f, "--save", "3", "--save", "1"}, 64, "zovek-cli: dump: --save given twice"},
      {{"dump", f, "--json", "--json"}, 64, "dump: --json given twice"},
      {{"dump", f, "-h", "--help"}, 64, "dump: --help given twice"},
      {{"set", f, "--dry-run", "--dry-run", "chips=5"}, 64, "set: --dry-run given twice"},
      {{"set", f, "--no-backup", "chips=5", "--no-backup"}, 64, "set: --no-backup given twice"},
      {{"apply", f, plain, "--save=3", "--save", "3"}, 64, "apply: --save given twice"},
      {{"set", f, "--save", "0003", "--dry-run", "chips=0000000005"}, 0, "  chips: 999999 → 5\n"},
      {{"set", f, "--save", "3", "--dry-run", "chips=000000000000000000000000500000"}, 0, "chips: 999999 → 500000\n"},
      {{"set", f, "--save", "3", "--dry-run", "chips=+5"}, 64, "chips: takes a whole number 0..999999, not '+5'"},
      {{"set", f, "--save", " 3", "chips=5"}, 64, "--save needs a save number 1..15, not ' 3'"},
      {{"apply", f, minusZero, "--save", "3"}, 64, "apply: chips: takes a whole number 0..999999, not -0; nothing"},
      {{"apply", f, exponent, "--save", "3"}, 64, "apply: chips: takes a whole number 0..999999, not 5e2; nothing"},
      {{"apply", f, fraction, "--save", "3"}, 64, "apply: characters[0].hp: takes a whole number 0..65535, not 1.0"},
      {{"apply", f, signedNumber}, 64, "apply: save.number: not a plain whole number: -3"},
      {{"apply", f, version, "--save", "3"}, 64, "apply: formatVersion: not a plain whole number: 2.0"},
      {{"apply", f, "-", "--dry-run"}, 0, "  chips: 999999 → 500\n", dir / "plain.json"},
      {{"apply", f, atLimit}, 0, "nothing to change"},
      {{"apply", f, "-"}, 0, "nothing to change", dir / "at-limit.json"},
      {{"apply", f, overLimit}, 64, "over-limit.json: longer than 16 MiB"},
      {{"apply", f, "-"}, 64, "apply: standard input: longer than 16 MiB", "/dev/zero"},
      {{"apply", f, "/dev/zero"}, 64, "apply: /dev/zero: not a regular file"},
      {{"apply", f, Q(fifo)}, 64, "fifo.json: not a regular file"},
      {{"apply", f, Q(dir.path())}, 64, ": not a regular file"},
      {{"info", Q(odd)}, 0, "a\\nb\\tc\\d\\x1B.mcr: memory-card image, 3 saves of the game\n"},
      {{"dump", Q(odd), "--save", "2"},
       2,
       "zovek-cli: " + Q(dir.path()).toStdString() + "/a\\nb\\tc\\d\\x1B.mcr: no save 2"},
      {{"set", Q(odd), "--save", "3", "--dry-run", "chips=1"}, 0, "/a\\nb\\tc\\d\\x1B.mcr: save 3 (block 6)\n"},
      {{"verify", missing}, 2, "/gone\\x0D\\n\\xC2\\x9B\u30AB.mcr: cannot read: "},
      {{"set", f, "ch\tips\n=5"}, 64, "set: ch\\tips\\n: not an editable key"},
      {{"dump", "--x\x1b[2J", f}, 64, "Unknown option 'x\\x1B[2J'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const CliRun run = Cli(c.args, dir / "data", c.input);
    EXPECT_EQ(run.exitCode, c.exit) << run.err;
    EXPECT_TRUE(Contains(c.exit == 0 ? run.out : run.err, c.part)) << run.out << run.err;
    // One problem, one line; the usage hint follows a wrong command line.
    EXPECT_EQ(run.errLines().size(), c.exit == 0 ? 0u : c.exit == 64 ? 2u : 1u) << run.err;
    EXPECT_EQ(savegen::ReadWholeFile(file), original);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "data"));
}

// A name that is not UTF-8 (Shift-JIS, as archives from Japanese systems
// unpack) is read and written by its bytes, and shown with \xHH, in JSON too.
TEST(CliProcess, ANameThatIsNotUtf8IsOpenedSetAndShownEscaped) {
  if (!kPathsAreBytes) GTEST_SKIP() << "Windows passes names as UTF-16: none is bytes that are not UTF-8";
  TempDir dir;
  const auto file = Write(dir, "\x83\x5A\x81\x5B\x83\x75.mcr", ThreeSaveCard().bytes());
  const std::string shown = dir.path().string() + "/\\x83Z\\x81[\\x83u.mcr";
  CliRun run = Cli({"info", Q(file)});
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), shown + ": memory-card image, 3 saves of the game") << run.err;
  run = Cli({"set", Q(file), "--save", "3", "chips=500000"}, dir / "data");
  EXPECT_TRUE(Contains(run.out, shown + ": save 3 (block 8)\n")) << run.err;
  EXPECT_EQ(BackupCount(dir / "data"), 1u);
  const QJsonObject dump = DumpOf(file, 3);
  EXPECT_EQ(dump["chips"].toInt(), 500000);
  EXPECT_EQ(dump["file"].toString().toStdString(), shown);
  run = Cli({"verify", Q(dir / "\x83\x5A-gone.mcr")});
  EXPECT_EQ(run.err,
            "zovek-cli: " + dir.path().string() + "/\\x83Z-gone.mcr: cannot read: No such file or directory (2)\n");
}

// diff over saves that agree, differ in a field, or differ in a byte no field
// shows (counted alone as otherBytes), B's save by default, and the refusals.
TEST(CliProcess, DiffListsTheFieldsThatDifferAndCountsTheOtherBytes) {
  TempDir dir;
  const Bytes card = savegen::DemoCard();
  const std::uint64_t save1 = CardImage::RegionOffset(2);  // the demo card's save 1
  // Past the last character record: no field shows it.
  const std::uint64_t unshown = save1 + kRecordsStart + kCharacters * kRecordSize + 76;
  const Bytes chips = Flipped(card, save1 + kChipsOffset, 0);
  const auto file = [&](const std::string& name, const Bytes& bytes) { return Q(Write(dir, name, bytes)); };
  const QString a = file("a.mcr", card), gme = file("a.gme", savegen::InForm(savegen::SaveForm::Gme, card));
  const QString single = file("single.ps", savegen::DemoSingle());
  const QString chipsB = file("chips.mcr", chips), unshownB = file("unshown.mcr", Flipped(card, unshown, 3));
  const QString bothB = file("both.mcr", Flipped(chips, unshown, 3));
  // B's first save, as --save-b names it: the default where B lacks A's number.
  const std::string singleToCard1 = Cli({"diff", single, a, "--save-b", "1"}).out;
  struct Row {
    QStringList arguments;
    int exitCode;
    std::string out;
    std::string err;  // part of standard error
  };
  const std::vector<Row> rows = {
      {{a, gme}, 0, "otherBytes: 0\n", ""},
      {{a, chipsB}, 1, "chips: 171245 → 171244\notherBytes: 0\n", ""},
      {{a, unshownB}, 1, "otherBytes: 1\n", ""},
      {{a, bothB}, 1, "chips: 171245 → 171244\notherBytes: 1\n", ""},
      {{a, gme, "--save", "3"}, 0, "otherBytes: 0\n", ""},  // B's save 3: its save 1 differs
      {{single, a}, 1, singleToCard1, ""},
      {{a, gme, "--save", "4"}, 2, "", "a.mcr: no save 4 in this file (its saves: 1, 3, 12)\n"},
      {{a, single, "--save-b", "3"}, 2, "", "single.ps: no save 3 in this file (its saves: 5)\n"},
      {{a}, 64, "", "zovek-cli: diff: takes two files, A and B, not 1\n"},
  };
  ASSERT_TRUE(Contains(singleToCard1, "otherBytes: ")) << singleToCard1;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.join(' ').toStdString());
    const CliRun run = Cli(QStringList{"diff"} + row.arguments);
    EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
    EXPECT_EQ(run.out, row.out);
    EXPECT_TRUE(row.err.empty() ? run.err.empty() : Contains(run.err, row.err)) << run.err;
  }
}

}  // namespace
}  // namespace zovek::clitest
