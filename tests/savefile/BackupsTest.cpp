// The backup the save command makes before it writes: what it holds, where it
// goes, how it is named, which ten are kept, and that a backup that cannot be
// made stops the save before any byte of the file changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <system_error>

#include "SaveFileFixtures.h"
#include "TempDir.h"
#include "savefile/Backups.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"
#include "savefile/SaveFileOps.h"
#include "savefile/SaveWrite.h"
#include "savegen/ByteFiles.h"
#include "savegen/SaveImages.h"

namespace zovek {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
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

// 2025-03-14 10:15:30.123 UTC.
const std::chrono::system_clock::time_point kSomeTime =
    std::chrono::sys_days{std::chrono::year{2025} / 3 / 14} + 10h + 15min + 30s + 123ms;

std::vector<Bytes> Contents(const std::vector<fs::path>& paths) {
  std::vector<Bytes> contents;
  for (const fs::path& path : paths) contents.push_back(ReadWholeFile(path));
  return contents;
}

std::set<std::string> NamesIn(const fs::path& directory) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory)) names.insert(entry.path().filename().string());
  return names;
}

class Backups : public ::testing::Test {
 protected:
  TempDir dir;
  const fs::path backups = dir / "data" / "backups";
  const fs::path card = dir / "card.mcr";
  const fs::path single = dir / "one.ps";

  SaveTarget CardTarget() const { return {card, kCardImage, 2, 5, backups}; }
  SaveTarget SingleTarget() const { return {single, kSingleSave, 5, 0, backups}; }
};

TEST_F(Backups, TheCardIsCopiedAsItStoodThenOnlyItsRegionChanges) {
  const Bytes original = CardWithSaveTwoInBlockFive();
  WriteWholeFile(card, original);

  ASSERT_EQ(WriteSaveToFile(CardTarget(), Filled(0x5A)), 0);
  const Bytes afterFirst = ReadWholeFile(card);
  ASSERT_EQ(ListBackups(card, backups).size(), 1u) << "the backups folder and its parent are made";
  EXPECT_EQ(ReadWholeFile(ListBackups(card, backups)[0]), original);

  const std::vector<std::size_t> changed = Differences(original, afterFirst);
  ASSERT_FALSE(changed.empty());
  EXPECT_GE(changed.front(), CardImage::RegionOffset(5));
  EXPECT_LT(changed.back(), CardImage::RegionOffset(5) + kDataRegionSize);
  const auto region = afterFirst.begin() + static_cast<std::ptrdiff_t>(CardImage::RegionOffset(5));
  EXPECT_TRUE(std::equal(region, region + kDataRegionSize, Filled(0x5A).begin()));

  ASSERT_EQ(WriteSaveToFile(CardTarget(), Filled(0x6B)), 0);
  const std::vector<Bytes> kept = Contents(ListBackups(card, backups));
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0], original) << "an older backup is never rewritten";
  EXPECT_EQ(kept[1], afterFirst) << "the second backup holds the first save";
  EXPECT_EQ(NamesIn(dir.path()), (std::set<std::string>{"card.mcr", "data"})) << "nothing lands beside the file";
}

TEST_F(Backups, TheSingleSaveIsCopiedAsItStoodThenOnlyBytes512OnChange) {
  const Bytes original = SingleWithDigit('4');
  WriteWholeFile(single, original);

  ASSERT_EQ(WriteSaveToFile(SingleTarget(), Filled(0x11)), 0);
  ASSERT_EQ(ListBackups(single, backups).size(), 1u);
  EXPECT_EQ(ReadWholeFile(ListBackups(single, backups)[0]), original);
  const std::vector<std::size_t> changed = Differences(original, ReadWholeFile(single));
  ASSERT_FALSE(changed.empty());
  EXPECT_GE(changed.front(), kSingleSaveRegionOffset);
}

TEST_F(Backups, ABackupOfAReadOnlyCardIsItselfWritableSoItCanBeRotatedAway) {
  WriteWholeFile(card, CardWithSaveTwoInBlockFive());
  fs::permissions(card, kReadOnly);
  ASSERT_EQ(WriteSaveToFile(CardTarget(), Filled(3)), 0);
  ASSERT_EQ(ListBackups(card, backups).size(), 1u);
  EXPECT_FALSE(IsReadOnly(ListBackups(card, backups)[0]));
  EXPECT_FALSE(IsReadOnly(card)) << "a read-only card is still written";
}

TEST_F(Backups, NamesCarryTheFileNameAPathHashAndTheUtcTime) {
  WriteWholeFile(card, Bytes(100, 1));
  ASSERT_EQ(testfiles::BackUp(card, backups, kSomeTime), 0);
  const std::vector<fs::path> made = ListBackups(card, backups);
  ASSERT_EQ(made.size(), 1u);
  // card.mcr.<8 hex digits>.20250314T101530.123Z.bak
  const std::string name = made[0].filename().string();
  const std::string head = "card.mcr.", tail = ".20250314T101530.123Z.bak";
  ASSERT_EQ(name.size(), head.size() + 8 + tail.size()) << name;
  EXPECT_EQ(name.substr(0, head.size()), head);
  EXPECT_EQ(name.substr(head.size() + 8), tail);
  EXPECT_EQ(name.substr(head.size(), 8).find_first_not_of("0123456789abcdef"), std::string::npos) << name;
}

TEST_F(Backups, TheNewestTenOfAFileAreKeptAndNothingElseIsTouched) {
  fs::create_directories(backups);
  WriteWholeFile(dir / "other.mcr", Bytes(50, 0xEE));
  ASSERT_EQ(testfiles::BackUp(dir / "other.mcr", backups, kSomeTime - 1h), 0);
  // Look-alikes that are not backups of card.mcr: they must survive the rotation.
  WriteWholeFile(backups / "card.mcr.notes.txt", Bytes(3, 7));
  WriteWholeFile(backups / "card.mcr", Bytes(3, 7));
  const std::set<std::string> strangers = NamesIn(backups);

  for (std::uint8_t i = 0; i < 12; ++i) {
    WriteWholeFile(card, Bytes(64, i));
    ASSERT_EQ(testfiles::BackUp(card, backups, kSomeTime + std::chrono::seconds(i)), 0);
  }

  const std::vector<Bytes> kept = Contents(ListBackups(card, backups));
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(kBackupsKept));
  for (std::size_t k = 0; k < kept.size(); ++k) {
    EXPECT_EQ(kept[k], Bytes(64, static_cast<std::uint8_t>(k + 2))) << "backup " << k << " is not the right one";
  }
  for (const std::string& name : strangers) EXPECT_TRUE(fs::exists(backups / name)) << name;
  EXPECT_EQ(ListBackups(dir / "other.mcr", backups).size(), 1u);
}

TEST_F(Backups, BackupsWithinOneMillisecondOrAfterTheClockWentBackStayUniqueAndInOrder) {
  const std::vector<std::chrono::system_clock::time_point> times{kSomeTime, kSomeTime, kSomeTime + 300us,
                                                                   kSomeTime - 2h, kSomeTime};
  for (std::size_t i = 0; i < times.size(); ++i) {
    WriteWholeFile(card, Bytes(8, static_cast<std::uint8_t>(i)));
    ASSERT_EQ(testfiles::BackUp(card, backups, times[i]), 0) << i;
  }
  const std::vector<fs::path> made = ListBackups(card, backups);
  ASSERT_EQ(made.size(), times.size());
  for (std::size_t i = 0; i < made.size(); ++i) {
    EXPECT_EQ(ReadWholeFile(made[i]), Bytes(8, static_cast<std::uint8_t>(i))) << "made in this order";
  }
  // The newest sorts last by name too, so the oldest are the ones that go.
  EXPECT_TRUE(std::is_sorted(made.begin(), made.end()));
  EXPECT_NE(made.back().filename().string().find("20250314T101530.127Z"), std::string::npos)
      << made.back().filename();

  for (int i = 0; i < kBackupsKept; ++i) ASSERT_EQ(testfiles::BackUp(card, backups, kSomeTime - 5h), 0);
  const std::vector<fs::path> kept = ListBackups(card, backups);
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(kBackupsKept));
  EXPECT_EQ(std::count(kept.begin(), kept.end(), made.back()), 0) << "all five older ones were rotated away";
}

TEST_F(Backups, FilesOfTheSameNameInOtherFoldersKeepTheirOwnTen) {
  fs::create_directories(dir / "a");
  fs::create_directories(dir / "b");
  const fs::path first = dir / "a" / "card.mcr";
  const fs::path second = dir / "b" / "card.mcr";
  for (std::uint8_t i = 0; i < 12; ++i) {
    WriteWholeFile(first, Bytes(16, i));
    WriteWholeFile(second, Bytes(16, static_cast<std::uint8_t>(100 + i)));
    ASSERT_EQ(testfiles::BackUp(first, backups, kSomeTime + std::chrono::seconds(i)), 0);
    ASSERT_EQ(testfiles::BackUp(second, backups, kSomeTime + std::chrono::seconds(i)), 0);
  }
  const std::vector<Bytes> ofFirst = Contents(ListBackups(first, backups));
  const std::vector<Bytes> ofSecond = Contents(ListBackups(second, backups));
  ASSERT_EQ(ofFirst.size(), static_cast<std::size_t>(kBackupsKept));
  ASSERT_EQ(ofSecond.size(), static_cast<std::size_t>(kBackupsKept));
  EXPECT_EQ(ofFirst.front(), Bytes(16, 2));
  EXPECT_EQ(ofSecond.front(), Bytes(16, 102));

  // One file named in another way (a detour, a link) shares its backups.
  EXPECT_EQ(ListBackups(dir / "a" / ".." / "a" / "card.mcr", backups).size(), static_cast<std::size_t>(kBackupsKept));
  std::error_code ec;
  fs::create_symlink(first, dir / "link.mcr", ec);
  if (!ec) {
    EXPECT_EQ(ListBackups(dir / "link.mcr", backups), ListBackups(first, backups));
  }
}

TEST_F(Backups, ABackupThatCannotBeMadeStopsTheSaveBeforeAnyByteChanges) {
  const Bytes original = CardWithSaveTwoInBlockFive();
  WriteWholeFile(card, original);
  fs::permissions(card, kReadOnly);
  const Bytes oneSave = SingleWithDigit('4');
  WriteWholeFile(single, oneSave);

  // A regular file where the backups folder should be, and one where its parent should be.
  fs::create_directories(dir / "data");
  WriteWholeFile(backups, Bytes(5, 9));
  WriteWholeFile(dir / "plain", Bytes(5, 9));
  for (const fs::path& blocked : {backups, dir / "plain" / "backups"}) {
    SaveTarget target = CardTarget();
    target.backupDirectory = blocked;
    EXPECT_NE(WriteSaveToFile(target, Filled(0x77)), 0) << blocked;
    EXPECT_EQ(ReadWholeFile(card), original);
    EXPECT_TRUE(IsReadOnly(card)) << "a refused save leaves the attribute alone too";

    SaveTarget singleTarget = SingleTarget();
    singleTarget.backupDirectory = blocked;
    EXPECT_NE(WriteSaveToFile(singleTarget, Filled(0x77)), 0) << blocked;
    EXPECT_EQ(ReadWholeFile(single), oneSave);
  }
  EXPECT_EQ(ReadWholeFile(backups), Bytes(5, 9));
  EXPECT_EQ(ReadWholeFile(dir / "plain"), Bytes(5, 9));
}

TEST_F(Backups, ARefusedSaveMakesNoBackup) {
  WriteWholeFile(card, CardWithSaveTwoInBlockFive());
  SaveTarget moved = CardTarget();
  moved.block = 6;  // the save is no longer in this block
  EXPECT_EQ(WriteSaveToFile(moved, Filled(1)), kErrFileChanged);

  WriteWholeFile(single, SingleWithDigit('4'));
  fs::permissions(single, kReadOnly);
  EXPECT_EQ(WriteSaveToFile(SingleTarget(), Filled(1)), static_cast<int>(std::errc::permission_denied));

  SaveTarget missing = CardTarget();
  missing.path = dir / "gone.mcr";
  EXPECT_EQ(WriteSaveToFile(missing, Filled(1)), static_cast<int>(std::errc::no_such_file_or_directory));

  EXPECT_FALSE(fs::exists(backups));
}

TEST_F(Backups, SavingABackupItselfNeverDeletesIt) {
  WriteWholeFile(card, CardWithSaveTwoInBlockFive());
  ASSERT_EQ(WriteSaveToFile(CardTarget(), Filled(1)), 0);
  const fs::path opened = ListBackups(card, backups).at(0);

  SaveTarget target = CardTarget();
  target.path = opened;
  for (int i = 0; i < kBackupsKept + 2; ++i) {
    ASSERT_EQ(WriteSaveToFile(target, Filled(static_cast<std::uint8_t>(i))), 0) << i;
  }
  EXPECT_TRUE(fs::exists(opened));
  EXPECT_EQ(ListBackups(opened, backups).size(), static_cast<std::size_t>(kBackupsKept));
  EXPECT_EQ(ListBackups(card, backups), std::vector<fs::path>{opened});
}

TEST_F(Backups, AMissingFileGivesTheSystemsNumberAndMakesNoFolder) {
  SaveTarget gone = CardTarget();
  gone.path = dir / "gone.mcr";
  EXPECT_EQ(WriteSaveToFile(gone, Filled(1)), static_cast<int>(std::errc::no_such_file_or_directory));
  EXPECT_FALSE(fs::exists(backups));
  EXPECT_TRUE(ListBackups(dir / "gone.mcr", backups).empty());
}

TEST_F(Backups, ANewFileIsNeverWrittenOverAnExistingOne) {
  const Bytes bytes{1, 2, 3};
  EXPECT_EQ(WriteNewFile(dir / "new.bin", bytes), 0);
  EXPECT_EQ(ReadWholeFile(dir / "new.bin"), bytes);
  EXPECT_EQ(WriteNewFile(dir / "new.bin", Bytes{9}), static_cast<int>(std::errc::file_exists));
  EXPECT_EQ(ReadWholeFile(dir / "new.bin"), bytes);
  EXPECT_NE(WriteNewFile(dir / "no-such-folder" / "new.bin", bytes), 0);
}

}  // namespace
}  // namespace zovek
