#pragma once
// `set` and `apply` as the window would run them: a session on the core's
// in-memory window opens the file without a working copy, with the chosen
// save shown (character 0, category 0 and scenario entry 0 first, as after a
// fresh start); each edit chooses its character, category or entry in its
// list and enters the value; then the save stores, checksums, guards, backs up
// and writes, as "はい" does.

#include <filesystem>
#include <string>
#include <vector>

#include "savedata/FieldCatalogue.h"
#include "session/EditSession.h"
#include "session/UserDataDirectory.h"

namespace zovek::cli {

struct Edit {
  const CatalogueField* key = nullptr;
  std::string value;  // canonical text (savedata/FieldCatalogue.h)
};

struct FieldChange {
  std::string key;
  std::string before;  // as the window showed it
  std::string after;
};

struct ByteChange {
  int offset = 0;  // in the data region
  int before = 0;
  int after = 0;
};

enum class WriteMode { Backup, NoBackup, DryRun };

enum class EditStatus {
  Written,
  DryRun,
  NothingToChange,  // every value is what the window shows: nothing stored or written
  OpenFailed,       // outcome: the session's refusal
  WriteFailed,      // outcome: the save's failure (BackupFailed among them)
};

struct EditRunResult {
  EditStatus status = EditStatus::NothingToChange;
  SessionOutcome outcome;
  int saveNumber = 0;
  std::vector<FieldChange> changes;  // in key order, only values that differ
  // Bytes the save changes that no changed field is stored in (the walks'
  // normalisations of what was shown, the main party count), checksum apart.
  std::vector<ByteChange> normalised;
  int checksumBefore = 0;
  int checksumAfter = 0;
  int bytesChanged = 0;  // bytes of the file the write changes (or would)
  SaveBuffer stored{};   // the region the save writes (or would)
};

// `file` as ReadSaveFile read it; `saveNumber` 0: the save the window shows first.
// Each key at most once. `opened`: the file as the caller holds it open and
// locked for the whole run, which the save writes through; null: the save
// opens and locks it itself.
EditRunResult RunEdits(const SaveFileContents& file, int saveNumber, std::vector<Edit> edits, WriteMode mode,
                       const UserDataDirectory& data, OpenedFile* opened = nullptr);

}  // namespace zovek::cli
