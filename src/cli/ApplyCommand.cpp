#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "cli/Command.h"
#include "cli/DumpApply.h"
#include "cli/JsonDuplicateKeys.h"
#include "cli/JsonPrinter.h"
#include "cli/MessageText.h"
#include "savedata/FieldCatalogue.h"
#include "savedata/SaveDump.h"
#include "savefile/FileSystem.h"

namespace zovek::cli {

namespace {

// The most of a document `apply` reads: a dump is about 200 KiB.
constexpr std::size_t kDocumentLimit = 16 * 1024 * 1024;

// The document: a regular file, or standard input for "-", of at most
// kDocumentLimit bytes. Reading stops one byte past the limit, so that an
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
      return UsageError(err, "apply",
                        shown +
                            ": not a regular file (a document is a file, or - for standard input); "
                            "nothing written");
    }
  }
  if (bytes.size() > kDocumentLimit) {
    return UsageError(err, "apply", shown + ": longer than 16 MiB, the most a document may have; nothing written");
  }
  text = QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  return kExitOk;
}

}  // namespace

extern const Command kApplyCommand{
    "apply", {{"save", "N"}, {"dry-run"}, {"no-backup"}},
    "  apply FILE [--save N] DUMP.json\n"
    "                       the same for the editable fields of a dump --json\n"
    "                       document (a file of at most 16 MiB, or - for standard\n"
    "                       input); --save defaults to the dump's save\n"
    "  set and apply take --dry-run (show the changes, write nothing) and\n"
    "  --no-backup (write without the backup into the editor's backups folder)\n",
    [](const CommandRun& run) {
      int saveNumber = SaveOption(run, "save");
      if (saveNumber < 0) return kExitUsage;
      std::ostream& err = run.err;
      if (run.files.size() != 2) return UsageError(err, "apply", "takes FILE and DUMP.json");
      const QString& name = run.files.at(1);
      QByteArray text;
      if (const int status = ReadDocument(name, text, run.in, err); status != kExitOk) return status;
      QJsonParseError parseError{};
      const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
      if (!document.isObject()) {
        return UsageError(
            err, "apply",
            Bytes(name) + ": not a dump --json document (" + parseError.errorString().toStdString() + ")");
      }
      // Qt keeps one of a key's two values; the document's author meant one of them.
      if (const auto twice = FirstDuplicateKey(text)) {
        return UsageError(err, "apply", *twice + ": given twice; nothing written");
      }
      // Qt reads -0 as 0 and 5e2 as 500: the text must write the number the save gets.
      if (const auto number = FirstNonIntegerNumber(text)) {
        const CatalogueField* key = FindField(number->path);
        return UsageError(err, "apply",
                          number->path + ": " +
                              (key != nullptr ? "takes " + TakesText(*key) + ", not " + number->literal
                                              : "not a plain whole number: " + number->literal) +
                              "; nothing written");
      }
      if (saveNumber == 0) saveNumber = DocumentSaveNumber(document.object());
      return EditFile(run, saveNumber, [&](const SaveFileContents& contents, int number, std::vector<Edit>& edits) {
        const SaveEntry& save = *contents.report.Save(number);
        const QJsonObject current = DumpToJson(contents.report, save, DecodeSave(contents.Region(save)));
        std::string problem;
        if (EditsFromDump(document.object(), current, edits, problem)) return kExitOk;
        return UsageError(err, "apply", problem + "; nothing written");
      });
    }};

}  // namespace zovek::cli
