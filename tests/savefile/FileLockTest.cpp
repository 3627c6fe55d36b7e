// The lock our writers share: exclusive between locks, invisible to every
// other handle of the file, and never a change to the file.
#include <gtest/gtest.h>

#include <system_error>
#include <utility>

#include "TempDir.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/FileLock.h"
#include "savefile/FileSystem.h"
#include "savegen/ByteFiles.h"

namespace zovek {
namespace {

namespace fs = std::filesystem;
using savegen::ReadWholeFile;
using savegen::WriteWholeFile;
using testfiles::TempDir;

constexpr std::chrono::milliseconds kShortWait{120};

TEST(FileLock, ExcludesOtherLocksOnlyAndNeverTouchesTheFile) {
  TempDir dir;
  const fs::path file = dir / "card.mcr";
  const std::vector<std::uint8_t> bytes(4096, 0x3C);
  WriteWholeFile(file, bytes);

  FileLock first;
  ASSERT_EQ(first.Lock(file), 0);
  EXPECT_TRUE(first.Held());

  // Another handle reads and writes the file as if there were no lock.
  std::vector<std::uint8_t> read(16);
  EXPECT_EQ(ReadBytesAt(file, 4000, read), 0);
  EXPECT_EQ(read, std::vector<std::uint8_t>(16, 0x3C));
  const std::vector<std::uint8_t> other(4, 0x11);
  EXPECT_EQ(WriteBytesInPlace(file, 8, other), 0);

  // A second lock fails after its wait, and while it is moved the lock stays.
  FileLock second;
  EXPECT_EQ(second.Lock(file, kShortWait), kErrFileLocked);
  EXPECT_FALSE(second.Held());
  FileLock moved = std::move(first);
  EXPECT_FALSE(first.Held());
  EXPECT_EQ(second.Lock(file, kShortWait), kErrFileLocked);

  moved.Unlock();
  EXPECT_EQ(second.Lock(file, kShortWait), 0);
  second.Unlock();

  std::vector<std::uint8_t> expected = bytes;
  std::copy(other.begin(), other.end(), expected.begin() + 8);
  EXPECT_EQ(ReadWholeFile(file), expected);  // the lock wrote nothing of its own
}

TEST(FileLock, IsNeverTakenByCreatingTheFile) {
  TempDir dir;
  FileLock lock;
  EXPECT_EQ(lock.Lock(dir / "missing.mcr", kShortWait), static_cast<int>(std::errc::no_such_file_or_directory));
  EXPECT_FALSE(lock.Held());
  EXPECT_FALSE(fs::exists(dir / "missing.mcr"));
}

}  // namespace
}  // namespace zovek
