#include <gtest/gtest.h>

#include <array>
#include <span>

#include "savefile/SaveSlots.h"
#include "savegen/SaveImages.h"

namespace zovek {
namespace {

using savegen::CardImage;
using savegen::DigitForSave;
using savegen::SingleSave;

std::span<const std::uint8_t> Directory(const CardImage& card) {
  return std::span(card.bytes()).first(kCardDirectoryBytes);
}

std::span<const std::uint8_t> Header(const SingleSave& single) {
  return std::span(single.bytes()).first(kSingleHeaderBytes);
}

std::array<std::uint8_t, kFrameSize> FrameWith(std::string_view code, std::uint8_t digit) {
  std::array<std::uint8_t, kFrameSize> frame{};
  savegen::PutFrame(frame, code, digit);
  return frame;
}

// The save numbers the game writes, by character range rather than formula.
int ExpectedSaveNumber(int c) {
  if (c >= '0' && c <= '9') return c - '0' + 1;
  if (c >= ':' && c <= '>') return c - ':' + 11;
  if (c >= 'A' && c <= 'E') return c - 'A' + 11;
  return 0;
}

TEST(SaveDigit, EveryByteValueDecodesToTheGamesSaveNumberOrNone) {
  for (int c = 0; c < 256; ++c) {
    const auto frame = FrameWith("ZOVEK", static_cast<std::uint8_t>(c));
    EXPECT_EQ(FrameSaveNumber(frame), ExpectedSaveNumber(c)) << "digit byte " << c;
  }
  // The raw decoding outside 1..15, for the refused characters named by the format.
  EXPECT_EQ(DecodeSaveDigit('/'), 0);
  EXPECT_EQ(DecodeSaveDigit('?'), 16);
  EXPECT_EQ(DecodeSaveDigit('@'), 17);
  EXPECT_EQ(DecodeSaveDigit('F'), 16);
  EXPECT_EQ(DecodeSaveDigit('a'), 43);
  EXPECT_EQ(DecodeSaveDigit(':'), 11);
  EXPECT_EQ(DecodeSaveDigit('E'), 15);
}

TEST(GameCode, EveryCodeByteMustMatchOnItsOwn) {
  EXPECT_TRUE(FrameCarriesGameCode(FrameWith("ZOVEK", '0')));
  for (std::size_t i = 0; i < 5; ++i) {
    auto frame = FrameWith("ZOVEK", '0');
    frame[23 + i] ^= 0x20;  // same letter, other case
    EXPECT_FALSE(FrameCarriesGameCode(frame)) << "byte " << 23 + i;
    EXPECT_EQ(FrameSaveNumber(frame), 0);
  }
  std::array<std::uint8_t, kFrameSize> shifted{};
  savegen::PutFrame(std::span(shifted).subspan(1), "ZOVEK", '0');  // code at 24..28
  EXPECT_FALSE(FrameCarriesGameCode(shifted));
  EXPECT_FALSE(FrameCarriesGameCode(FrameWith("ZOVEL", '0')));
}

TEST(GameCode, OtherBytesOfTheFrameDoNotMatter) {
  CardImage card(77);  // noise everywhere but byte 23 of each frame
  card.Frame(4, "ZOVEK", '6');
  const ScanResult scan = ScanCardDirectory(Directory(card), 0);
  ASSERT_TRUE(scan.found);
  EXPECT_EQ(scan.slots[7], 4);
}

TEST(CardScan, EachFrameOneToFifteenMapsToItsBlock) {
  for (int n = 1; n <= 15; ++n) {
    CardImage card;
    card.Frame(n, "ZOVEK", DigitForSave(16 - n));
    const ScanResult scan = ScanCardDirectory(Directory(card), 0);
    SlotTable expected;
    expected[16 - n] = static_cast<std::int16_t>(n);
    EXPECT_TRUE(scan.found);
    EXPECT_EQ(scan.slots, expected) << "frame " << n;
  }
}

TEST(CardScan, FrameZeroIsNeverExaminedAndFrameFifteenIs) {
  CardImage onlyFrameZero;
  onlyFrameZero.Frame(0, "ZOVEK", '0');
  EXPECT_FALSE(ScanCardDirectory(Directory(onlyFrameZero), 0).found);

  CardImage lastFrame;
  lastFrame.Frame(15, "ZOVEK", '4');
  ASSERT_EQ(lastFrame.bytes()[1949], '4');
  EXPECT_EQ(ScanCardDirectory(Directory(lastFrame), 0).slots[5], 15);
}

TEST(CardScan, LaterFrameWinsForTheSameSaveNumber) {
  CardImage card;
  card.Frame(7, "ZOVEK", '3').Frame(2, "ZOVEK", '3').Frame(4, "ZOVEK", '0');
  const ScanResult scan = ScanCardDirectory(Directory(card), 0);
  SlotTable expected;
  expected[4] = 7;
  expected[1] = 4;
  EXPECT_EQ(scan.slots, expected);
}

TEST(CardScan, OtherGamesAndRefusedDigitsAreNoSaves) {
  CardImage card;
  card.Frame(1, "QUILB", '0').Frame(2, "ZOVEK", 'F').Frame(3, "ZOVEK", '@').Frame(5, "ZOVEK", '/')
      .Frame(6, "ZOVEK", 'a');
  const ScanResult scan = ScanCardDirectory(Directory(card), 7);
  EXPECT_FALSE(scan.found);
  EXPECT_EQ(scan.slots, SlotTable{});
  EXPECT_EQ(scan.selectedSave, 7) << "SelectedSave keeps its value when nothing is found";
  EXPECT_EQ(scan.menu, SaveMenuState{}) << "all items unchecked and disabled";
}

TEST(CardScan, LowestPresentSaveIsChosenWhenNoneIsSelected) {
  CardImage card;
  card.Frame(12, "ZOVEK", '8').Frame(3, "ZOVEK", '2');  // saves 9 and 3
  const ScanResult scan = ScanCardDirectory(Directory(card), 0);
  ASSERT_TRUE(scan.found);
  EXPECT_EQ(scan.selectedSave, 3);
  SaveMenuState expected;
  expected.enabled[2] = expected.enabled[8] = true;
  expected.checked[2] = true;
  EXPECT_EQ(scan.menu, expected);
}

TEST(CardScan, SecondScanKeepsTheSelectedSaveOnlyWhenPresent) {
  CardImage withNine;
  withNine.Frame(1, "ZOVEK", '8').Frame(2, "ZOVEK", '0');
  const ScanResult kept = ScanCardDirectory(Directory(withNine), 9);
  EXPECT_EQ(kept.selectedSave, 9);
  EXPECT_TRUE(kept.menu.checked[8]);
  EXPECT_FALSE(kept.menu.checked[0]);

  CardImage withoutNine;
  withoutNine.Frame(8, "ZOVEK", 'B').Frame(9, "ZOVEK", '4');  // saves 12 and 5
  const ScanResult moved = ScanCardDirectory(Directory(withoutNine), 9);
  EXPECT_EQ(moved.selectedSave, 5);
  SaveMenuState expected;
  expected.enabled[4] = expected.enabled[11] = true;
  expected.checked[4] = true;
  EXPECT_EQ(moved.menu, expected);

  // A value that is no save number at all is treated like none selected.
  EXPECT_EQ(ScanCardDirectory(Directory(withoutNine), 20).selectedSave, 5);
  EXPECT_EQ(ScanCardDirectory(Directory(withoutNine), -1).selectedSave, 5);
}

TEST(SingleScan, FindsItsOwnSaveAndKeepsTheSelectedSave) {
  SingleSave single;
  single.Frame("ZOVEK", 'C');
  const ScanResult scan = ScanSingleHeader(Header(single), 4);
  ASSERT_TRUE(scan.found);
  SlotTable slots;
  slots[13] = 1;
  EXPECT_EQ(scan.slots, slots);
  SaveMenuState menu;
  menu.enabled[12] = menu.checked[12] = true;
  EXPECT_EQ(scan.menu, menu);
  EXPECT_EQ(scan.selectedSave, 4);
}

TEST(SingleScan, RefusedDigitOrOtherGameFindsNothing) {
  SingleSave badDigit;
  badDigit.Frame("ZOVEK", 'F');
  const ScanResult scan = ScanSingleHeader(Header(badDigit), 2);
  EXPECT_FALSE(scan.found);
  EXPECT_EQ(scan.slots, SlotTable{});
  EXPECT_EQ(scan.menu, SaveMenuState{});
  EXPECT_EQ(scan.selectedSave, 2);

  SingleSave otherGame;
  otherGame.Frame("QUILB", '0');
  EXPECT_FALSE(ScanSingleHeader(Header(otherGame), 0).found);
}

TEST(DataRegionOffset, CardBlockOrSingleFilePosition) {
  SlotTable slots;
  slots[2] = 5;
  slots[15] = 15;
  EXPECT_EQ(DataRegionOffset(kCardImage, slots, 2), 41344u);
  EXPECT_EQ(DataRegionOffset(kCardImage, slots, 15), 123264u);
  EXPECT_EQ(DataRegionOffset(kSingleSave, slots, 9), 512u);
  EXPECT_EQ(DataRegionOffset(kCardImage, slots, 2, 3904), 3904u + 41344u) << "after the .gme header";
  EXPECT_GE(DataRegionOffset(kCardImage, slots, 3, 3904), 3904u + 131072u);
  // No save to point at: past the end of any file, never into the directory block.
  EXPECT_GE(DataRegionOffset(kCardImage, slots, 3), kCardImageSize);
  EXPECT_GE(DataRegionOffset(kCardImage, slots, 0), kCardImageSize);
  EXPECT_GE(DataRegionOffset(kNoFile, slots, 2), kCardImageSize);
}

}  // namespace
}  // namespace zovek
