#include "cli/Command.h"

#include "cli/MessageText.h"
#include "savedata/FieldCatalogue.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/OpenedFile.h"
#include "savefile/PathEncoding.h"

namespace zovek::cli {

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

int FileProblem(std::ostream& err, const FileReport& report) {
  FileError(err, report.path, ProblemText(report));
  return kExitFileProblem;
}

int NoSave(std::ostream& err, const FileReport& report, int saveNumber) {
  std::string list;
  for (const SaveEntry& save : report.saves) list += (list.empty() ? "" : ", ") + std::to_string(save.saveNumber);
  FileError(err, report.path, "no save " + std::to_string(saveNumber) + " in this file (its saves: " + list + ")");
  return kExitFileProblem;
}

int SaveOption(const CommandRun& run, const char* option) {
  if (!run.parser.isSet(option)) return 0;
  const QString value = run.parser.value(option);
  const auto given = DigitsValue(value.toStdString(), kSaveNumbers);
  if (given && *given >= 1) return static_cast<int>(*given);
  UsageError(run.err, run.name, std::string("--") + option + " needs a save number 1..15, not '" + Bytes(value) + "'");
  return -1;
}

namespace {

int RunEditsAndReport(const std::filesystem::path& path, const SaveFileContents& contents, int saveNumber,
                      std::vector<Edit> edits, WriteMode mode, OpenedFile& file, std::ostream& out, std::ostream& err) {
  if (mode != WriteMode::DryRun && !file.Locked()) {
    FileError(err, path, "cannot lock the file for writing; nothing written");
    return kExitFileProblem;
  }
  const UserDataDirectory data = UserDataDirectory::ForCurrentUser();
  // The session opens what was read: the file is read once, under the lock.
  const EditRunResult run =
      RunEdits(contents, saveNumber, std::move(edits), mode, data, file.Locked() ? &file : nullptr);
  if (run.status == EditStatus::OpenFailed) {
    FileError(err, path,
              run.outcome.status == SessionStatus::ReadError ? "cannot read: " + ErrorText(run.outcome.error)
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
      FileError(err, path,
                SaveName(*save) + ": another file was put at this name just before the write; nothing written");
    } else if (run.outcome.status == SessionStatus::SaveDamaged) {
      const std::filesystem::path& backup = run.outcome.backupFile;
      FileError(err, path,
                "save " + std::to_string(save->saveNumber) +
                    ": the write failed part way and could not be undone; the save may be damaged; " +
                    (backup.empty() ? std::string("no backup") : "backup: " + PathText(backup)));
    } else if (run.outcome.status == SessionStatus::BackupFailed) {
      FileError(err, path,
                "cannot back up into " + PathText(run.outcome.backupDirectory) + ": " + ErrorText(run.outcome.error) +
                    "; nothing written");
    } else {
      FileError(err, path, "cannot write: " + ErrorText(run.outcome.error));
    }
    return kExitFileProblem;
  }
  out << "  checksum: " << HexByte(run.checksumBefore) << " → " << HexByte(run.checksumAfter) << '\n';
  out << "  " << run.bytesChanged << (run.bytesChanged == 1 ? " byte" : " bytes");
  if (run.status == EditStatus::DryRun) {
    out << " of the file would change; --dry-run: nothing written\n";
  } else {
    out << " of the file changed"
        << (mode == WriteMode::Backup ? "; backed up into " + PathLine(data.Backups()) : std::string("; no backup"))
        << '\n';
  }
  return kExitOk;
}

}  // namespace

// The file is opened once and its lock held from before the read until after
// the write, so that two runs on one file apply one after the other; the read
// and the write go through that open file. A dry run writes nothing and takes
// no lock.
int EditFile(const CommandRun& run, int saveNumber, const MakeEdits& makeEdits) {
  const WriteMode mode = run.parser.isSet("dry-run")     ? WriteMode::DryRun
                         : run.parser.isSet("no-backup") ? WriteMode::NoBackup
                                                         : WriteMode::Backup;
  const std::filesystem::path path = ToPath(run.files.at(0));
  OpenedFile file;
  if (mode != WriteMode::DryRun) {
    int error = file.Open(path);
    if (error == 0) error = file.Lock();
    if (error == kErrFileLocked) {
      FileError(run.err, path,
                "another zovek program is writing this file (waited " + std::to_string(kFileLockWait.count() / 1000) +
                    " s); nothing written");
      return kExitFileProblem;
    }
    // A file that cannot be opened is reported by the read by name that follows.
    if (error != 0) file.Close();
  }
  const SaveFileContents contents = file.IsOpen() ? ReadSaveFile(file) : ReadSaveFile(path);
  const FileReport& report = contents.report;
  if (!report.ok()) return FileProblem(run.err, report);
  if (report.container->signedForm) {
    FileError(run.err, report.path, "signed, read-only: only the key's holder can sign it again; nothing written");
    return kExitFileProblem;
  }
  if (saveNumber == 0) saveNumber = report.selectedSave;
  const SaveEntry* save = report.Save(saveNumber);
  if (save == nullptr) return NoSave(run.err, report, saveNumber);
  std::vector<Edit> edits;
  if (const int status = makeEdits(contents, saveNumber, edits); status != kExitOk) return status;
  return RunEditsAndReport(path, contents, saveNumber, std::move(edits), mode, file, run.out, run.err);
}

}  // namespace zovek::cli
