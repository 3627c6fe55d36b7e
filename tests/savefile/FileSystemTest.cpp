#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
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
  EXPECT_FALSE(fs::exists(dir / "missing")) << "a failed write never creates the file";
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

// An endless source that hands out at most `step` bytes a call and counts
// every byte it gave: the reader must stop exactly at its limit.
TEST(ReadAtMost, StopsAtTheLimitWhateverTheSourceHolds) {
  struct Case {
    std::size_t limit;
    std::size_t available;  // SIZE_MAX: endless
    std::size_t step;
  };
  constexpr std::size_t kEndless = SIZE_MAX;
  constexpr std::size_t k16MiB = 16u * 1024 * 1024;
  const Case cases[] = {
      {0, kEndless, 1000},           {1, kEndless, 1000},          {65536, kEndless, 1u << 20},
      {65537, kEndless, 4096},       {k16MiB + 1, kEndless, 1u << 20}, {100003, kEndless, 7},
      {1000, 999, 100},              {1000, 1000, 1000},           {1000, 0, 1},
      {k16MiB + 1, k16MiB, 65536},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "limit " << c.limit << ", available " << c.available << ", step " << c.step);
    std::size_t given = 0;
    std::size_t largestAsk = 0;
    const ReadSome source = [&](std::span<std::uint8_t> into, std::size_t& got) {
      largestAsk = std::max(largestAsk, into.size());
      got = std::min({into.size(), c.step, c.available - given});
      for (std::size_t i = 0; i < got; ++i) into[i] = static_cast<std::uint8_t>(given + i);
      given += got;
      return 0;
    };
    std::vector<std::uint8_t> out;
    ASSERT_EQ(ReadAtMost(source, c.limit, out), 0);
    const std::size_t expected = std::min(c.limit, c.available);
    EXPECT_EQ(given, expected);
    ASSERT_EQ(out.size(), expected);
    EXPECT_LE(largestAsk, std::max<std::size_t>(c.limit, 1));
    for (std::size_t i = 0; i < out.size(); i += 4099) ASSERT_EQ(out[i], static_cast<std::uint8_t>(i)) << i;
  }
  std::vector<std::uint8_t> out;
  const ReadSome failing = [](std::span<std::uint8_t>, std::size_t&) { return kNoEntry; };
  EXPECT_EQ(ReadAtMost(failing, 10, out), kNoEntry);
}

TEST(ReadRegularFileStart, ReadsOnlyARegularFileAndNoFurtherThanTheLimit) {
  TempDir dir;
  WriteWholeFile(dir / "f", Counting(1000));
  fs::create_directory(dir / "sub");
  struct Case {
    fs::path path;
    std::size_t limit;
    int error;
    bool regular;
    std::size_t read;
  };
  const Case cases[] = {
      {dir / "f", 1001, 0, true, 1000}, {dir / "f", 1000, 0, true, 1000}, {dir / "f", 10, 0, true, 10},
      {dir / "f", 0, 0, true, 0},       {dir / "sub", 100, 0, false, 0},  {dir / "gone", 100, kNoEntry, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string() + " limit " + std::to_string(c.limit));
    std::vector<std::uint8_t> out;
    bool regular = !c.regular;
    EXPECT_EQ(ReadRegularFileStart(c.path, c.limit, out, regular), c.error);
    EXPECT_EQ(regular, c.regular);
    const auto content = Counting(1000);
    EXPECT_EQ(out, std::vector<std::uint8_t>(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(c.read)));
  }
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

TEST(ReplaceWithNewFile, ReplacesAnExistingFile) {
  TempDir dir;
  WriteWholeFile(dir / "to", Counting(5000));
  ASSERT_EQ(ReplaceWithNewFile(dir / "to", Counting(300)), 0);
  EXPECT_EQ(ReadWholeFile(dir / "to"), Counting(300));
}

TEST(RemoveFile, RemovesFilesOnly) {
  TempDir dir;
  WriteWholeFile(dir / "f", Counting(3));
  EXPECT_EQ(RemoveFile(dir / "f"), 0);
  EXPECT_FALSE(fs::exists(dir / "f"));
  EXPECT_EQ(RemoveFile(dir / "f"), kNoEntry);

  fs::create_directory(dir / "sub");
  EXPECT_EQ(RemoveFile(dir / "sub"), kIsDirectory);
  EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

}  // namespace
}  // namespace zovek
