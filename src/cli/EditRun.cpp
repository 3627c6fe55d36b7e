#include "cli/EditRun.h"

#include <algorithm>
#include <set>

#include "savedata/SaveLayout.h"
#include "savedata/MemoryView.h"
#include "savedata/Walks.h"
#include "savefile/Checksum.h"

namespace zovek::cli {

namespace {

// The edits in the order of the key table: character by character, category
// by category, as a user would go down the lists.
void SortByKeyOrder(std::vector<Edit>& edits) {
  const CatalogueField* first = FieldCatalogue().data();
  std::stable_sort(edits.begin(), edits.end(),
                   [first](const Edit& a, const Edit& b) { return a.key - first < b.key - first; });
}

// Chooses in its list what the window must show for the key to be entered;
// choosing the entry already shown does nothing, as in the window.
SessionOutcome ShowFieldOf(const CatalogueField& key, EditSession& session, MemoryView& view) {
  if (key.character >= 0 && session.ShownCharacter() != key.character) {
    return session.SwitchCharacter(key.character);  // a selection of the shown one changes nothing
  }
  if (key.place == EditPlace::Technique && session.ShownCategory() != key.index) {
    return session.SwitchCategory(key.index, [&view](int category) {
      view.SetTechniqueRowCount(kTechniqueRowCounts.at(static_cast<std::size_t>(category)));
    });
  }
  if (key.place == EditPlace::Scenario && session.ShownScenarioEntry() != key.index) {
    return session.SwitchScenarioEntry(key.index);
  }
  return {};
}

}  // namespace

EditRunResult RunEdits(const SaveFileContents& file, int saveNumber, std::vector<Edit> edits, WriteMode mode,
                       const UserDataDirectory& data, OpenedFile* opened) {
  EditRunResult result;
  MemoryView view;
  view.SetTechniqueRowCount(kTechniqueRowCounts[0]);  // the window starts with category 0 listed
  EditSession session(view, data);
  session.SetOpenedFile(opened);
  result.outcome = session.OpenWithoutCopy(file, saveNumber);
  if (result.outcome.status != SessionStatus::Done) {
    result.status = EditStatus::OpenFailed;
    return result;
  }
  result.saveNumber = session.TargetSaveNumber();
  const SaveBuffer original = session.Buffer();

  SortByKeyOrder(edits);
  std::set<int> editedBytes;
  for (const Edit& edit : edits) {
    if (const SessionOutcome shown = ShowFieldOf(*edit.key, session, view); shown.status == SessionStatus::WriteError) {
      result.status = EditStatus::WriteFailed;
      result.outcome = shown;
      return result;
    }
    const std::string before = ShownValue(*edit.key, view);
    if (before == edit.value) continue;
    result.changes.push_back(FieldChange{edit.key->key, before, edit.value});
    editedBytes.insert(edit.key->bytes.begin(), edit.key->bytes.end());
    EnterValue(*edit.key, view, edit.value);
  }
  if (result.changes.empty()) return result;  // NothingToChange: no store, no backup, no write

  if (const SessionOutcome stored = session.StoreForSave(); stored.status != SessionStatus::Done) {
    result.status = EditStatus::WriteFailed;
    result.outcome = stored;
    return result;
  }
  const SaveBuffer& written = result.stored = session.Buffer();
  result.checksumBefore = original[kChecksumIndex];
  result.checksumAfter = written[kChecksumIndex];
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] == original[i]) continue;
    ++result.bytesChanged;
    const int offset = static_cast<int>(i);
    if (offset != static_cast<int>(kChecksumIndex) && !editedBytes.contains(offset)) {
      result.normalised.push_back(ByteChange{offset, original[i], written[i]});
    }
  }
  if (mode == WriteMode::DryRun) {
    result.status = EditStatus::DryRun;
    return result;
  }
  // The save stores the same window again, which leaves the buffer as it is.
  result.outcome = mode == WriteMode::Backup ? session.Save() : session.SaveWithoutBackup();
  result.status = result.outcome.status == SessionStatus::Done ? EditStatus::Written : EditStatus::WriteFailed;
  return result;
}

}  // namespace zovek::cli
