// The save's write as a player's machine fails around it: the process stopped
// at each step, the region's write failing part way, the file's name swapped
// at the last moment, another program writing during the backup, and a card
// that is writable without being ours.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <set>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <grp.h>
#endif
#if defined(__linux__)
#include <sys/mount.h>
#endif

#include "SaveFileFixtures.h"
#include "TempDir.h"
#include "savefile/Backups.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"
#include "savefile/OpenedFile.h"
#include "savefile/SaveWrite.h"
#include "savefile/WriteSteps.h"
#include "savegen/ByteFiles.h"
#include "savegen/SaveImages.h"

namespace zovek {
namespace {

namespace fs = std::filesystem;
using savegen::Bytes;
using savegen::CardImage;
using savegen::ReadWholeFile;
using savegen::WriteWholeFile;
using testfiles::Filled;
using testfiles::TempDir;

constexpr int kNoSpace = ENOSPC;

class SaveWrite : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteStepHook({}); }

  TempDir dir;
  const fs::path card = dir / "card.mcr";
  const fs::path backups = dir / "backups";
  const Bytes before = testfiles::CardWithSaveTwoInBlockFive();  // save 2 in block 5
  const SaveBuffer edited = Filled(0x5A);

  Bytes After() const {
    Bytes after = before;
    std::copy(edited.begin(), edited.end(), after.begin() + static_cast<std::ptrdiff_t>(CardImage::RegionOffset(5)));
    return after;
  }
  SaveTarget Target(const fs::path& backupsTo = {}) const { return {card, kCardImage, 2, 5, backupsTo}; }

  // The names in the backups folder: whole backups and the temporary files
  // of backups not yet whole.
  std::vector<fs::path> Named(const std::string& ending) const {
    std::vector<fs::path> found;
    if (!fs::exists(backups)) return found;
    for (const auto& entry : fs::directory_iterator(backups)) {
      if (entry.path().filename().string().ends_with(ending)) found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
  }
};

#if !defined(_WIN32)
// The write in a child process that ends at `stop` with _exit: no clean-up,
// no destructor, as a kill would leave it.
void WriteStoppedAt(const SaveTarget& target, const SaveBuffer& region, WriteStep stop) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SetWriteStepHook([stop](WriteStep step) {
      if (step == stop) ::_exit(0);
      return 0;
    });
    static_cast<void>(WriteSaveToFile(target, region));
    ::_exit(1);  // the step was never reached
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child did not stop at its step";
}
#endif

TEST_F(SaveWrite, StoppedAtAnyStepTheFileIsAsBeforeOrAsAfterAndEveryBackupIsWhole) {
#if defined(_WIN32)
  GTEST_SKIP() << "stopping a process without clean-up needs fork";
#else
  for (int at = static_cast<int>(WriteStep::Locked); at <= static_cast<int>(WriteStep::Flushed); ++at) {
    const auto step = static_cast<WriteStep>(at);
    if (step == WriteStep::WritingRegion) continue;  // a fault point, not a step to stop at
    const bool written = step >= WriteStep::Written;
    SCOPED_TRACE(static_cast<int>(step));
    WriteWholeFile(card, before);
    fs::remove_all(backups);
    WriteStoppedAt(Target(backups), edited, step);
    EXPECT_EQ(ReadWholeFile(card), written ? After() : before);
    for (const fs::path& backup : Named(".bak")) EXPECT_EQ(ReadWholeFile(backup), before) << backup;
    EXPECT_EQ(Named(".bak").size() + Named(".part").size(), fs::exists(backups) ? 1u : 0u);
    EXPECT_EQ(Named(".bak").size(), step >= WriteStep::BackupNamed ? 1u : 0u);
  }
#endif
}

TEST_F(SaveWrite, TenBackupsOutliveNineRunsStoppedInTheirBackupAndTheNextRunClearsOnlyItsOwnLeftovers) {
#if defined(_WIN32)
  GTEST_SKIP() << "stopping a process without clean-up needs fork";
#else
  WriteWholeFile(card, before);
  for (int i = 0; i < kBackupsKept; ++i) ASSERT_EQ(WriteSaveToFile(Target(backups), Filled(static_cast<std::uint8_t>(i))), 0);
  const std::vector<fs::path> ten = Named(".bak");
  ASSERT_EQ(ten.size(), static_cast<std::size_t>(kBackupsKept));

  for (int i = 0; i < 9; ++i) WriteStoppedAt(Target(backups), edited, WriteStep::BackupWritten);
  EXPECT_EQ(Named(".bak"), ten) << "no partial backup takes a backup's name or a place among the ten";
  EXPECT_EQ(Named(".part").size(), 1u) << "each run clears the one before";

  // Another file's interrupted backup is that file's to clear.
  const fs::path other = dir / "other.mcr";
  WriteWholeFile(other, before);
  WriteStoppedAt({other, kCardImage, 2, 5, backups}, edited, WriteStep::BackupWritten);

  ASSERT_EQ(WriteSaveToFile(Target(backups), edited), 0);
  const std::vector<fs::path> kept = Named(".bak");
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(kBackupsKept));
  EXPECT_TRUE(std::equal(ten.begin() + 1, ten.end(), kept.begin())) << "only the oldest went";
  ASSERT_EQ(Named(".part").size(), 1u);
  EXPECT_TRUE(Named(".part")[0].filename().string().starts_with("other.mcr."));
#endif
}

// A fault makes the region's write fail half way (a full disk, a failing
// drive); the region as read is put back. Only when that fails too does the
// result say the save may be damaged, naming the backup.
TEST_F(SaveWrite, AWriteThatFailsPartWayIsUndoneOrSaysTheSaveMayBeDamaged) {
  for (const bool undoFails : {false, true}) {
    SCOPED_TRACE(undoFails);
    WriteWholeFile(card, before);
    fs::permissions(card, testfiles::kReadOnly);
    SetWriteStepHook([undoFails](WriteStep step) {
      return step == WriteStep::WritingRegion || (undoFails && step == WriteStep::RestoringRegion) ? kNoSpace : 0;
    });
    const SaveWriteResult result = WriteSave(Target(backups), edited);
    EXPECT_EQ(result.error, kNoSpace);
    EXPECT_EQ(result.damaged, undoFails);
    ASSERT_FALSE(result.backup.empty());
    EXPECT_EQ(ReadWholeFile(result.backup), before);
    if (undoFails) {
      EXPECT_NE(ReadWholeFile(card), before);
    } else {
      EXPECT_EQ(ReadWholeFile(card), before) << "byte for byte as before";
      EXPECT_TRUE(IsReadOnly(card)) << "the card's mode is given back too";
    }
    fs::permissions(card, fs::perms::owner_all);
  }
}

// Just before the write another file stands at the name: nothing is written
// through it, nor into the file that was there, and nothing waits. A link the
// user opened is a name like any other.
TEST_F(SaveWrite, ANameThatNoLongerLeadsToTheOpenFileGetsNothing) {
#if defined(_WIN32)
  GTEST_SKIP() << "FIFOs and links as POSIX has them";
#else
  const fs::path aside = dir / "aside.mcr", otherCard = dir / "other.mcr", link = dir / "link.mcr";
  struct Case {
    const char* name;
    std::function<void()> swap;  // at the last step before the write
    bool viaLink;                // the user opened the card through `link`
  };
  const Case cases[] = {
      {"a FIFO", [&] { fs::rename(card, aside), ::mkfifo(card.c_str(), 0600); }, false},
      {"a link to another card", [&] { fs::rename(card, aside), fs::create_symlink(otherCard, card); }, false},
      {"another card", [&] { fs::rename(card, aside), fs::copy_file(otherCard, card); }, false},
      {"nothing", [&] { fs::rename(card, aside); }, false},
      {"the link opened, repointed", [&] { fs::remove(link), fs::create_symlink(otherCard, link); }, true},
      {"the link opened, unchanged", {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const fs::path& path : {card, aside, otherCard, link}) fs::remove(path);
    WriteWholeFile(card, before);
    WriteWholeFile(otherCard, before);
    fs::create_symlink(card, link);
    SetWriteStepHook([&c](WriteStep step) {
      if (step == WriteStep::BeforeWrite && c.swap) c.swap();
      return 0;
    });
    SaveTarget target = Target();
    if (c.viaLink) target.path = link;
    const SaveWriteResult result = WriteSave(target, edited);
    EXPECT_EQ(result.replaced, bool(c.swap));
    EXPECT_EQ(result.error, c.swap ? kErrFileChanged : 0);
    EXPECT_EQ(ReadWholeFile(fs::exists(aside) ? aside : card), c.swap ? before : After());
    EXPECT_EQ(ReadWholeFile(otherCard), before);
  }
  // A FIFO at the name from the start is refused at once.
  fs::remove(card);
  ASSERT_EQ(::mkfifo(card.c_str(), 0600), 0);
  EXPECT_EQ(WriteSaveToFile(Target(), edited), kErrFileChanged);
#endif
}

// Another program writes the card while it is backed up. A change of the
// save itself, if only its last byte, stops the write; a change of another
// save is kept, and backed up again, so the newest backup is the file as the
// write found it. From the lock to the flush our lock stays held.
TEST_F(SaveWrite, TheLastComparisonSeesEveryByteAndTheBackupHoldsWhatItSaw) {
  struct Case {
    std::uint64_t changed;  // file byte another program changes
    bool written;
  };
  const std::uint64_t lastOfRegion = CardImage::RegionOffset(5) + kDataRegionSize - 1;
  for (const Case c : {Case{lastOfRegion, false}, Case{CardImage::RegionOffset(9), true}}) {
    SCOPED_TRACE(c.changed);
    WriteWholeFile(card, before);
    fs::remove_all(backups);
    const Bytes changed = testfiles::Flipped(before, c.changed, 0);
    std::set<WriteStep> unlocked;
    SetWriteStepHook([&](WriteStep step) {
      if (step == WriteStep::BackupsRotated && ReadWholeFile(card) == before) WriteWholeFile(card, changed);
      OpenedFile other;
      if (other.Open(card) != 0 || other.Lock(std::chrono::milliseconds{0}) != kErrFileLocked) unlocked.insert(step);
      return 0;
    });
    SaveTarget target = Target(backups);
    SaveBuffer seen{};
    std::copy_n(before.begin() + static_cast<std::ptrdiff_t>(CardImage::RegionOffset(5)), seen.size(), seen.begin());
    target.expectedRegion = &seen;
    const SaveWriteResult result = WriteSave(target, edited);
    EXPECT_TRUE(unlocked.empty()) << "the lock was free at step " << static_cast<int>(*unlocked.begin());
    EXPECT_EQ(result.regionChanged, !c.written);
    if (c.written) {
      ASSERT_EQ(result.error, 0);
      Bytes expectedFile = After();
      expectedFile[c.changed] = changed[c.changed];
      EXPECT_EQ(ReadWholeFile(card), expectedFile);
      ASSERT_EQ(Named(".bak").size(), 2u);
      EXPECT_EQ(ReadWholeFile(Named(".bak").back()), changed);
      EXPECT_EQ(ReadWholeFile(result.backup), changed);
    } else {
      EXPECT_EQ(ReadWholeFile(card), changed) << "the other program's write stays";
    }
  }
}

// A sparse card on a full file system: the region's room is asked for before
// a byte is written, so the write fails with nothing changed (a small tmpfs,
// mounted where root may).
TEST_F(SaveWrite, ASparseCardOnAFullDiskIsLeftAsItWas) {
#if !defined(__linux__)
  GTEST_SKIP() << "a tmpfs to fill needs Linux";
#else
  const fs::path mountPoint = dir / "small";
  fs::create_directory(mountPoint);
  if (::geteuid() != 0 || ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=256k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << std::strerror(errno);
  }
  const struct Unmount {
    fs::path at;
    ~Unmount() { ::umount(at.c_str()); }
  } unmount{mountPoint};
  const fs::path sparse = mountPoint / "card.mcr";
  WriteWholeFile(sparse, before);
  {
    const int fd = ::open(sparse.c_str(), O_WRONLY);
    const off_t page = 5 * kBlockSize + 4096;  // the last page of block 5, inside its region
    ASSERT_EQ(::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, page, 4096), 0);
    ::close(fd);
  }
  const Bytes holey = ReadWholeFile(sparse);
  const Bytes block(1024, 0x11);
  for (int i = 0; fs::space(mountPoint).available > 0 && i < 1000; ++i) {
    WriteWholeFile(mountPoint / ("fill" + std::to_string(i)), block);
  }
  SaveTarget target = Target();
  target.path = sparse;
  EXPECT_EQ(WriteSaveToFile(target, edited), kNoSpace);
  EXPECT_EQ(ReadWholeFile(sparse), holey);
#endif
}

// A card of mode 0664 owned by another user of our group is written as it
// stands: its mode is not ours to change, and it need not be changed.
TEST_F(SaveWrite, AWritableCardOfAnotherOwnerIsWritten) {
#if defined(_WIN32)
  GTEST_SKIP() << "owners and groups as POSIX has them";
#else
  if (::geteuid() != 0) GTEST_SKIP() << "making a card of another owner needs root";
  constexpr uid_t kNobody = 65534;
  constexpr gid_t kGroup = 4242;  // the card's group, which the writer belongs to
  WriteWholeFile(card, before);
  ASSERT_EQ(::chown(card.c_str(), 0, kGroup), 0);
  fs::permissions(card, fs::perms(0664));
  fs::permissions(dir.path(), fs::perms(0755));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const gid_t groups[] = {kGroup};
    if (::setgroups(1, groups) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
    ::_exit(WriteSaveToFile(Target(), edited) == 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_NE(WEXITSTATUS(status), 100) << "could not become uid 65534";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadWholeFile(card), After());
  struct stat info {};
  ASSERT_EQ(::stat(card.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0664u) << "the mode is left as it was";
#endif
}

}  // namespace
}  // namespace zovek
