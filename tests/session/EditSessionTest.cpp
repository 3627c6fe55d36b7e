#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#include "savedata/MemoryView.h"
#include "savedata/SaveLayout.h"
#include "savedata/Walks.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/SaveFileFixtures.h"
#include "savefile/TempDir.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"
#include "session/EditSession.h"

namespace zovek {
namespace {

namespace fs = std::filesystem;
using savegen::Bytes;
using savegen::ReadWholeFile;
using savegen::WriteWholeFile;
using testfiles::Differences;
using testfiles::TempDir;

// Save 3 in block 2, save 7 in block 4.
Bytes TwoSaveCard(std::uint32_t seed) {
  savegen::CardImage card(seed);
  card.GameSave(2, savegen::DigitForSave(3), savegen::DemoRegion(seed + 1));
  card.GameSave(4, savegen::DigitForSave(7), savegen::DemoRegion(seed + 2));
  return card.bytes();
}

// The HP cell of the character grid.
constexpr int kHpRow = 5;

class EditSessionTest : public ::testing::Test {
 protected:
  TempDir dir;
  UserDataDirectory data{dir / "data"};
  MemoryView view;
  EditSession session{view, data};

  EditSessionTest() { view.SetTechniqueRowCount(kTechniqueRowCounts[0]); }

  fs::path Card(const std::string& name, std::uint32_t seed = 5) {
    WriteWholeFile(dir / name, TwoSaveCard(seed));
    return dir / name;
  }
  std::vector<int> Marks() const {
    std::vector<int> marked;
    for (int s = 1; s <= kSaveNumbers; ++s) {
      if (session.SaveMenu().checked[static_cast<std::size_t>(s - 1)]) marked.push_back(s);
    }
    return marked;
  }
};

// Whatever step of a save switch fails, the save left stays loaded and marked,
// and nothing of it reaches the working copy half-done.
TEST_F(EditSessionTest, FailedSaveSwitchKeepsTheSaveLeftAndItsMark) {
  enum class Fault { ValueDoesNotFit, WorkingCopyGone, WorkingCopyCut };
  const struct {
    Fault fault;
    SessionStatus status;
    int error;
  } cases[] = {
      {Fault::ValueDoesNotFit, SessionStatus::WriteError, kErrValueDoesNotFit},
      {Fault::WorkingCopyGone, SessionStatus::WriteError, static_cast<int>(std::errc::no_such_file_or_directory)},
      {Fault::WorkingCopyCut, SessionStatus::ReadError, kErrShortRead},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.fault));
    view.Reset();
    view.SetTechniqueRowCount(kTechniqueRowCounts[0]);
    ASSERT_EQ(session.Open(Card("two.mcr")).status, SessionStatus::Done);
    ASSERT_EQ(session.State().SelectedSave, 3);
    ASSERT_EQ(session.CopyCharacter().status, SessionStatus::Done);
    switch (c.fault) {
      case Fault::ValueDoesNotFit: view.cells[{0, kHpRow, 1}] = "70000"; break;
      case Fault::WorkingCopyGone: fs::remove(session.State().WorkingCopyPath); break;
      case Fault::WorkingCopyCut:  // ends inside block 4: the save left can be written, save 7 not read
        fs::resize_file(session.State().WorkingCopyPath, 4 * kBlockSize + 1000);
        break;
    }
    const auto shown = view.cells;
    const SessionOutcome outcome = session.SwitchSave(7);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.error, c.error);
    EXPECT_EQ(session.State().SelectedSave, 3);
    EXPECT_EQ(Marks(), std::vector<int>{3});
    EXPECT_EQ(session.SaveConfirmNumber(), 3);
    EXPECT_EQ(view.cells, shown) << "the save left is shown no more";
    if (c.fault == Fault::WorkingCopyCut) {  // written, and still in the buffer
      const Bytes copy = ReadWholeFile(session.State().WorkingCopyPath);
      const auto region = copy.begin() + static_cast<std::ptrdiff_t>(savegen::CardImage::RegionOffset(2));
      EXPECT_TRUE(std::equal(session.Buffer().begin(), session.Buffer().end(), region));
    }
    // The copy named a record of the save left: it is gone either way.
    EXPECT_EQ(session.State().CopySource, -1);
    EXPECT_FALSE(session.PasteEnabled());
    EXPECT_FALSE(session.WouldPaste());
  }
}

// The user opens the working copy itself: from then on another copy is used,
// and the close-down deletes that one and never the user's files.
TEST_F(EditSessionTest, WorkingCopyIsNeverAFileTheUserOpened) {
  const fs::path first = Card("first.mcr", 11);
  ASSERT_EQ(session.Open(first).status, SessionStatus::Done);
  ASSERT_EQ(session.State().WorkingCopyPath, data.WorkingCopy(1));
  const Bytes userCopy = ReadWholeFile(data.WorkingCopy(1));

  ASSERT_EQ(session.Open(data.WorkingCopy(1)).status, SessionStatus::Done);
  EXPECT_EQ(session.State().WorkingCopyPath, data.WorkingCopy(2));
  view.cells[{0, kHpRow, 1}] = "4321";
  ASSERT_EQ(session.SwitchSave(7).status, SessionStatus::Done);
  EXPECT_EQ(ReadWholeFile(data.WorkingCopy(1)), userCopy) << "a switch wrote into the user's file";

  const fs::path other = Card("other.mcr", 12);
  ASSERT_EQ(session.Open(other).status, SessionStatus::Done);
  EXPECT_EQ(session.State().WorkingCopyPath, data.WorkingCopy(2));
  EXPECT_EQ(ReadWholeFile(data.WorkingCopy(1)), userCopy);

  session.CloseDown();
  EXPECT_EQ(ReadWholeFile(data.WorkingCopy(1)), userCopy);
  EXPECT_FALSE(fs::exists(data.WorkingCopy(2)));
  EXPECT_TRUE(fs::exists(first));
  EXPECT_TRUE(fs::exists(other));
}

// A save writes the shown values, with a right checksum, into the region of its
// save and nowhere else, after a backup of the file.
TEST_F(EditSessionTest, SaveWritesOnlyTheRegionOfTheSave) {
  savegen::SingleSave single(9);
  single.GameSave(savegen::DigitForSave(4), savegen::DemoRegion(9));
  WriteWholeFile(dir / "one.ps", single.bytes());
  const struct {
    fs::path file;
    std::uint64_t region;
  } cases[] = {
      {Card("two.mcr"), savegen::CardImage::RegionOffset(2)},
      {dir / "one.ps", kSingleSaveRegionOffset},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.string());
    const Bytes before = ReadWholeFile(c.file);
    ASSERT_EQ(session.Open(c.file).status, SessionStatus::Done);
    view.cells[{0, kHpRow, 1}] = "4321";
    ASSERT_EQ(session.Save().status, SessionStatus::Done);
    const Bytes after = ReadWholeFile(c.file);
    const std::vector<std::size_t> changed = Differences(before, after);
    ASSERT_FALSE(changed.empty());
    for (std::size_t at : changed) {
      EXPECT_TRUE(at >= c.region && at < c.region + kDataRegionSize) << at;
    }
    SaveBuffer region{};
    std::copy_n(after.begin() + static_cast<std::ptrdiff_t>(c.region), kDataRegionSize, region.begin());
    EXPECT_EQ(region[1], savegen::RegionChecksum(region));
    EXPECT_EQ(region[kRecordsStart + 4] + 256 * region[kRecordsStart + 5], 4321);
    EXPECT_TRUE(fs::is_directory(data.Backups()));
  }
}

// The command line's open: the chosen save straight from the file, no working
// copy made or used, and a save the file lacks refused.
TEST_F(EditSessionTest, OpenWithoutCopyLoadsTheChosenSaveFromTheFileItself) {
  const fs::path card = Card("two.mcr", 8);
  const Bytes bytes = ReadWholeFile(card);
  for (const auto& [asked, shown, block] : {std::tuple{0, 3, 2}, std::tuple{3, 3, 2}, std::tuple{7, 7, 4}}) {
    ASSERT_EQ(session.OpenWithoutCopy(ReadSaveFile(card), asked).status, SessionStatus::Done) << asked;
    EXPECT_EQ(session.State().SelectedSave, shown);
    EXPECT_EQ(Marks(), std::vector<int>{shown});
    const auto start = static_cast<std::ptrdiff_t>(savegen::CardImage::RegionOffset(block));
    EXPECT_TRUE(std::equal(session.Buffer().begin(), session.Buffer().end(), bytes.begin() + start));
    const int hp = session.Buffer()[kRecordsStart + 4] + 256 * session.Buffer()[kRecordsStart + 5];
    EXPECT_EQ(view.Cell(0, kHpRow, 1), std::to_string(hp));
    EXPECT_FALSE(session.WouldSwitchSave(shown == 3 ? 7 : 3));
  }
  EXPECT_FALSE(fs::exists(data.WorkingCopy()));
  EXPECT_EQ(session.OpenWithoutCopy(ReadSaveFile(card), 5).status, SessionStatus::NoGameSave);
  EXPECT_EQ(ReadWholeFile(card), bytes);
}

// A backup that cannot be made stops the save as its own outcome; the save
// without a backup still passes the write guard.
TEST_F(EditSessionTest, FailedBackupIsItsOwnOutcome) {
  const fs::path card = Card("two.mcr");
  const Bytes before = ReadWholeFile(card);
  ASSERT_EQ(session.Open(card).status, SessionStatus::Done);
  WriteWholeFile(data.Backups(), Bytes(3, 0x42));  // a file where the backups folder goes

  view.cells[{0, kHpRow, 1}] = "4321";
  const SessionOutcome refused = session.Save();
  EXPECT_EQ(refused.status, SessionStatus::BackupFailed);
  EXPECT_NE(refused.error, 0);
  EXPECT_EQ(refused.backupDirectory, data.Backups());
  EXPECT_EQ(ReadWholeFile(card), before);

  ASSERT_EQ(session.SaveWithoutBackup().status, SessionStatus::Done);
  EXPECT_NE(ReadWholeFile(card), before);

  // The file no longer holds the save: the guard refuses, backup or not.
  Bytes moved = ReadWholeFile(card);
  moved[savegen::CardImage::FrameOffset(2) + savegen::kDigitOffsetInFrame] = savegen::DigitForSave(9);
  WriteWholeFile(card, moved);
  const SessionOutcome guarded = session.SaveWithoutBackup();
  EXPECT_EQ(guarded.status, SessionStatus::WriteError);
  EXPECT_EQ(guarded.error, kErrFileChanged);
  EXPECT_EQ(ReadWholeFile(card), moved);
}

// Each change another program makes to the save is answered on its own: the
// session compares with the version the user accepted last, so a change made
// while the question was open is found by the next try.
TEST_F(EditSessionTest, EveryNewChangeOnDiskIsFoundBeforeTheWrite) {
  const fs::path card = Card("card.mcr");
  ASSERT_EQ(session.Open(card).status, SessionStatus::Done);
  const std::size_t protagonist = savegen::CardImage::RegionOffset(2) + savegen::layout::kProtagonist;
  for (const std::uint8_t byOther : {std::uint8_t{0x21}, std::uint8_t{0x22}}) {
    Bytes bytes = ReadWholeFile(card);
    bytes[protagonist] = byOther;
    WriteWholeFile(card, bytes);
    EXPECT_EQ(session.SaveWithoutBackup().status, SessionStatus::ChangedOnDisk);
    EXPECT_EQ(ReadWholeFile(card), bytes);
    session.AcceptDiskChange();
  }
  EXPECT_EQ(session.SaveWithoutBackup().status, SessionStatus::Done);
  EXPECT_EQ(session.SaveWithoutBackup().status, SessionStatus::Done);  // its own write is no change
}

TEST_F(EditSessionTest, RefusedFileResetsTheSessionButTheScanDisablesTheSaveItems) {
  ASSERT_EQ(session.Open(Card("two.mcr")).status, SessionStatus::Done);
  savegen::CardImage foreign(3);
  foreign.OtherGameSave(2, "OTHER", savegen::DigitForSave(5), 3);
  WriteWholeFile(dir / "foreign.mcr", foreign.bytes());

  const SessionOutcome outcome = session.Open(dir / "foreign.mcr");
  EXPECT_EQ(outcome.status, SessionStatus::NoGameSave);
  EXPECT_FALSE(session.WouldSwitchCharacter());
  EXPECT_EQ(session.State().FileKind, kNoFile);
  EXPECT_EQ(session.State().SelectedSave, 0);
  EXPECT_EQ(Marks(), std::vector<int>{1});
  EXPECT_EQ(session.SaveConfirmNumber(), 1);
  EXPECT_EQ(session.SaveMenu().enabled, SaveMenuState{}.enabled);
  EXPECT_EQ(session.State().ChosenPath, dir / "foreign.mcr");
}

// The Edit items' states and the copy source after each sequence of commands.
TEST_F(EditSessionTest, CopyPasteAndUndoStates) {
  enum Step { Copy, Paste, Undo, NextCharacter, OtherSave };
  const struct {
    std::vector<Step> steps;
    bool paste;
    bool undo;
    int copySource;  // in characters, -1 = none
  } cases[] = {
      {{}, false, false, -1},
      {{Paste}, false, false, -1},
      {{Copy}, true, false, 0},
      {{Copy, Paste}, true, true, 0},
      {{Copy, Paste, Undo}, true, false, 0},
      {{Copy, NextCharacter, Paste}, true, true, 0},
      {{Copy, Paste, NextCharacter}, true, false, 0},
      {{NextCharacter, Copy, OtherSave}, false, false, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps.size());
    EditSession fresh{view, data};  // nothing copied yet
    ASSERT_EQ(fresh.Open(Card("two.mcr")).status, SessionStatus::Done);
    ASSERT_EQ(fresh.SwitchCharacter(0).status, SessionStatus::Done);
    fresh.UndoCharacter();
    for (Step step : c.steps) {
      switch (step) {
        case Copy: fresh.CopyCharacter(); break;
        case Paste: fresh.PasteCharacter(); break;
        case Undo: fresh.UndoCharacter(); break;
        case NextCharacter: fresh.SwitchCharacter(fresh.ShownCharacter() + 1); break;
        case OtherSave: fresh.SwitchSave(fresh.State().SelectedSave == 3 ? 7 : 3); break;
      }
    }
    EXPECT_EQ(fresh.PasteEnabled(), c.paste);
    EXPECT_EQ(fresh.WouldPaste(), c.copySource >= 0);
    EXPECT_EQ(fresh.UndoEnabled(), c.undo);
    EXPECT_EQ(fresh.State().CopySource, c.copySource < 0 ? -1 : kRecordSize * c.copySource);
  }
}

// A preset writes its values into rows 5..24 and all aptitude boxes of the
// view, and nothing else: the rest of the view and the buffer stay as they were.
TEST_F(EditSessionTest, PresetsChangeTheCharacterViewOnly) {
  const struct {
    int preset;
    std::string hp, lp, wpJp, skills;  // rows 5-6, 7-8, 9-12, 13-24
    bool aptitudes;
  } cases[] = {
      {0, "999", "99", "230", "99", true},
      {1, "65535", "255", "255", "127", true},
      {2, "1", "1", "1", "1", false},
      {3, "", "", "", "", false},  // no such preset: nothing changes
  };
  ASSERT_EQ(session.Open(Card("two.mcr")).status, SessionStatus::Done);
  const SaveBuffer buffer = session.Buffer();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.preset);
    view.aptitude.fill(!c.aptitudes);
    MemoryView::Cells want = view.cells;
    auto wantAptitudes = view.aptitude;
    if (!c.hp.empty()) {
      wantAptitudes.fill(c.aptitudes);
      for (int row = 5; row <= kCharacterRows; ++row) {
        want[{0, row, 1}] = row <= 6 ? c.hp : row <= 8 ? c.lp : row <= 12 ? c.wpJp : c.skills;
      }
    }
    session.ApplyPreset(c.preset);
    EXPECT_EQ(view.cells, want);
    EXPECT_EQ(view.aptitude, wantAptitudes);
    EXPECT_EQ(session.Buffer(), buffer);
  }
}

// The questions the window asks before it commits a cell edit, and the index
// it rolls its list back to when a switch fails.
TEST_F(EditSessionTest, WouldAnswersAndTheIndicesShown) {
  EXPECT_FALSE(session.WouldSwitchCharacter());
  EXPECT_EQ(session.SwitchCharacter(2).status, SessionStatus::Unchanged);
  ASSERT_EQ(session.Open(Card("two.mcr")).status, SessionStatus::Done);
  EXPECT_TRUE(session.WouldSwitchCharacter());
  EXPECT_FALSE(session.WouldPaste());
  ASSERT_EQ(session.SwitchCharacter(2).status, SessionStatus::Done);
  EXPECT_EQ(session.ShownCharacter(), 2);
  ASSERT_EQ(session.CopyCharacter().status, SessionStatus::Done);
  EXPECT_TRUE(session.WouldPaste());
  view.cells[{0, kHpRow, 1}] = "70000";
  EXPECT_EQ(session.SwitchCharacter(4).status, SessionStatus::WriteError);
  EXPECT_EQ(session.ShownCharacter(), 2);
  const auto listRows = [this](int category) { view.SetTechniqueRowCount(kTechniqueRowCounts.at(category)); };
  EXPECT_EQ(session.SwitchCategory(5, listRows).status, SessionStatus::Done);
  EXPECT_EQ(session.ShownCategory(), 5);
}

}  // namespace
}  // namespace zovek
