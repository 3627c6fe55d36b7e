#include <gtest/gtest.h>

#include <array>
#include <system_error>

#include "TempDir.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/FileSystem.h"
#include "savegen/ByteFiles.h"

namespace zovek {
namespace {

namespace fs = std::filesystem;
using savegen::ReadWholeFile;
using savegen::WriteWholeFile;
using testfiles::TempDir;

constexpr int kNoEntry = static_cast<int>(std::errc::no_such_file_or_directory);
constexpr int kIsDirectory = static_cast<int>(std::errc::is_a_directory);

std::vector<std::uint8_t> Counting(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  }
  return bytes;
}

TEST(ReadOnly, MeansNoWriteBitAtAll) {
  TempDir dir;
  const fs::path file = dir / "f.ps";
  WriteWholeFile(file, Counting(10));

  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(IsReadOnly(file));
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(IsReadOnly(file));
  EXPECT_FALSE(IsReadOnly(dir / "missing"));
#ifdef _WIN32
  GTEST_SKIP() << "Windows keeps one read-only flag per file, no write bit for the group or others";
#endif
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_write);
  EXPECT_FALSE(IsReadOnly(file)) << "any write bit makes it writable";
}

TEST(ReadOnly, ClearingGivesTheOwnerWriteBack) {
  TempDir dir;
  const fs::path file = dir / "f.ps";
  WriteWholeFile(file, Counting(10));
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  ASSERT_TRUE(IsReadOnly(file));

  EXPECT_EQ(ClearReadOnly(file), 0);
  EXPECT_FALSE(IsReadOnly(file));
  EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_NE(fs::status(file).permissions() & fs::perms::group_read, fs::perms::none) << "other bits kept";
  EXPECT_EQ(ClearReadOnly(dir / "missing"), kNoEntry);
}

TEST(FileErrors, CarryTheSystemsNumber) {
  TempDir dir;
  std::uint64_t length = 99;
  EXPECT_EQ(FileLength(dir / "missing", length), kNoEntry);
  EXPECT_EQ(FileLength(dir.path(), length), kIsDirectory);
  EXPECT_EQ(length, 99u);

  std::array<std::uint8_t, 4> out{};
  EXPECT_EQ(ReadBytesAt(dir / "missing", 0, out), kNoEntry);
  EXPECT_EQ(ReadBytesAt(dir.path(), 0, out), kIsDirectory);
  EXPECT_EQ(WriteBytesInPlace(dir / "missing", 0, out), kNoEntry);
  EXPECT_EQ(WriteBytesInPlace(dir.path(), 0, out), kIsDirectory);
  EXPECT_EQ(CopyReplacing(dir / "missing", dir / "copy"), kNoEntry);
  EXPECT_FALSE(FileExists(dir / "missing")) << "a failed write never creates the file";
  EXPECT_FALSE(FileExists(dir / "copy"));
}

TEST(ReadBytesAt, ReadsExactlyTheAskedPositionsOrReportsAShortRead) {
  TempDir dir;
  const fs::path file = dir / "f.ps";
  const auto content = Counting(1000);
  WriteWholeFile(file, content);

  std::array<std::uint8_t, 10> out{};
  ASSERT_EQ(ReadBytesAt(file, 990, out), 0);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), content.begin() + 990));

  std::array<std::uint8_t, 10> tail{};
  EXPECT_EQ(ReadBytesAt(file, 991, tail), kErrShortRead);
  EXPECT_EQ(ReadBytesAt(file, 5000, tail), kErrShortRead);
}

TEST(WriteBytesInPlace, ChangesOnlyTheGivenBytesAndNeverExtends) {
  TempDir dir;
  const fs::path file = dir / "f.ps";
  auto content = Counting(1000);
  WriteWholeFile(file, content);

  const std::array<std::uint8_t, 3> bytes = {0xA1, 0xA2, 0xA3};
  ASSERT_EQ(WriteBytesInPlace(file, 997, bytes), 0);
  std::copy(bytes.begin(), bytes.end(), content.begin() + 997);
  EXPECT_EQ(ReadWholeFile(file), content);

  EXPECT_EQ(WriteBytesInPlace(file, 998, bytes), kErrFileChanged);
  EXPECT_EQ(ReadWholeFile(file), content) << "a write that would extend the file writes nothing";
}

TEST(CopyReplacing, ReplacesAnExistingFile) {
  TempDir dir;
  WriteWholeFile(dir / "from", Counting(300));
  WriteWholeFile(dir / "to", Counting(5000));
  ASSERT_EQ(CopyReplacing(dir / "from", dir / "to"), 0);
  EXPECT_EQ(ReadWholeFile(dir / "to"), Counting(300));
}

TEST(RemoveFile, RemovesFilesOnly) {
  TempDir dir;
  WriteWholeFile(dir / "f", Counting(3));
  EXPECT_EQ(RemoveFile(dir / "f"), 0);
  EXPECT_FALSE(FileExists(dir / "f"));
  EXPECT_EQ(RemoveFile(dir / "f"), kNoEntry);

  fs::create_directory(dir / "sub");
  EXPECT_EQ(RemoveFile(dir / "sub"), kIsDirectory);
  EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

}  // namespace
}  // namespace zovek
