// The file report behind info and verify: saves found as the editor finds
// them, checksums compared, refusals named with their cause.

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include "SaveFileFixtures.h"
#include "savefile/SaveFileReport.h"
#include "savegen/DemoFiles.h"

namespace zovek {
namespace {

using namespace zovek::testfiles;
using savegen::Bytes;
using savegen::CardImage;
using savegen::ChecksumMode;
using savegen::SingleSave;

TEST(SaveReport, CardImageListsEachSaveWithBlockOffsetAndChecksum) {
  TempDir dir;
  const auto path = Write(dir, "three.mcr", ThreeSaveCard().bytes());
  const FileReport report = InspectFile(path);

  ASSERT_TRUE(report.ok()) << ProblemText(report);
  EXPECT_EQ(report.kind(), kCardImage);
  EXPECT_EQ(report.length, 131072u);
  ASSERT_EQ(report.saves.size(), 3u);
  const int numbers[] = {1, 3, 12};
  const int blocks[] = {1, 8, 15};
  for (std::size_t i = 0; i < 3; ++i) {
    const SaveEntry& save = report.saves[i];
    EXPECT_EQ(save.saveNumber, numbers[i]);
    EXPECT_EQ(save.block, blocks[i]);
    EXPECT_EQ(save.regionOffset, 8192u * static_cast<unsigned>(blocks[i]) + 384u);
    EXPECT_TRUE(save.ChecksumMatches());
  }
  EXPECT_EQ(report.selectedSave, 1);  // the editor opens the lowest save number
}

TEST(SaveReport, WrongChecksumIsReportedForThatSaveOnly) {
  TempDir dir;
  const auto path = Write(dir, "bad.mcr", ThreeSaveCard(ChecksumMode::Wrong).bytes());
  const FileReport report = InspectFile(path);

  ASSERT_TRUE(report.ok());
  EXPECT_TRUE(report.Save(1)->ChecksumMatches());
  EXPECT_TRUE(report.Save(12)->ChecksumMatches());
  const SaveEntry* bad = report.Save(3);
  ASSERT_NE(bad, nullptr);
  EXPECT_FALSE(bad->ChecksumMatches());
  EXPECT_EQ(bad->storedChecksum, static_cast<std::uint8_t>(bad->computedChecksum + 1));
  EXPECT_NE(ChecksumText(*bad).find("does not match"), std::string::npos);
}

TEST(SaveReport, SingleSaveHasItsOwnNumberAndRegionAt512) {
  TempDir dir;
  SingleSave single(3);
  single.GameSave('C', savegen::DemoRegion(9));
  const FileReport report = InspectFile(Write(dir, "one.ps", single.bytes()));

  ASSERT_TRUE(report.ok());
  EXPECT_EQ(report.kind(), kSingleSave);
  ASSERT_EQ(report.saves.size(), 1u);
  EXPECT_EQ(report.saves[0].saveNumber, 13);
  EXPECT_EQ(report.saves[0].block, 0);
  EXPECT_EQ(report.saves[0].regionOffset, 512u);
  EXPECT_TRUE(report.saves[0].ChecksumMatches());
  EXPECT_EQ(SaveName(report.saves[0]), "save 13");
  EXPECT_EQ(report.selectedSave, 13);
}

TEST(SaveReport, LaterFrameWithTheSameNumberWinsAsInTheEditor) {
  // Frames 2 and 7 both carry save 4: the editor reads block 7 only, so a
  // broken region in block 2 is out of its reach and not reported.
  TempDir dir;
  CardImage card;
  card.GameSave(2, '3', savegen::DemoRegion(1), ChecksumMode::Wrong).GameSave(7, '3', savegen::DemoRegion(2));
  const FileReport report = InspectFile(Write(dir, "dup.mcr", card.bytes()));

  ASSERT_EQ(report.saves.size(), 1u);
  EXPECT_EQ(report.saves[0].saveNumber, 4);
  EXPECT_EQ(report.saves[0].block, 7);
  EXPECT_TRUE(report.saves[0].ChecksumMatches());
}

TEST(SaveReport, RefusedFilesNameTheirCause) {
  TempDir dir;
  struct Case {
    std::filesystem::path path;
    FileProblem problem;
    std::string cause;
  };
  CardImage otherGame;
  otherGame.OtherGameSave(3, savegen::kOtherGameCode, '0', 5);
  SingleSave badDigit;
  badDigit.GameSave('F', savegen::DemoRegion(4));
  const std::vector<Case> cases = {
      {Write(dir, "long.mcr", Bytes(131073, 0)), FileProblem::Unsupported, "131073 bytes"},
      {Write(dir, "short.ps", Bytes(8319, 0)), FileProblem::Unsupported, "8319 bytes"},
      {Write(dir, "empty", Bytes{}), FileProblem::Unsupported, "0 bytes"},
      {Write(dir, "unsigned.gme", Bytes(134976, 0)), FileProblem::Unsupported, "134976 bytes"},
      {Write(dir, "other.mcr", otherGame.bytes()), FileProblem::NoGameSave, "no Zovek save in this memory-card image"},
      {Write(dir, "digitF.ps", badDigit.bytes()), FileProblem::NoGameSave, "no Zovek save in this single-save file"},
      {dir / "missing.mcr", FileProblem::CannotRead, "(" + std::to_string(ENOENT) + ")"},
      {dir.path(), FileProblem::CannotRead, "cannot read"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    const FileReport report = InspectFile(c.path);
    EXPECT_EQ(report.problem, c.problem);
    EXPECT_TRUE(report.saves.empty());
    EXPECT_NE(ProblemText(report).find(c.cause), std::string::npos) << ProblemText(report);
  }
}

TEST(SaveReport, ReadSaveFileGivesTheRegionTheEditorReads) {
  TempDir dir;
  const CardImage card = ThreeSaveCard();
  const SaveFileContents contents = ReadSaveFile(Write(dir, "three.mcr", card.bytes()));
  ASSERT_TRUE(contents.report.ok());
  for (const SaveEntry& save : contents.report.saves) {
    EXPECT_EQ(contents.Region(save), card.RegionAt(save.block)) << SaveName(save);
  }
  // The same card in the .gme container: the same saves, each region after the header.
  const SaveFileContents gme = ReadSaveFile(Write(dir, "three.gme", savegen::GmeContainer(card.bytes())));
  ASSERT_TRUE(gme.report.ok()) << ProblemText(gme.report);
  EXPECT_EQ(gme.report.container->start, 3904u);
  ASSERT_EQ(gme.report.saves.size(), contents.report.saves.size());
  for (const SaveEntry& save : gme.report.saves) {
    EXPECT_EQ(save.regionOffset, 3904 + CardImage::RegionOffset(save.block));
    EXPECT_EQ(gme.Region(save), card.RegionAt(save.block)) << SaveName(save);
  }
}

// One flipped bit anywhere in a save's data region changes the sum by a power
// of two below 256, so it never goes unnoticed; only that save is reported.
TEST(SaveReport, FindsASingleFlippedBitAnywhereInAnySavesRegion) {
  TempDir dir;
  const Bytes sound = ThreeSaveCard().bytes();
  const auto path = dir / "flip.mcr";
  int checked = 0;
  for (const int block : {1, 8, 15}) {
    const std::uint64_t start = CardImage::RegionOffset(block);
    std::vector<std::uint64_t> positions = {0, 1, 2, 7806, 7807};
    for (std::uint64_t p = 3; p < 7806; p += 89) positions.push_back(p);
    for (std::size_t i = 0; i < positions.size(); ++i) {
      const int bit = static_cast<int>(i % 8);
      savegen::WriteWholeFile(path, Flipped(sound, start + positions[i], bit));
      const FileReport report = InspectFile(path);
      ASSERT_TRUE(report.ok());
      for (const SaveEntry& save : report.saves) {
        EXPECT_EQ(save.ChecksumMatches(), save.block != block)
            << "block " << block << " byte " << positions[i] << " bit " << bit << ", " << SaveName(save);
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 250);
}

TEST(SaveReport, FindsAFlippedBitInASingleSavesRegion) {
  TempDir dir;
  SingleSave single;
  single.GameSave('4', savegen::DemoRegion(505));
  const auto path = dir / "flip.ps";
  for (const std::uint64_t p : {0ull, 1ull, 4000ull, 7807ull}) {
    for (int bit = 0; bit < 8; ++bit) {
      savegen::WriteWholeFile(path, Flipped(single.bytes(), SingleSave::kRegionOffset + p, bit));
      const FileReport report = InspectFile(path);
      ASSERT_EQ(report.saves.size(), 1u);
      EXPECT_FALSE(report.saves[0].ChecksumMatches()) << "byte " << p << " bit " << bit;
    }
  }
}

}  // namespace
}  // namespace zovek
