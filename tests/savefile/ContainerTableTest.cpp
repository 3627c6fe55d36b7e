// Every container through the same open, save and report: the table alone
// says where its card or save starts and which header bytes the guard keeps.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SaveFileFixtures.h"
#include "savefile/Containers.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/SaveFileOps.h"
#include "savefile/SaveWrite.h"

namespace zovek {
namespace {

using savegen::Bytes;
using namespace testfiles;

// The .gme container is one length with one signature; every other file is
// decided by its length alone, whatever it begins with.
TEST(ContainerTable, LengthAndSignatureDecideTheContainer) {
  const std::string sig = "123-456-STD";
  struct Case {
    std::uint64_t length;
    std::string head;
    FileKind kind;
    std::uint64_t start;
  };
  const Case cases[] = {
      {134976, sig, kCardImage, 3904}, {134976, sig + "rest of the header", kCardImage, 3904},
      {134976, "123-456-STX", kNoFile, 0},
      {134976, "123-456-ST", kNoFile, 0},  // too short to hold the signature
      {134976, "", kNoFile, 0},        {134975, sig, kNoFile, 0},  {134977, sig, kNoFile, 0},
      {131072, sig, kCardImage, 0},    {131072, "MC", kCardImage, 0}, {8320, sig, kSingleSave, 0},
      {3904, sig, kNoFile, 0},
  };
  for (const Case& c : cases) {
    const Bytes head(c.head.begin(), c.head.end());
    const Container* found = FindContainer(c.length, head);
    EXPECT_EQ(found == nullptr ? kNoFile : found->kind, c.kind) << c.length << " " << c.head;
    EXPECT_EQ(found == nullptr ? 0 : found->start, c.start) << c.length << " " << c.head;
  }
  for (std::uint64_t length : {0ull, 8319ull, 8321ull, 131071ull, 131073ull, 8192ull, 7808ull, 262144ull}) {
    EXPECT_FALSE(IsContainerLength(length)) << length;
  }
}

// Each container's file with save 2 in it (block 5 of a card), as the test
// builds it, independently of the table.
struct Sample {
  const char* name;
  Bytes bytes;
  std::uint64_t region;  // the save's data region in the file
  std::uint64_t header;  // the container's own bytes before the card
};

TEST(ContainerTable, EveryContainerOpensSavesAndReportsTheSameWay) {
  const Bytes card = CardWithSaveTwoInBlockFive();
  const Sample samples[] = {
      {"card.mcr", card, 5 * 8192 + 384, 0},
      {"card.gme", savegen::GmeContainer(card, 77), 3904 + 5 * 8192 + 384, 3904},
      {"one.ps", SingleWithDigit('1'), 512, 0},
  };
  ASSERT_EQ(std::size(samples), Containers().size());
  for (const Sample& s : samples) {
    SCOPED_TRACE(s.name);
    TempDir dir;
    const auto path = Write(dir, s.name, s.bytes);
    const Container* container = FindContainer(s.bytes.size(), s.bytes);
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(container->guardedHeader, s.header);

    const FileReport report = ReadSaveFile(path).report;
    ASSERT_TRUE(report.ok()) << ProblemText(report);
    EXPECT_EQ(report.container, container);
    ASSERT_EQ(report.saves.size(), 1u);
    EXPECT_EQ(report.saves[0].saveNumber, 2);
    EXPECT_EQ(report.saves[0].regionOffset, s.region);

    SaveBuffer buffer{};
    const OpenOutcome opened = OpenSaveFile(path, dir / "zovek.tmp", 0, buffer);
    ASSERT_EQ(opened.status, OpenStatus::Loaded) << opened.error;
    EXPECT_EQ(opened.container, container);
    EXPECT_EQ(opened.containerHeader, Bytes(s.bytes.begin(), s.bytes.begin() + static_cast<std::ptrdiff_t>(s.header)));
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), s.bytes.begin() + static_cast<std::ptrdiff_t>(s.region)));

    const std::int16_t block = container->kind == kCardImage ? 5 : 0;
    const SaveTarget target{path, container->kind, 2, block, {}, container, opened.containerHeader};
    ASSERT_EQ(WriteSaveToFile(target, Filled(0x5A)), 0);
    const Bytes after = savegen::ReadWholeFile(path);
    const auto changed = Differences(s.bytes, after);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), s.region);
    EXPECT_LT(changed.back(), s.region + kDataRegionSize);

    // The guard refuses a file whose frame (or header) changed since the open.
    const std::uint64_t frame = s.header + (container->kind == kCardImage ? 5 * 128 : 0);
    for (const std::uint64_t at : {frame + 29, s.header == 0 ? frame + 23 : s.header - 1}) {
      const Bytes touched = Flipped(after, at, 0);
      savegen::WriteWholeFile(path, touched);
      EXPECT_EQ(WriteSaveToFile(target, Filled(0x11)), kErrFileChanged) << at;
      EXPECT_EQ(savegen::ReadWholeFile(path), touched);
    }
  }
}

}  // namespace
}  // namespace zovek
