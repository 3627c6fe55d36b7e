// Every key of the field catalogue, set as `set` sets it, in-process: the
// value reads back as the dump shows it, comparing the save with the one
// before lists that key and exactly the fields its store normalises, and the
// bytes that changed are those fields' bytes and the ones no key holds, which
// alone the comparison counts as other bytes. A dry run: the region the save
// would write is compared.

#include <gtest/gtest.h>

#include <set>

#include "CliTestFiles.h"
#include "cli/EditRun.h"
#include "savedata/SaveDiff.h"
#include "savedata/SaveDump.h"
#include "savedata/SaveLayout.h"
#include "savefile/Checksum.h"
#include "savefile/SaveFileReport.h"

namespace zovek::cli {
namespace {

// A value the field takes that differs from `shown`: the far end of its range.
std::string OtherValue(const CatalogueField& field, const std::string& shown) {
  switch (field.value) {
    case EditValue::Number: return shown == std::to_string(field.maximum) ? "0" : std::to_string(field.maximum);
    case EditValue::NumberOrEmpty: return shown == "-" ? std::to_string(field.maximum) : "-";
    case EditValue::Flag: return shown == "true" ? "false" : "true";
    case EditValue::State: return shown == "finished" ? "hidden" : "finished";
  }
  return shown;
}

TEST(CatalogueEdit, EveryKeyReadsBackAndTheComparisonListsIt) {
  const clitest::TempDir dir;
  const std::filesystem::path file = clitest::Write(dir, "edit.ps", savegen::DemoSingle());
  const UserDataDirectory data{dir.path() / "data"};
  SaveFileContents contents = ReadSaveFile(file);
  const SaveEntry& save = *contents.report.Save(contents.report.selectedSave);
  // Start from a save the store has normalised once, so that each edit below
  // changes its own fields' bytes and the checksum, and nothing else.
  const EditRunResult first =
      RunEdits(contents, 0, {Edit{&FieldCatalogue()[0], "0"}}, WriteMode::DryRun, data);
  std::copy(first.stored.begin(), first.stored.end(),
            contents.bytes.begin() + static_cast<std::ptrdiff_t>(save.regionOffset));
  const SaveBuffer before = contents.Region(save);
  const std::vector<std::string> shown = DecodeSave(before).values;
  const std::vector<CatalogueField>& fields = FieldCatalogue();
  ASSERT_GT(fields.size(), 1500u);

  std::set<std::string> keys;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const CatalogueField& field = fields[i];
    ASSERT_TRUE(keys.insert(field.key).second) << field.key;
    ASSERT_EQ(FindField(field.key), &field);
    const std::string value = OtherValue(field, shown[i]);
    ASSERT_EQ(ValueFromText(field, value), value) << field.key;

    const EditRunResult run = RunEdits(contents, 0, {Edit{&field, value}}, WriteMode::DryRun, data);
    ASSERT_EQ(run.status, EditStatus::DryRun) << field.key;
    const SaveBuffer& after = run.stored;
    const std::vector<std::string> shownAfter = DecodeSave(after).values;
    const SaveDifference difference = CompareSaves(before, shown, after, shownAfter);
    const std::string& afterShown = shownAfter[i];

    // A soldier has no joined bit, and "hidden" keeps the stored state: the
    // value is shown, and nothing is stored.
    if (field.bytes.empty() || value == "hidden") {
      EXPECT_EQ(afterShown, shown[i]) << field.key;
      EXPECT_TRUE(difference.fields.empty()) << field.key;
      continue;
    }
    std::vector<std::string> expected{field.key};
    std::string readBack = value;
    // A level over 127 keeps its low seven bits and turns the aptitude on.
    if (field.place == EditPlace::Cell && field.grid == 0 && field.row >= kFirstSkillRow && std::stoi(value) > 127) {
      readBack = std::to_string(std::stoi(value) % 128);
      const CatalogueField& aptitude = fields[i + 1];
      if (shown[i + 1] == "false") expected.push_back(aptitude.key);
      if (readBack == shown[i]) expected.erase(expected.begin());
    }
    EXPECT_EQ(afterShown, readBack) << field.key;
    std::vector<std::string> listed;
    // The bytes no key holds that an edit may change: the checksum, and the
    // main party's count, which the window never shows.
    const std::size_t unlisted[] = {kChecksumIndex, kMainPartyCountOffset};
    std::set<std::size_t> listedBytes(std::begin(unlisted), std::end(unlisted));
    for (const FieldDifference& d : difference.fields) {
      listed.push_back(d.field->key);
      listedBytes.insert(d.field->bytes.begin(), d.field->bytes.end());
    }
    for (std::size_t b = 0; b < after.size(); ++b) {
      EXPECT_TRUE(before[b] == after[b] || listedBytes.contains(b)) << field.key << " changed byte " << b;
    }
    std::sort(expected.begin(), expected.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, expected) << field.key;
    EXPECT_EQ(difference.otherBytes,
              std::count_if(std::begin(unlisted), std::end(unlisted), [&](auto b) { return before[b] != after[b]; }))
        << field.key << ": only the bytes no key holds are other bytes";
  }
}

}  // namespace
}  // namespace zovek::cli
