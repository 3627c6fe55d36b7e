#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <system_error>

#include "SaveFileFixtures.h"
#include "TempDir.h"
#include "savefile/Backups.h"
#include "savefile/Checksum.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"
#include "savefile/SaveFileOps.h"
#include "savefile/SaveWrite.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"

namespace zovek {
namespace {

namespace fs = std::filesystem;
using savegen::Bytes;
using savegen::CardImage;
using savegen::ReadWholeFile;
using savegen::SingleSave;
using savegen::WriteWholeFile;
using testfiles::CardWithSaveTwoInBlockFive;
using testfiles::Differences;
using testfiles::Filled;
using testfiles::kReadOnly;
using testfiles::SingleWithDigit;
using testfiles::TempDir;

constexpr int kNoEntry = static_cast<int>(std::errc::no_such_file_or_directory);
constexpr int kIsDirectory = static_cast<int>(std::errc::is_a_directory);
constexpr int kAccessDenied = static_cast<int>(std::errc::permission_denied);
constexpr int kInvalidArgument = static_cast<int>(std::errc::invalid_argument);

SaveBuffer Slice(const Bytes& bytes, std::uint64_t offset) {
  SaveBuffer region{};
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), kDataRegionSize, region.begin());
  return region;
}

class SaveFileOps : public ::testing::Test {
 protected:
  TempDir dir;
  const fs::path working = dir / "zovek.tmp";
  SaveBuffer buffer = Filled(0xAB);
};

TEST_F(SaveFileOps, CardImageRegionComesFromTheSavesBlockThroughTheWorkingCopy) {
  const Bytes card = CardWithSaveTwoInBlockFive();
  WriteWholeFile(dir / "card.mcr", card);

  const OpenOutcome outcome = OpenSaveFile(dir / "card.mcr", working, 0, buffer);
  ASSERT_EQ(outcome.status, OpenStatus::Loaded) << outcome.error;
  EXPECT_EQ(outcome.kind(), kCardImage);
  EXPECT_EQ(outcome.scan.selectedSave, 2);
  EXPECT_EQ(outcome.scan.slots[2], 5);
  EXPECT_EQ(buffer[0], card[41344]);
  EXPECT_EQ(buffer[7807], card[49151]);
  EXPECT_EQ(buffer, Slice(card, 41344));
  EXPECT_EQ(ReadWholeFile(working), card);
}

TEST_F(SaveFileOps, SingleSaveRegionComesFromByte512OfTheFileItself) {
  const Bytes single = SingleWithDigit('C');
  WriteWholeFile(dir / "one.ps", single);

  const OpenOutcome outcome = OpenSaveFile(dir / "one.ps", working, 6, buffer);
  ASSERT_EQ(outcome.status, OpenStatus::Loaded) << outcome.error;
  EXPECT_EQ(outcome.kind(), kSingleSave);
  EXPECT_EQ(outcome.scan.selectedSave, 6) << "a single save leaves SelectedSave alone";
  EXPECT_EQ(outcome.scan.slots[13], 1);
  EXPECT_EQ(buffer[0], single[512]);
  EXPECT_EQ(buffer[7807], single[8319]);
  EXPECT_EQ(buffer, Slice(single, 512));
  EXPECT_FALSE(fs::exists(working)) << "a single save gets no working copy";
}

TEST_F(SaveFileOps, ReopeningKeepsTheSelectedSaveWhenTheNewCardHasIt) {
  CardImage card;
  card.GameSave(3, '2', Filled(3)).GameSave(9, '8', Filled(9));
  WriteWholeFile(dir / "card.mcr", card.bytes());

  ASSERT_EQ(OpenSaveFile(dir / "card.mcr", working, 9, buffer).scan.selectedSave, 9);
  EXPECT_EQ(buffer[100], 9);
  ASSERT_EQ(OpenSaveFile(dir / "card.mcr", working, 5, buffer).scan.selectedSave, 3);
  EXPECT_EQ(buffer[100], 3);
}

TEST_F(SaveFileOps, RefusedLengthsReadAndWriteNothing) {
  for (std::size_t length : {0u, 8319u, 8321u, 131071u, 131073u}) {
    SCOPED_TRACE(length);
    const fs::path file = dir / "odd.mcr";
    Bytes content(length);
    std::generate(content.begin(), content.end(), [n = 0]() mutable { return static_cast<std::uint8_t>(n++ * 13); });
    if (length >= 30) savegen::PutFrame(content, "ZOVEK", '0');
    WriteWholeFile(file, content);

    const OpenOutcome outcome = OpenSaveFile(file, working, 0, buffer);
    EXPECT_EQ(outcome.status, OpenStatus::Unsupported);
    EXPECT_EQ(outcome.kind(), kNoFile);
    EXPECT_EQ(buffer, Filled(0xAB));
    EXPECT_FALSE(fs::exists(working));

    // A file that changed length since it was opened is not written either.
    EXPECT_EQ(WriteSaveToFile({file, kSingleSave, 1, 0}, Filled(1)), kErrFileChanged);
    EXPECT_EQ(WriteSaveToFile({file, kCardImage, 1, 1}, Filled(1)), kErrFileChanged);
    EXPECT_EQ(ReadWholeFile(file), content);
  }
}

TEST_F(SaveFileOps, NoSaveOfTheGameLeavesTheBufferAlone) {
  CardImage card;
  card.OtherGameSave(1, "QUILB", '0', 5).Frame(0, "ZOVEK", '0');
  WriteWholeFile(dir / "card.mcr", card.bytes());
  const OpenOutcome onCard = OpenSaveFile(dir / "card.mcr", working, 4, buffer);
  EXPECT_EQ(onCard.status, OpenStatus::NoGameSave);
  EXPECT_EQ(onCard.kind(), kCardImage);
  EXPECT_EQ(onCard.scan.selectedSave, 4);
  EXPECT_TRUE(fs::exists(working)) << "the working copy was already made";

  WriteWholeFile(dir / "one.ps", SingleWithDigit('F'));
  EXPECT_EQ(OpenSaveFile(dir / "one.ps", working, 4, buffer).status, OpenStatus::NoGameSave);
  EXPECT_EQ(buffer, Filled(0xAB));
}

TEST_F(SaveFileOps, OpenReportsTheSystemsErrorNumber) {
  OpenOutcome outcome = OpenSaveFile(dir / "missing.mcr", working, 0, buffer);
  EXPECT_EQ(outcome.status, OpenStatus::ReadError);
  EXPECT_EQ(outcome.error, kNoEntry);
  EXPECT_FALSE(fs::exists(working)) << "a file that cannot be read gets no copy";

  outcome = OpenSaveFile(dir.path(), working, 0, buffer);
  EXPECT_EQ(outcome.status, OpenStatus::ReadError);
  EXPECT_EQ(outcome.error, kIsDirectory);

  // The working copy cannot be made: its folder does not exist.
  WriteWholeFile(dir / "card.mcr", CardWithSaveTwoInBlockFive());
  outcome = OpenSaveFile(dir / "card.mcr", dir / "no-such-folder" / "zovek.tmp", 0, buffer);
  EXPECT_EQ(outcome.status, OpenStatus::ReadError);
  EXPECT_EQ(outcome.error, kNoEntry);
  EXPECT_EQ(buffer, Filled(0xAB));
}

TEST_F(SaveFileOps, WorkingCopyIsMadeFreshAndWritable) {
  const Bytes card = CardWithSaveTwoInBlockFive();
  WriteWholeFile(dir / "card.mcr", card);
  fs::permissions(dir / "card.mcr", kReadOnly);
  WriteWholeFile(working, Bytes(200000, 0x11));  // a stale, longer, read-only leftover
  fs::permissions(working, kReadOnly);

  ASSERT_EQ(OpenSaveFile(dir / "card.mcr", working, 0, buffer).status, OpenStatus::Loaded);
  EXPECT_EQ(ReadWholeFile(working), card);
  EXPECT_FALSE(IsReadOnly(working));
  EXPECT_TRUE(IsReadOnly(dir / "card.mcr")) << "the chosen file keeps its attributes";
}

TEST_F(SaveFileOps, OpeningTheWorkingCopyItselfKeepsIt) {
  const Bytes card = CardWithSaveTwoInBlockFive();
  WriteWholeFile(working, card);
  ASSERT_EQ(OpenSaveFile(working, working, 0, buffer).status, OpenStatus::Loaded);
  EXPECT_EQ(ReadWholeFile(working), card);
  EXPECT_EQ(buffer, Slice(card, 41344));

  std::error_code ec;
  fs::create_symlink(working, dir / "link.mcr", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  buffer = Filled(0);
  ASSERT_EQ(OpenSaveFile(dir / "link.mcr", working, 0, buffer).status, OpenStatus::Loaded);
  EXPECT_EQ(ReadWholeFile(working), card);
  EXPECT_EQ(buffer, Slice(card, 41344));
}

// Whatever stands at a working copy's or a backup's name (a leftover, a link of
// either kind, a folder) is never written through: the file a link leads to
// keeps its bytes and its mode, a dangling link creates nothing, a folder stays.
// What the program makes there is a new file of its own, for the owner only.
TEST_F(SaveFileOps, NothingStandingAtAWorkingCopyOrBackupNameIsFollowed) {
  enum class Step { Open, BackUp, CloseDown };
  enum class Standing { Nothing, Leftover, SymbolicLink, DanglingLink, HardLink, HardLinkToTheChosen, Folder };
  const char* const stepNames[] = {"open", "backup", "close-down"};
  const char* const standingNames[] = {"nothing",   "leftover",          "symbolic link", "dangling link",
                                       "hard link", "hard link to chosen", "folder"};

  const Bytes card = CardWithSaveTwoInBlockFive();
  const fs::path chosen = dir / "card.mcr";
  WriteWholeFile(chosen, card);
  const fs::path backups = dir / "backups";
  const fs::path outside = dir / "outside" / "notes.txt";
  const fs::path notCreated = dir / "outside" / "new.txt";
  const Bytes notes(300, 0x4E);
  // The backup's name at this time, learnt from a first backup.
  const auto now = std::chrono::sys_days{std::chrono::year{2025} / 3 / 14} + std::chrono::hours{10};
  ASSERT_EQ(testfiles::BackUp(chosen, backups, now), 0);
  const fs::path backupName = ListBackups(chosen, backups).at(0);

  int linksMade = 0;
  std::error_code ec;
  for (const Step step : {Step::Open, Step::BackUp, Step::CloseDown}) {
    for (const Standing standing : {Standing::Nothing, Standing::Leftover, Standing::SymbolicLink,
                                    Standing::DanglingLink, Standing::HardLink, Standing::HardLinkToTheChosen,
                                    Standing::Folder}) {
      SCOPED_TRACE(std::string(stepNames[static_cast<int>(step)]) + ", " +
                   standingNames[static_cast<int>(standing)] + " at the name");
      const fs::path name = step == Step::BackUp ? backupName : working;
      for (const fs::path& readOnly : {outside, working, backupName}) {  // Windows removes no read-only file
        fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::add, ec);
      }
      fs::remove_all(backups);
      fs::remove_all(working);
      fs::remove_all(outside.parent_path());
      fs::create_directories(backups);
      fs::permissions(backups, fs::perms::all);
      fs::create_directories(outside.parent_path());
      WriteWholeFile(outside, notes);
      fs::permissions(outside, kReadOnly);

      ec.clear();
      switch (standing) {
        case Standing::Nothing: break;
        case Standing::Leftover:
          WriteWholeFile(name, Bytes(200000, 0x11));
          fs::permissions(name, kReadOnly);
          break;
        case Standing::SymbolicLink: fs::create_symlink(outside, name, ec); break;
        case Standing::DanglingLink: fs::create_symlink(notCreated, name, ec); break;
        case Standing::HardLink: fs::create_hard_link(outside, name, ec); break;
        case Standing::HardLinkToTheChosen: fs::create_hard_link(chosen, name, ec); break;
        case Standing::Folder:
          fs::create_directory(name);
          WriteWholeFile(name / "inside", notes);
          break;
      }
      if (ec) continue;  // no links of that kind here
      linksMade += standing != Standing::Nothing && standing != Standing::Leftover && standing != Standing::Folder;

      int error = 0;
      buffer = Filled(0xAB);
      if (step == Step::Open) {
        const OpenOutcome opened = OpenSaveFile(chosen, working, 0, buffer);
        error = opened.status == OpenStatus::Loaded ? 0 : opened.error;
      } else if (step == Step::BackUp) {
        error = testfiles::BackUp(chosen, backups, now);
      } else {
        error = RemoveNameIfAny(working);
      }

      EXPECT_EQ(ReadWholeFile(outside), notes);
      EXPECT_TRUE(IsReadOnly(outside));
      EXPECT_FALSE(fs::exists(fs::symlink_status(notCreated)));
      EXPECT_EQ(ReadWholeFile(chosen), card);
      if (standing == Standing::Folder && step != Step::BackUp) {
        EXPECT_EQ(error, kIsDirectory);
        EXPECT_EQ(ReadWholeFile(name / "inside"), notes);
        continue;
      }
      ASSERT_EQ(error, 0);
      if (standing == Standing::Folder) {
        EXPECT_EQ(ReadWholeFile(name / "inside"), notes);  // passed over for the next name
      }
      if (step == Step::CloseDown) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(working)));
        continue;
      }
      // For a backup, what stood at the name may count as an older backup; the
      // newest is the one just made.
      const fs::path made = step == Step::Open ? working : ListBackups(chosen, backups).back();
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(made)));
      EXPECT_EQ(fs::hard_link_count(made), 1u);
      EXPECT_EQ(ReadWholeFile(made), card);
      if (step == Step::Open) {
        EXPECT_EQ(buffer, Slice(card, 41344));
      }
#if !defined(_WIN32)
      EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_read | fs::perms::owner_write);
      if (step == Step::BackUp) {
        EXPECT_EQ(fs::status(backups).permissions(), fs::perms::owner_all);
      }
#endif
    }
  }
  fs::permissions(outside, fs::perms::owner_write, fs::perm_options::add, ec);
  if (linksMade == 0) GTEST_SKIP() << "no links of either kind here; only leftovers and folders were tried";
}

TEST_F(SaveFileOps, SwitchingWritesTheLeftSaveIntoTheWorkingCopyOnly) {
  CardImage card(5);
  card.Frame(3, "ZOVEK", '2').Frame(7, "ZOVEK", '6');
  const Bytes original = card.bytes();
  WriteWholeFile(dir / "card.mcr", original);
  ASSERT_EQ(OpenSaveFile(dir / "card.mcr", working, 3, buffer).status, OpenStatus::Loaded);

  buffer[10] ^= 0xFF;
  const SaveBuffer edited = buffer;
  ASSERT_EQ(WriteBytesInPlace(working, CardImage::RegionOffset(3), buffer), 0);
  ASSERT_EQ(ReadBytesAt(working, CardImage::RegionOffset(7), buffer), 0);
  EXPECT_EQ(buffer, Slice(original, CardImage::RegionOffset(7)));
  ASSERT_EQ(ReadBytesAt(working, CardImage::RegionOffset(3), buffer), 0);
  EXPECT_EQ(buffer, edited) << "the edits of the save left are kept";

  const auto changed = Differences(original, ReadWholeFile(working));
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], CardImage::RegionOffset(3) + 10);
  EXPECT_EQ(ReadWholeFile(dir / "card.mcr"), original);
}

TEST_F(SaveFileOps, SavingACardChangesOnlyTheRegionOfItsBlock) {
  const Bytes before = CardWithSaveTwoInBlockFive();
  WriteWholeFile(dir / "card.mcr", before);
  SaveBuffer edited = Slice(before, 41344);
  std::transform(edited.begin(), edited.end(), edited.begin(), [](std::uint8_t b) { return static_cast<std::uint8_t>(~b); });
  ComputeChecksum(edited);

  ASSERT_EQ(WriteSaveToFile({dir / "card.mcr", kCardImage, 2, 5}, edited), 0);
  const Bytes after = ReadWholeFile(dir / "card.mcr");
  const auto changed = Differences(before, after);
  ASSERT_EQ(changed.size(), kDataRegionSize) << "every region byte was inverted";
  EXPECT_EQ(changed.front(), 41344u);
  EXPECT_EQ(changed.back(), 49151u);
  EXPECT_EQ(Slice(after, 41344), edited);

  // Reopening reads back what was saved, with a valid checksum.
  ASSERT_EQ(OpenSaveFile(dir / "card.mcr", working, 0, buffer).status, OpenStatus::Loaded);
  EXPECT_EQ(buffer, edited);
  EXPECT_EQ(buffer[1], ChecksumOf(buffer));
}

TEST_F(SaveFileOps, SavingASingleSaveNeverTouchesItsHeader) {
  const Bytes before = SingleWithDigit('4');
  WriteWholeFile(dir / "one.ps", before);
  ASSERT_EQ(WriteSaveToFile({dir / "one.ps", kSingleSave, 5, 0}, Filled(0x3C)), 0);
  const Bytes after = ReadWholeFile(dir / "one.ps");
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + 512, after.begin()));
  EXPECT_EQ(Slice(after, 512), Filled(0x3C));
  EXPECT_EQ(after.size(), kSingleSaveSize);
}

TEST_F(SaveFileOps, ReadOnlyCardIsWrittenReadOnlySingleIsRefused) {
  const Bytes card = CardWithSaveTwoInBlockFive();
  WriteWholeFile(dir / "card.mcr", card);
  fs::permissions(dir / "card.mcr", kReadOnly);
  ASSERT_EQ(WriteSaveToFile({dir / "card.mcr", kCardImage, 2, 5}, Filled(7)), 0);
  EXPECT_FALSE(IsReadOnly(dir / "card.mcr"));
  EXPECT_EQ(Slice(ReadWholeFile(dir / "card.mcr"), 41344), Filled(7));

  // Refused by the program itself, so also when running with every privilege.
  const Bytes single = SingleWithDigit('0');
  WriteWholeFile(dir / "one.ps", single);
  fs::permissions(dir / "one.ps", kReadOnly);
  EXPECT_EQ(WriteSaveToFile({dir / "one.ps", kSingleSave, 1, 0}, Filled(7)), kAccessDenied);
  EXPECT_EQ(ReadWholeFile(dir / "one.ps"), single);
  EXPECT_TRUE(IsReadOnly(dir / "one.ps"));
}

TEST_F(SaveFileOps, MissingTargetIsNeverCreated) {
  EXPECT_EQ(WriteSaveToFile({dir / "gone.mcr", kCardImage, 2, 5}, Filled(1)), kNoEntry);
  EXPECT_EQ(WriteSaveToFile({dir / "gone.ps", kSingleSave, 2, 0}, Filled(1)), kNoEntry);
  EXPECT_FALSE(fs::exists(dir / "gone.mcr"));
  EXPECT_FALSE(fs::exists(dir / "gone.ps"));
}

TEST_F(SaveFileOps, FileThatNoLongerHoldsTheSaveIsNotWritten) {
  const Bytes card = CardWithSaveTwoInBlockFive();
  WriteWholeFile(dir / "card.mcr", card);
  EXPECT_EQ(WriteSaveToFile({dir / "card.mcr", kCardImage, 2, 6}, Filled(1)), kErrFileChanged);
  EXPECT_EQ(WriteSaveToFile({dir / "card.mcr", kCardImage, 3, 5}, Filled(1)), kErrFileChanged);
  EXPECT_EQ(WriteSaveToFile({dir / "card.mcr", kSingleSave, 2, 0}, Filled(1)), kErrFileChanged);
  EXPECT_EQ(ReadWholeFile(dir / "card.mcr"), card);

  const Bytes single = SingleWithDigit('4');
  WriteWholeFile(dir / "one.ps", single);
  EXPECT_EQ(WriteSaveToFile({dir / "one.ps", kSingleSave, 6, 0}, Filled(1)), kErrFileChanged);
  EXPECT_EQ(WriteSaveToFile({dir / "one.ps", kCardImage, 5, 1}, Filled(1)), kErrFileChanged);
  EXPECT_EQ(ReadWholeFile(dir / "one.ps"), single);
}

// A target that cannot name a save (a number or block outside 1..15, no file
// kind) is refused before anything is read, backed up or written: block 0 is
// the card's directory, and nothing may ever be written there.
TEST_F(SaveFileOps, TargetThatNamesNoSaveIsRefusedBeforeAnyByteChanges) {
  const Bytes card = CardWithSaveTwoInBlockFive();
  WriteWholeFile(dir / "card.mcr", card);
  fs::permissions(dir / "card.mcr", kReadOnly);
  const fs::path backups = dir / "backups";
  const SaveTarget refused[] = {
      {dir / "card.mcr", kCardImage, 2, 0, backups},  {dir / "card.mcr", kCardImage, 2, 16, backups},
      {dir / "card.mcr", kCardImage, 0, 5, backups},  {dir / "card.mcr", kCardImage, 16, 5, backups},
      {dir / "card.mcr", kCardImage, -1, -1, backups}, {dir / "card.mcr", kNoFile, 2, 5, backups},
  };
  for (const SaveTarget& target : refused) {
    EXPECT_EQ(WriteSaveToFile(target, Filled(9)), kInvalidArgument) << target.saveNumber << " in block " << target.block;
  }
  EXPECT_EQ(ReadWholeFile(dir / "card.mcr"), card);
  EXPECT_TRUE(IsReadOnly(dir / "card.mcr")) << "a refused save leaves the read-only flag as it was";
  EXPECT_FALSE(fs::exists(backups));

  const Bytes single = SingleWithDigit('4');
  WriteWholeFile(dir / "one.ps", single);
  EXPECT_EQ(WriteSaveToFile({dir / "one.ps", kSingleSave, 0, 0, backups}, Filled(9)), kInvalidArgument);
  EXPECT_EQ(WriteSaveToFile({dir / "one.ps", kSingleSave, 16, 0, backups}, Filled(9)), kInvalidArgument);
  EXPECT_EQ(ReadWholeFile(dir / "one.ps"), single);
  EXPECT_FALSE(fs::exists(backups));
}

TEST_F(SaveFileOps, RemovingTheWorkingCopyClearsReadOnlyFirst) {
  WriteWholeFile(working, Bytes(10, 1));
  fs::permissions(working, kReadOnly);
  EXPECT_EQ(RemoveNameIfAny(working), 0);
  EXPECT_FALSE(fs::exists(working));
  EXPECT_EQ(RemoveNameIfAny(working), 0) << "nothing to delete is no error";
}

}  // namespace
}  // namespace zovek

namespace zovek {
namespace {

// A card in the .gme container: everything works 3904 bytes further on, and
// the header is read at open, compared by the guard, and never written.
TEST_F(SaveFileOps, GmeContainerIsACardAfterItsHeader) {
  const Bytes bare = CardWithSaveTwoInBlockFive();
  const Bytes gme = savegen::GmeContainer(bare, 77);
  WriteWholeFile(dir / "card.gme", gme);

  const OpenOutcome outcome = OpenSaveFile(dir / "card.gme", working, 0, buffer);
  ASSERT_EQ(outcome.status, OpenStatus::Loaded) << outcome.error;
  EXPECT_EQ(outcome.kind(), kCardImage);
  EXPECT_EQ(outcome.container->start, 3904u);
  EXPECT_EQ(outcome.scan.slots[2], 5);
  EXPECT_EQ(buffer, Slice(bare, 41344));
  EXPECT_EQ(outcome.containerHeader, Bytes(gme.begin(), gme.begin() + 3904));
  EXPECT_EQ(ReadWholeFile(working), gme) << "the working copy is the whole file";

  SaveTarget target{dir / "card.gme", kCardImage, 2, 5, {}, outcome.container, outcome.containerHeader};
  ASSERT_EQ(WriteSaveToFile(target, Filled(0x5A)), 0);
  const Bytes after = ReadWholeFile(dir / "card.gme");
  const auto changed = Differences(gme, after);
  ASSERT_FALSE(changed.empty());
  EXPECT_GE(changed.front(), 3904u + 41344u);
  EXPECT_LE(changed.back(), 3904u + 49151u);
  EXPECT_EQ(Slice(after, 3904 + 41344), Filled(0x5A));

  // A header changed behind the editor's back: nothing is written.
  Bytes touched = after;
  touched[100] ^= 1;
  WriteWholeFile(dir / "card.gme", touched);
  EXPECT_EQ(WriteSaveToFile(target, Filled(0x11)), kErrFileChanged);
  EXPECT_EQ(ReadWholeFile(dir / "card.gme"), touched);

  // A target whose card start and header disagree names no save.
  target.containerHeader.clear();
  EXPECT_EQ(WriteSaveToFile(target, Filled(0x11)), kInvalidArgument);
  EXPECT_EQ(ReadWholeFile(dir / "card.gme"), touched);

  // The container's length without its signature is no file we know.
  Bytes noSignature = gme;
  noSignature[0] = 'X';
  WriteWholeFile(dir / "other.gme", noSignature);
  EXPECT_EQ(OpenSaveFile(dir / "other.gme", working, 0, buffer).status, OpenStatus::Unsupported);
}

}  // namespace
}  // namespace zovek
