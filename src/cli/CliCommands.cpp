#include "cli/CliCommands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "cli/DumpApply.h"
#include "cli/EditRun.h"
#include "cli/JsonDuplicateKeys.h"
#include "cli/JsonPrinter.h"
#include "cli/MessageText.h"
#include "savedata/FieldCatalogue.h"
#include "savedata/SaveDiff.h"
#include "savedata/SaveDump.h"
#include "cli/TextPrinter.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/OpenedFile.h"
#include "savefile/FileSystem.h"
#include "savefile/PathEncoding.h"
#include "savefile/SaveFileReport.h"

#ifndef ZOVEK_VERSION
#define ZOVEK_VERSION "unknown"
#endif

namespace zovek::cli {

namespace {

constexpr const char* kProgram = "zovek-cli";

// The most of a document `apply` reads: a dump is about 200 KiB.
constexpr std::size_t kDocumentLimit = 16 * 1024 * 1024;

constexpr const char* kUsage =
    "Usage: zovek-cli COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Reads save files of Zovek with the editor's own layout and name tables, and\n"
    "writes one save as the editor's window does. The forms it reads:\n"
    "  memory-card images: 131072 bytes; in the .gme container (134976 bytes);\n"
    "    behind a VgsM header (131136); in the signed .vmp form (131200)\n"
    "  single saves: 8320 bytes (frame and block); the 8192-byte block alone,\n"
    "    named after its save; behind a 54-byte header (8246); in the signed\n"
    "    .psv form (8324)\n"
    "A signed form is read, dumped, compared and verified, never written: only\n"
    "its key's holder could sign it again.\n"
    "\n"
    "Commands:\n"
    "  info FILE...         the kind of each file, the game's saves it holds (save\n"
    "                       number, block) and whether each save's checksum matches\n"
    "  dump FILE [--save N] [--json]\n"
    "                       every field the editor shows for one save, as the\n"
    "                       window shows it, stored values beside; the save the\n"
    "                       editor shows first unless --save N (1..15) is given;\n"
    "                       --json for scripts (see docs/cli.md)\n"
    "  verify FILE...       checks every save of every file\n"
    "  set FILE [--save N] KEY=VALUE...\n"
    "                       enters the values as the window would and saves: KEY\n"
    "                       is the key path of an editable field in dump --json\n"
    "                       (chips, characters[3].hp, possessions[10].count, ...)\n"
    "  apply FILE [--save N] DUMP.json\n"
    "                       the same for the editable fields of a dump --json\n"
    "                       document (a file of at most 16 MiB, or - for standard\n"
    "                       input); --save defaults to the dump's save\n"
    "  set and apply take --dry-run (show the changes, write nothing) and\n"
    "  --no-backup (write without the backup into the editor's backups folder)\n"
    "  diff A B [--save N] [--save-b M] [--json]\n"
    "                       the fields whose shown values differ between a save of\n"
    "                       A and one of B (KEY: A-value → B-value), then how many\n"
    "                       other bytes of the save differ; --save picks A's save,\n"
    "                       --save-b B's (default: the same number, if B has it)\n"
    "  keys [--json]        every KEY set takes, with its range and caption\n"
    "\n"
    "Options:\n"
    "  -h, --help           this text (also after a command)\n"
    "  --version            the program's version\n"
    "\n"
    "Exit status:\n"
    "  0   all went well (verify: every save is sound; diff: the saves are the same)\n"
    "  1   verify: a save's checksum byte does not match its data; diff: the\n"
    "      saves differ\n"
    "  2   a file cannot be read, is not a supported file, holds no save of the\n"
    "      game, or lacks the save asked for; set/apply: the backup or the write\n"
    "      failed, another zovek program kept the file locked for 5 s, another\n"
    "      program changed the save since it was read, or another file was put at\n"
    "      its name (nothing written, unless the line says the save may be damaged)\n"
    "  64  the command line is wrong (an option given twice; set/apply: a key or\n"
    "      value, a document that is not a file or is too long; nothing written)\n"
    "Problems are reported on standard error, one line each, naming the file;\n"
    "control characters in names and keys are written as \\n, \\t or \\xHH.\n";

// An argument that is not UTF-8 is held losslessly (savefile/PathEncoding.h);
// paths and messages get its bytes back.
std::filesystem::path ToPath(const QString& text) { return PathFromText(text.toStdU16String()); }
std::string Bytes(const QString& text) { return BytesFromText(text.toStdU16String()); }

int UsageError(std::ostream& err, const std::string& command, const std::string& message) {
  err << kProgram << ": " << (command.empty() ? "" : command + ": ") << LineText(message) << '\n'
      << "Run 'zovek-cli --help' for the usage.\n";
  return kExitUsage;
}

void FileError(std::ostream& err, const std::filesystem::path& path, const std::string& message) {
  err << kProgram << ": " << PathLine(path) << ": " << LineText(message) << '\n';
}

std::string SaveList(const FileReport& report) {
  std::string list;
  for (const SaveEntry& save : report.saves) list += (list.empty() ? "" : ", ") + std::to_string(save.saveNumber);
  return list;
}

int RunInfo(const QStringList& files, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  for (const QString& file : files) {
    const FileReport report = InspectFile(ToPath(file));
    if (!report.ok()) {
      FileError(err, report.path, ProblemText(report));
      status = kExitFileProblem;
      continue;
    }
    PrintInfo(out, report);
  }
  return status;
}

int RunVerify(const QStringList& files, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  std::size_t saves = 0;
  std::size_t problems = 0;
  for (const QString& file : files) {
    const FileReport report = InspectFile(ToPath(file));
    if (!report.ok()) {
      FileError(err, report.path, ProblemText(report));
      status = kExitFileProblem;
      ++problems;
      continue;
    }
    for (const SaveEntry& save : report.saves) {
      ++saves;
      if (save.ChecksumMatches()) continue;
      FileError(err, report.path, SaveName(save) + ": " + ChecksumText(save));
      status = std::max(status, kExitChecksumWrong);
      ++problems;
    }
  }
  out << "verified " << files.size() << (files.size() == 1 ? " file, " : " files, ") << saves
      << (saves == 1 ? " save: " : " saves: ")
      << (problems == 0 ? std::string("all sound") : std::to_string(problems) + (problems == 1 ? " problem" : " problems"))
      << '\n';
  return status;
}

int RunDump(const QString& file, int saveNumber, bool json, std::ostream& out, std::ostream& err) {
  const SaveFileContents contents = ReadSaveFile(ToPath(file));
  const FileReport& report = contents.report;
  if (!report.ok()) {
    FileError(err, report.path, ProblemText(report));
    return kExitFileProblem;
  }
  const SaveEntry* save = report.Save(saveNumber == 0 ? report.selectedSave : saveNumber);
  if (save == nullptr) {
    FileError(err, report.path, "no save " + std::to_string(saveNumber) + " in this file (its saves: " +
                                    SaveList(report) + ")");
    return kExitFileProblem;
  }
  const SaveDump dump = DecodeSave(contents.Region(*save));
  if (json) {
    out << DumpJsonText(report, *save, dump);
  } else {
    PrintDumpText(out, report, *save, dump);
  }
  if (!save->ChecksumMatches()) FileError(err, report.path, "warning: " + SaveName(*save) + ": " + ChecksumText(*save));
  return kExitOk;
}

std::string Hex(int byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte) & 0xFFu);
  return text;
}

// The file, and the save in it the edits go to; exit status 2 when either is
// missing. Read through `file` when the run holds it open, else by its name.
int CheckEditTarget(const std::filesystem::path& path, const OpenedFile& file, int& saveNumber,
                    SaveFileContents& contents, SaveBuffer& region, std::ostream& err) {
  contents = file.IsOpen() ? ReadSaveFile(file) : ReadSaveFile(path);
  const FileReport& report = contents.report;
  if (!report.ok()) {
    FileError(err, report.path, ProblemText(report));
    return kExitFileProblem;
  }
  if (report.container->signedForm) {
    FileError(err, report.path, "signed, read-only: only the key's holder can sign it again; nothing written");
    return kExitFileProblem;
  }
  if (saveNumber == 0) saveNumber = report.selectedSave;
  const SaveEntry* save = report.Save(saveNumber);
  if (save == nullptr) {
    FileError(err, report.path, "no save " + std::to_string(saveNumber) + " in this file (its saves: " +
                                    SaveList(report) + ")");
    return kExitFileProblem;
  }
  region = contents.Region(*save);
  return kExitOk;
}

// set and apply open the file once and hold its lock from before they read it
// until after they write it, so that two runs on one file apply one after the
// other; the read and the write go through that open file. A dry run writes
// nothing and takes none. 0, or the exit status after the message.
int OpenForEdits(const std::filesystem::path& path, WriteMode mode, OpenedFile& file, std::ostream& err) {
  if (mode == WriteMode::DryRun) return kExitOk;
  int error = file.Open(path);
  if (error == 0) error = file.Lock();
  if (error == kErrFileLocked) {
    FileError(err, path, "another zovek program is writing this file (waited " +
                             std::to_string(kFileLockWait.count() / 1000) + " s); nothing written");
    return kExitFileProblem;
  }
  // A file that cannot be opened is reported by the read by name that follows.
  if (error != 0) file.Close();
  return kExitOk;
}

int RunEditsAndReport(const std::filesystem::path& path, const SaveFileContents& contents, int saveNumber,
                      std::vector<Edit> edits, WriteMode mode, OpenedFile& file, std::ostream& out,
                      std::ostream& err) {
  if (mode != WriteMode::DryRun && !file.Locked()) {
    FileError(err, path, "cannot lock the file for writing; nothing written");
    return kExitFileProblem;
  }
  const UserDataDirectory data = UserDataDirectory::ForCurrentUser();
  // The session opens what was read: the file is read once, under the lock.
  const EditRunResult run =
      RunEdits(contents, saveNumber, std::move(edits), mode, data, file.Locked() ? &file : nullptr);
  if (run.status == EditStatus::OpenFailed) {
    FileError(err, path, run.outcome.status == SessionStatus::ReadError ? "cannot read: " + ErrorText(run.outcome.error)
                                                                        : "the file changed before it was opened");
    return kExitFileProblem;
  }
  const SaveEntry* save = contents.report.Save(saveNumber);
  out << PathLine(path) << ": " << SaveName(*save) << '\n';
  if (run.status == EditStatus::NothingToChange) {
    out << "  nothing to change: every value is what the window shows; nothing written\n";
    return kExitOk;
  }
  for (const FieldChange& change : run.changes) {
    out << "  " << change.key << ": " << change.before << " → " << change.after << '\n';
  }
  for (const ByteChange& byte : run.normalised) {
    out << "  normalised: byte " << byte.offset << ": " << byte.before << " → " << byte.after << '\n';
  }
  if (run.status == EditStatus::WriteFailed) {
    if (run.outcome.status == SessionStatus::ChangedOnDisk) {
      FileError(err, path, SaveName(*save) + ": changed by another program since it was read; nothing written");
    } else if (run.outcome.status == SessionStatus::FileReplaced) {
      FileError(err, path, SaveName(*save) + ": another file was put at this name just before the write; nothing written");
    } else if (run.outcome.status == SessionStatus::SaveDamaged) {
      const std::filesystem::path& backup = run.outcome.backupFile;
      FileError(err, path, "save " + std::to_string(save->saveNumber) +
                               ": the write failed part way and could not be undone; the save may be damaged; " +
                               (backup.empty() ? std::string("no backup") : "backup: " + PathText(backup)));
    } else if (run.outcome.status == SessionStatus::BackupFailed) {
      FileError(err, path, "cannot back up into " + PathText(run.outcome.backupDirectory) + ": " +
                               ErrorText(run.outcome.error) + "; nothing written");
    } else {
      FileError(err, path, "cannot write: " + ErrorText(run.outcome.error));
    }
    return kExitFileProblem;
  }
  out << "  checksum: " << Hex(run.checksumBefore) << " → " << Hex(run.checksumAfter) << '\n';
  if (run.status == EditStatus::DryRun) {
    out << "  " << run.bytesChanged << (run.bytesChanged == 1 ? " byte" : " bytes")
        << " of the file would change; --dry-run: nothing written\n";
  } else {
    out << "  " << run.bytesChanged << (run.bytesChanged == 1 ? " byte" : " bytes") << " of the file changed"
        << (mode == WriteMode::Backup ? "; backed up into " + PathLine(data.Backups()) : std::string("; no backup"))
        << '\n';
  }
  return kExitOk;
}

int RunSet(const QStringList& arguments, int saveNumber, WriteMode mode, std::ostream& out, std::ostream& err) {
  std::vector<Edit> edits;
  std::set<std::string> seen;
  for (const QString& argument : arguments.mid(1)) {
    const qsizetype equals = argument.indexOf('=');
    if (equals <= 0) return UsageError(err, "set", "'" + Bytes(argument) + "' is not KEY=VALUE");
    const std::string key = Bytes(argument.left(equals));
    const std::string text = Bytes(argument.mid(equals + 1));
    const CatalogueField* field = FindField(key);
    if (field == nullptr) return UsageError(err, "set", key + ": not an editable key (docs/cli.md lists them)");
    if (!seen.insert(key).second) return UsageError(err, "set", key + ": given twice");
    const auto value = ValueFromText(*field, text);
    if (!value) return UsageError(err, "set", key + ": takes " + TakesText(*field) + ", not '" + text + "'");
    edits.push_back(Edit{field, *value});
  }
  if (edits.empty()) return UsageError(err, "set", "no KEY=VALUE given");
  const std::filesystem::path path = ToPath(arguments.at(0));
  OpenedFile file;
  if (const int status = OpenForEdits(path, mode, file, err); status != kExitOk) return status;
  SaveFileContents contents;
  SaveBuffer region{};
  if (const int status = CheckEditTarget(path, file, saveNumber, contents, region, err); status != kExitOk) {
    return status;
  }
  return RunEditsAndReport(path, contents, saveNumber, std::move(edits), mode, file, out, err);
}

// The document of `apply`: a regular file, or standard input for "-", of at
// most kDocumentLimit bytes. Reading stops one byte past the limit, so that an
// endless source (/dev/zero) costs no more than that; a FIFO or a device is
// refused without waiting for it or reading from it.
int ReadDocument(const QString& name, QByteArray& text, std::istream& in, std::ostream& err) {
  std::vector<std::uint8_t> bytes;
  const std::string shown = name == "-" ? std::string("standard input") : PathLine(ToPath(name));
  if (name == "-") {
    std::streambuf* source = in.rdbuf();
    const int error = ReadAtMost(
        [source](std::span<std::uint8_t> into, std::size_t& got) {
          got = static_cast<std::size_t>(
              source->sgetn(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size())));
          return 0;
        },
        kDocumentLimit + 1, bytes);
    if (error != 0) {
      err << kProgram << ": " << shown << ": cannot read: " << ErrorText(error) << '\n';
      return kExitFileProblem;
    }
  } else {
    bool regular = false;
    if (const int error = ReadRegularFileStart(ToPath(name), kDocumentLimit + 1, bytes, regular); error != 0) {
      FileError(err, ToPath(name), "cannot read: " + ErrorText(error));
      return kExitFileProblem;
    }
    if (!regular) {
      return UsageError(err, "apply", shown + ": not a regular file (a document is a file, or - for standard input); "
                                              "nothing written");
    }
  }
  if (bytes.size() > kDocumentLimit) {
    return UsageError(err, "apply", shown + ": longer than 16 MiB, the most a document may have; nothing written");
  }
  text = QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  return kExitOk;
}

int RunApply(const QStringList& arguments, int saveNumber, WriteMode mode, std::istream& in, std::ostream& out,
             std::ostream& err) {
  if (arguments.size() != 2) return UsageError(err, "apply", "takes FILE and DUMP.json");
  QByteArray text;
  if (const int status = ReadDocument(arguments.at(1), text, in, err); status != kExitOk) return status;
  QJsonParseError parseError{};
  const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
  if (!document.isObject()) {
    return UsageError(err, "apply", Bytes(arguments.at(1)) + ": not a dump --json document (" +
                                        parseError.errorString().toStdString() + ")");
  }
  // Qt keeps one of a key's two values; the document's author meant one of them.
  if (const auto twice = FirstDuplicateKey(text)) {
    return UsageError(err, "apply", *twice + ": given twice; nothing written");
  }
  // Qt reads -0 as 0 and 5e2 as 500: the text must write the number the save gets.
  if (const auto number = FirstNonIntegerNumber(text)) {
    const CatalogueField* key = FindField(number->path);
    return UsageError(err, "apply", number->path + ": " +
                                        (key != nullptr ? "takes " + TakesText(*key) + ", not " + number->literal
                                                        : "not a plain whole number: " + number->literal) +
                                        "; nothing written");
  }
  if (saveNumber == 0) saveNumber = DocumentSaveNumber(document.object());
  const std::filesystem::path path = ToPath(arguments.at(0));
  OpenedFile file;
  if (const int status = OpenForEdits(path, mode, file, err); status != kExitOk) return status;
  SaveFileContents contents;
  SaveBuffer region{};
  if (const int status = CheckEditTarget(path, file, saveNumber, contents, region, err); status != kExitOk) {
    return status;
  }
  const QJsonObject current = DumpToJson(contents.report, *contents.report.Save(saveNumber), DecodeSave(region));
  std::vector<Edit> edits;
  std::string problem;
  if (!EditsFromDump(document.object(), current, edits, problem)) {
    return UsageError(err, "apply", problem + "; nothing written");
  }
  return RunEditsAndReport(path, contents, saveNumber, std::move(edits), mode, file, out, err);
}

int RunKeys(bool json, std::ostream& out) {
  QJsonArray keys;
  for (const CatalogueField& field : FieldCatalogue()) {
    if (!json) {
      out << field.key << '\t' << RangeText(field) << '\t' << field.caption << '\n';
      continue;
    }
    QJsonObject key{{"key", QString::fromStdString(field.key)}, {"caption", QString::fromStdString(field.caption)}};
    if (field.value == EditValue::Number || field.value == EditValue::NumberOrEmpty) {
      key["min"] = 0;
      key["max"] = static_cast<double>(field.maximum);
      if (field.value == EditValue::NumberOrEmpty) key["orNull"] = true;  // "-" on the command line
    } else {
      QJsonArray values;
      if (field.value == EditValue::Flag) values = {true, false};
      for (const std::string& state : field.value == EditValue::State ? StateNames() : std::vector<std::string>{}) {
        values.append(QString::fromStdString(state));
      }
      key["values"] = values;
    }
    keys.append(key);
  }
  if (json) out << QJsonDocument(keys).toJson(QJsonDocument::Indented).toStdString();
  return kExitOk;
}

struct DiffSide {
  QString file;
  int saveNumber = 0;  // 0: see RunDiff
};

// A's save is the one asked for or the one the editor shows first; B's the
// one asked for, else A's number where B has it, else B's first.
int RunDiff(const DiffSide& a, const DiffSide& b, bool json, std::ostream& out, std::ostream& err) {
  const SaveFileContents contentsA = ReadSaveFile(ToPath(a.file));
  const SaveFileContents contentsB = ReadSaveFile(ToPath(b.file));
  const SaveEntry* saves[2] = {nullptr, nullptr};
  int wanted = a.saveNumber;
  for (int side = 0; side < 2; ++side) {
    const FileReport& report = (side == 0 ? contentsA : contentsB).report;
    if (!report.ok()) {
      FileError(err, report.path, ProblemText(report));
      return kExitFileProblem;
    }
    if (side == 1) wanted = b.saveNumber != 0 ? b.saveNumber : (report.Save(wanted) != nullptr ? wanted : 0);
    saves[side] = report.Save(wanted == 0 ? report.selectedSave : wanted);
    if (saves[side] == nullptr) {
      FileError(err, report.path, "no save " + std::to_string(wanted) + " in this file (its saves: " +
                                      SaveList(report) + ")");
      return kExitFileProblem;
    }
    wanted = saves[side]->saveNumber;
  }
  const SaveDifference difference = CompareSaves(contentsA.Region(*saves[0]), contentsB.Region(*saves[1]));
  if (json) {
    QJsonArray fields;
    for (const FieldDifference& d : difference.fields) {
      fields.append(QJsonObject{{"key", QString::fromStdString(d.field->key)},
                                {"a", JsonOf(*d.field, d.a)},
                                {"b", JsonOf(*d.field, d.b)}});
    }
    const auto side = [](const FileReport& report, const SaveEntry& save) {
      return QJsonObject{{"file", QString::fromStdString(PathText(report.path))}, {"save", save.saveNumber}};
    };
    const QJsonObject root{{"formatVersion", 1},
                           {"a", side(contentsA.report, *saves[0])},
                           {"b", side(contentsB.report, *saves[1])},
                           {"fields", fields},
                           {"otherBytes", difference.otherBytes}};
    out << QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
  } else {
    for (const FieldDifference& d : difference.fields) out << d.field->key << ": " << d.a << " → " << d.b << '\n';
    out << "otherBytes: " << difference.otherBytes << '\n';
  }
  return difference.None() ? kExitOk : kExitDiffers;
}

}  // namespace

const char* UsageText() { return kUsage; }

int RunCli(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
  if (arguments.size() < 2) {
    err << kUsage;
    return kExitUsage;
  }
  const QString command = arguments.at(1);
  if (command == "-h" || command == "--help" || command == "help") {
    out << kUsage;
    return kExitOk;
  }
  if (command == "--version") {
    out << kProgram << ' ' << ZOVEK_VERSION << '\n';
    return kExitOk;
  }
  const std::string name = Bytes(command);
  const bool edits = command == "set" || command == "apply";
  const bool diff = command == "diff";
  if (command != "info" && command != "dump" && command != "verify" && command != "keys" && !diff && !edits) {
    return UsageError(err, "", "unknown command '" + name + "' (use info, dump, verify, set, apply, diff or keys)");
  }

  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{"h", "help"});
  const QCommandLineOption saveOption("save", "save number", "N");
  const QCommandLineOption jsonOption("json");
  parser.addOption(help);
  const QCommandLineOption dryRunOption("dry-run");
  const QCommandLineOption noBackupOption("no-backup");
  const QCommandLineOption saveBOption("save-b", "save number of B", "M");
  if (command == "dump" || diff || edits) parser.addOption(saveOption);
  if (diff) parser.addOption(saveBOption);
  if (command == "dump" || diff || command == "keys") parser.addOption(jsonOption);
  if (edits) {
    parser.addOption(dryRunOption);
    parser.addOption(noBackupOption);
  }
  QStringList rest = arguments.mid(2);
  rest.prepend(arguments.at(0));
  if (!parser.parse(rest)) return UsageError(err, name, parser.errorText().toStdString());
  // Qt takes the last of two values; a command line that says two things is refused.
  const QStringList found = parser.optionNames();
  for (const QCommandLineOption* option :
       {&help, &saveOption, &saveBOption, &jsonOption, &dryRunOption, &noBackupOption}) {
    const QStringList names = option->names();
    if (std::count_if(found.begin(), found.end(), [&names](const QString& n) { return names.contains(n); }) > 1) {
      return UsageError(err, name, "--" + names.last().toStdString() + " given twice");
    }
  }
  if (parser.isSet(help)) {
    out << kUsage;
    return kExitOk;
  }

  const QStringList files = parser.positionalArguments();
  if (command == "keys") {
    if (!files.isEmpty()) return UsageError(err, name, "takes no FILE");
    return RunKeys(parser.isSet(jsonOption), out);
  }
  if (files.isEmpty()) return UsageError(err, name, "no FILE given");
  if (command == "info") return RunInfo(files, out, err);
  if (command == "verify") return RunVerify(files, out, err);

  if (files.size() > 1 && !edits && !diff) return UsageError(err, name, "takes one FILE, not " + std::to_string(files.size()));
  int saveNumber = 0;
  int saveNumberB = 0;
  for (const auto& [option, number] : {std::pair{&saveOption, &saveNumber}, std::pair{&saveBOption, &saveNumberB}}) {
    if ((option == &saveBOption && !diff) || !parser.isSet(*option)) continue;
    const QString value = parser.value(*option);
    const auto given = DigitsValue(value.toStdString(), kSaveNumbers);
    *number = given ? static_cast<int>(*given) : 0;
    if (*number < 1) {
      return UsageError(err, name,
                        "--" + option->names().last().toStdString() + " needs a save number 1..15, not '" +
                            Bytes(value) + "'");
    }
  }
  if (diff) {
    if (files.size() != 2) return UsageError(err, name, "takes two files, A and B, not " + std::to_string(files.size()));
    return RunDiff({files.at(0), saveNumber}, {files.at(1), saveNumberB}, parser.isSet(jsonOption), out, err);
  }
  if (edits) {
    const WriteMode mode = parser.isSet(dryRunOption)     ? WriteMode::DryRun
                           : parser.isSet(noBackupOption) ? WriteMode::NoBackup
                                                          : WriteMode::Backup;
    return command == "set" ? RunSet(files, saveNumber, mode, out, err)
                            : RunApply(files, saveNumber, mode, in, out, err);
  }
  return RunDump(files.at(0), saveNumber, parser.isSet(jsonOption), out, err);
}

}  // namespace zovek::cli
