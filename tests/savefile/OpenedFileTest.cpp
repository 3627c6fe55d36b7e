// The lock our writers share: exclusive between locks, invisible to every
// other handle of the file, and never a change to the file.
#include <gtest/gtest.h>

#include <system_error>

#include "TempDir.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/OpenedFile.h"
#include "savefile/FileSystem.h"
#include "savegen/ByteFiles.h"

namespace zovek {
namespace {

namespace fs = std::filesystem;
using savegen::ReadWholeFile;
using savegen::WriteWholeFile;
using testfiles::TempDir;

constexpr std::chrono::milliseconds kShortWait{120};

TEST(OpenedFile, ExcludesOtherLocksOnlyAndNeverTouchesTheFile) {
  TempDir dir;
  const fs::path file = dir / "card.mcr";
  const std::vector<std::uint8_t> bytes(4096, 0x3C);
  WriteWholeFile(file, bytes);

  OpenedFile first;
  ASSERT_EQ(first.Open(file), 0);
  ASSERT_EQ(first.Lock(), 0);
  EXPECT_TRUE(first.Locked());

  // Another handle reads and writes the file as if there were no lock.
  std::vector<std::uint8_t> read(16);
  EXPECT_EQ(ReadBytesAt(file, 4000, read), 0);
  EXPECT_EQ(read, std::vector<std::uint8_t>(16, 0x3C));
  const std::vector<std::uint8_t> other(4, 0x11);
  EXPECT_EQ(WriteBytesInPlace(file, 8, other), 0);

  // A second lock fails after its wait, and succeeds once the first is closed.
  OpenedFile second;
  ASSERT_EQ(second.Open(file), 0);
  EXPECT_EQ(second.Lock(kShortWait), kErrFileLocked);
  EXPECT_FALSE(second.Locked());

  first.Close();
  EXPECT_EQ(second.Lock(kShortWait), 0);
  second.Close();

  std::vector<std::uint8_t> expected = bytes;
  std::copy(other.begin(), other.end(), expected.begin() + 8);
  EXPECT_EQ(ReadWholeFile(file), expected);  // the lock wrote nothing of its own
}

TEST(OpenedFile, IsNeverTakenByCreatingTheFile) {
  TempDir dir;
  OpenedFile lock;
  EXPECT_EQ(lock.Open(dir / "missing.mcr"), static_cast<int>(std::errc::no_such_file_or_directory));
  EXPECT_FALSE(lock.Locked());
  EXPECT_FALSE(fs::exists(dir / "missing.mcr"));
}

}  // namespace
}  // namespace zovek
