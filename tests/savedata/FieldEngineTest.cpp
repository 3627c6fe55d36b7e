// The field engine: byte codec, field classes, and the load and store rules
// of every class, including the refusals that must leave the field untouched.

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "EngineTestSupport.h"
#include "names/NameTables.h"
#include "savefile/ErrorNumbers.h"

namespace zovek {
namespace {

// The error number of the StoreError that `f` throws, 0 when it throws none.
int StoreErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const StoreError& e) {
    return e.number();
  }
  return 0;
}

class FieldEngine : public ::testing::Test, public EngineFixture {};

// ---- byte codec ----

TEST_F(FieldEngine, ReadNumberIsLittleEndianOverTheGivenWidth) {
  Put(1005, 4, 0x0A0B0C0D);
  EXPECT_EQ(ReadNumber(buffer, 1005, 1), 0x0D);
  EXPECT_EQ(ReadNumber(buffer, 1005, 2), 0x0C0D);
  EXPECT_EQ(ReadNumber(buffer, 1005, 3), 0x0B0C0D);
  EXPECT_EQ(ReadNumber(buffer, 1005, 4), 0x0A0B0C0D);
  Put(964, 4, 0xFFFFFFFF);
  EXPECT_EQ(ReadNumber(buffer, 964, 4), 4294967295);
}

TEST_F(FieldEngine, WriteNumberStoresEveryValueThatFitsItsWidth) {
  const std::pair<int, std::int64_t> largest[] = {{1, 255}, {2, 65535}, {3, 16777215}, {4, 4294967295}};
  for (const auto& [width, v] : largest) {
    buffer.fill(0xAA);
    WriteNumber(buffer, 2000, width, v);
    EXPECT_EQ(ReadNumber(buffer, 2000, width), v);
    EXPECT_EQ(At(2000 + width), 0xAA) << "byte after a field of width " << width;
    EXPECT_EQ(At(1999), 0xAA);
    WriteNumber(buffer, 2000, width, 0);
    EXPECT_EQ(ReadNumber(buffer, 2000, width), 0);
  }
  WriteNumber(buffer, 2000, 3, 0x123456);
  EXPECT_EQ(At(2000), 0x56);
  EXPECT_EQ(At(2001), 0x34);
  EXPECT_EQ(At(2002), 0x12);
}

TEST_F(FieldEngine, WriteNumberRefusesValuesOutsideTheWidthBeforeWritingAnyByte) {
  const std::pair<int, std::int64_t> tooLarge[] = {{1, 256}, {2, 65536}, {3, 16777216}, {4, 4294967296}};
  for (const auto& [w, value] : tooLarge) {
    const int width = w;  // structured bindings cannot be captured by every compiler we build with
    const std::int64_t v = value;
    buffer.fill(0x5A);
    const SaveBuffer before = buffer;
    EXPECT_EQ(StoreErrorOf([&] { WriteNumber(buffer, 3000, width, v); }), kErrValueDoesNotFit) << width;
    EXPECT_EQ(StoreErrorOf([&] { WriteNumber(buffer, 3000, width, -1); }), kErrValueDoesNotFit) << width;
    EXPECT_EQ(buffer, before);
  }
}

TEST_F(FieldEngine, TheCodecNeverReachesOutsideTheDataRegion) {
  EXPECT_THROW(ReadNumber(buffer, -1, 1), std::out_of_range);
  EXPECT_THROW(ReadNumber(buffer, 7806, 3), std::out_of_range);
  EXPECT_THROW(WriteNumber(buffer, 7807, 2, 0), std::out_of_range);
  EXPECT_THROW(WriteNumber(buffer, 0, 5, 0), std::out_of_range);
  EXPECT_NO_THROW(WriteNumber(buffer, 7807, 1, 1));
  EXPECT_EQ(ReadNumber(buffer, 7807, 1), 1);
}

// ---- classes ----

TEST(FieldClassification, AbsoluteOffsetsAndTheirNeighbours) {
  const std::pair<int, FieldClass> expected[] = {
      {31, FieldClass::None},           {32, FieldClass::MainPartyCount}, {33, FieldClass::HeaderNumber},
      {34, FieldClass::None},           {35, FieldClass::None},           {36, FieldClass::PartyMember},
      {43, FieldClass::PartyMember},    {44, FieldClass::None},           {179, FieldClass::None},
      {180, FieldClass::ItemCode},      {181, FieldClass::ItemCount},     {306, FieldClass::ItemCode},
      {307, FieldClass::ItemCount},     {308, FieldClass::None},          {411, FieldClass::None},
      {412, FieldClass::JoinedFlag},    {413, FieldClass::None},          {414, FieldClass::None},
      {515, FieldClass::None},          {516, FieldClass::ScenarioState}, {582, FieldClass::ScenarioState},
      {583, FieldClass::None},          {963, FieldClass::None},          {964, FieldClass::PlayTime},
      {965, FieldClass::None},          {975, FieldClass::None},          {976, FieldClass::RoleBits},
      {979, FieldClass::RoleBits},      {980, FieldClass::None},          {1004, FieldClass::None},
      {1005, FieldClass::HeaderNumber}, {1006, FieldClass::None},         {85, FieldClass::None},
  };
  for (const auto& [offset, cls] : expected) {
    EXPECT_EQ(ClassifyField(offset, 0), cls) << offset;
    EXPECT_EQ(ClassifyField(offset, 2912), cls) << offset;
  }
}

TEST(FieldClassification, RecordOffsetsFollowTheSelectedCharacter) {
  const std::pair<int, FieldClass> expected[] = {
      {0, FieldClass::CharacterNumber}, {1, FieldClass::None},           {3, FieldClass::None},
      {4, FieldClass::CharacterNumber}, {17, FieldClass::CharacterNumber}, {18, FieldClass::None},
      {20, FieldClass::None},           {21, FieldClass::SkillLevel},    {33, FieldClass::SkillLevel},
      {34, FieldClass::None},           {51, FieldClass::None},          {52, FieldClass::EquipCode},
      {53, FieldClass::EquipCount},     {62, FieldClass::EquipCode},     {63, FieldClass::EquipCount},
      {64, FieldClass::MartialFlag},    {65, FieldClass::None},          {85, FieldClass::None},
      {86, FieldClass::CharacterNumber}, {87, FieldClass::None},         {111, FieldClass::None},
  };
  for (int k : {0, 5, 26}) {
    for (const auto& [r, cls] : expected) {
      EXPECT_EQ(ClassifyField(4600 + 112 * k + r, 112 * k), cls) << "character " << k << " r " << r;
    }
  }
  // The same index is a different field, or none, for another character.
  EXPECT_EQ(ClassifyField(4600 + 112 + 64, 112), FieldClass::MartialFlag);
  EXPECT_EQ(ClassifyField(4600 + 112 + 64, 0), FieldClass::None);
  EXPECT_EQ(ClassifyField(4600, 112), FieldClass::None);
}

TEST_F(FieldEngine, UnclassifiedOffsetsAreIgnoredByBothOperations) {
  buffer.fill(0x33);
  const SaveBuffer before = buffer;
  view.recording = true;
  for (int offset : {0, 1, 34, 85, 413, 965, 1006, 4603, 4690}) {
    Load(offset, 1, 1);
    Store(offset, 1, 1);
  }
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(buffer, before);
}

// ---- header values ----

TEST_F(FieldEngine, ProtagonistCodeIsAPlainByte) {
  Put(33, 1, 7);
  Load(33, 1, 1);
  EXPECT_EQ(view.values[1], "7");
  view.values[1] = "255";
  Store(33, 1, 1);
  EXPECT_EQ(At(33), 255);
  view.values[1] = "256";
  EXPECT_EQ(StoreErrorOf([&] { Store(33, 1, 1); }), kErrValueDoesNotFit);
  EXPECT_EQ(At(33), 255);
}

TEST_F(FieldEngine, ChipsAboveTheShownMaximumLoadAs999999) {
  for (std::uint32_t chips : {1000000u, 16777215u}) {
    Put(1005, 3, chips);
    Load(1005, 3, 2);
    EXPECT_EQ(view.values[2], "999999");
    Store(1005, 3, 2);
    EXPECT_EQ(Get(1005, 3), 999999u);
  }
  Put(1005, 3, 999999);
  Load(1005, 3, 2);
  EXPECT_EQ(view.values[2], "999999");
  Put(1005, 3, 123456);
  Load(1005, 3, 2);
  EXPECT_EQ(view.values[2], "123456");
}

TEST_F(FieldEngine, ValueBoxFractionsAreMadeWholeOnStore) {
  view.values[2] = "2.5";
  Store(1005, 3, 2);
  EXPECT_EQ(Get(1005, 3), 2u);
  view.values[2] = "3.5";
  Store(1005, 3, 2);
  EXPECT_EQ(Get(1005, 3), 4u);
}

TEST_F(FieldEngine, HeaderBoxesDoNotAcceptTheDashPlaceholder) {
  Put(1005, 3, 0x010203);
  view.values[2] = "-";
  EXPECT_EQ(StoreErrorOf([&] { Store(1005, 3, 2); }), kErrTextNotANumber);
  view.values[2] = "";
  EXPECT_EQ(StoreErrorOf([&] { Store(1005, 3, 2); }), kErrTextNotANumber);
  view.values[2] = "-5";
  EXPECT_EQ(StoreErrorOf([&] { Store(1005, 3, 2); }), kErrValueDoesNotFit);
  EXPECT_EQ(Get(1005, 3), 0x010203u);
}

// ---- party ----

TEST_F(FieldEngine, EmptyPartySlotShowsDashAndTheEmptyLabel) {
  Put(36, 1, 255);
  Put(41, 1, 12);
  Load(36, 1, 0);
  Load(41, 1, 5);
  EXPECT_EQ(view.party[0], "-");
  EXPECT_EQ(view.partyLabels[0], PartyLabel(255));
  EXPECT_EQ(view.party[5], "12");
  EXPECT_EQ(view.partyLabels[5], PartyLabel(12));

  view.party[0] = "3";
  view.party[5] = "-";
  Store(36, 1, 0);
  Store(41, 1, 5);
  EXPECT_EQ(At(36), 3);
  EXPECT_EQ(At(41), 255);
}

TEST_F(FieldEngine, PartyLabelReceivesEveryCodeUnchanged) {
  for (int code : {0, 26, 27, 28, 254, 255}) {
    Put(40, 1, static_cast<std::uint32_t>(code));
    Load(40, 1, 4);
    EXPECT_EQ(view.partyLabels[4], PartyLabel(code)) << code;
  }
}

TEST_F(FieldEngine, MainPartyCountCountsFilledBoxesWithoutCompacting) {
  view.party = {"-", "12", "-", "30", "1", "2", "3", "4"};
  Store(32, 1, 1);
  EXPECT_EQ(At(32), 2);
  view.party = {"3", "-", "-", "-", "-", "-", "-", "-"};
  Store(32, 1, 1);
  EXPECT_EQ(At(32), 1);
  view.party.fill("-");
  Store(32, 1, 1);
  EXPECT_EQ(At(32), 0);
  view.party = {"0", "1", "2", "3", "-", "-", "-", "-"};
  Store(32, 1, 1);
  EXPECT_EQ(At(32), 4);
}

TEST_F(FieldEngine, MainPartyCountIsNeverLoaded) {
  Put(32, 1, 3);
  view.recording = true;
  Load(32, 1, 1);
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(FieldEngine, MainPartyCountRefusesABoxThatHoldsNoNumber) {
  Put(32, 1, 9);
  view.party = {"1", "x", "-", "-", "-", "-", "-", "-"};
  EXPECT_EQ(StoreErrorOf([&] { Store(32, 1, 1); }), kErrTextNotANumber);
  EXPECT_EQ(At(32), 9);
}

TEST_F(FieldEngine, PartySlotRefusesTextsThatAreNotCodes) {
  Put(37, 1, 8);
  for (const char* text : {"", "abc", "--"}) {
    view.party[1] = text;
    EXPECT_EQ(StoreErrorOf([&] { Store(37, 1, 1); }), kErrTextNotANumber) << text;
  }
  view.party[1] = "256";
  EXPECT_EQ(StoreErrorOf([&] { Store(37, 1, 1); }), kErrValueDoesNotFit);
  EXPECT_EQ(At(37), 8);
}

// ---- items and equipment ----

TEST_F(FieldEngine, PossessionSlotShowsCodeCountAndName) {
  Put(180, 1, 87);
  Put(181, 1, 255);
  Put(306, 1, 0);
  Put(307, 1, 99);
  Load(180, 1, 1);
  Load(181, 1, 1);
  Load(306, 1, 64);
  Load(307, 1, 64);
  EXPECT_EQ(view.Cell(2, 1, 1), "87");
  EXPECT_EQ(view.Cell(2, 1, 2), "-");
  EXPECT_EQ(view.Cell(2, 1, 3), ItemName(87));
  EXPECT_EQ(view.Cell(2, 64, 1), "0");
  EXPECT_EQ(view.Cell(2, 64, 2), "99");
  EXPECT_EQ(view.Cell(2, 64, 3), ItemName(0));
}

TEST_F(FieldEngine, PossessionCountAcceptsDashButTheCodeDoesNot) {
  view.cells[{2, 3, 1}] = "200";
  view.cells[{2, 3, 2}] = "-";
  Store(184, 1, 3);
  Store(185, 1, 3);
  EXPECT_EQ(At(184), 200);
  EXPECT_EQ(At(185), 255);
  view.cells[{2, 3, 1}] = "-";
  EXPECT_EQ(StoreErrorOf([&] { Store(184, 1, 3); }), kErrTextNotANumber);
  EXPECT_EQ(At(184), 200);
}

TEST_F(FieldEngine, EquipmentRowsUseTheEquipmentGrid) {
  SelectCharacter(4);
  const int pair6 = RecordStart() + 62;
  Put(pair6, 1, 118);
  Put(pair6 + 1, 1, 255);
  Load(pair6, 1, 6);
  Load(pair6 + 1, 1, 6);
  EXPECT_EQ(view.Cell(1, 6, 1), "118");
  EXPECT_EQ(view.Cell(1, 6, 2), "-");
  EXPECT_EQ(view.Cell(1, 6, 3), ItemName(118));
  EXPECT_EQ(view.Cell(2, 6, 1), "0") << "the possession grid is not touched";

  view.cells[{1, 6, 1}] = "5";
  view.cells[{1, 6, 2}] = "254";
  Store(pair6, 1, 6);
  Store(pair6 + 1, 1, 6);
  EXPECT_EQ(At(pair6), 5);
  EXPECT_EQ(At(pair6 + 1), 254);
}

// ---- joined flag ----

TEST_F(FieldEngine, JoinedBitOfEachNamedCharacter) {
  for (int k = 0; k < 24; ++k) {
    const int byteIndex = 412 + k / 8;
    const int bit = 7 - k % 8;
    buffer.fill(0);
    buffer[static_cast<std::size_t>(byteIndex)] = static_cast<std::uint8_t>(1 << bit);
    for (int other = 0; other < 24; ++other) {
      SelectCharacter(other);
      Load(412, 1, 2);
      EXPECT_EQ(view.Cell(0, 2, 1), other == k ? "1" : "0") << "bit of " << k << " seen by " << other;
    }
  }
}

TEST_F(FieldEngine, CharacterNineUsesBitSixOfByte413) {
  Put(413, 1, 64);
  SelectCharacter(9);
  Load(412, 1, 2);
  EXPECT_EQ(view.Cell(0, 2, 1), "1");
  view.cells[{0, 2, 1}] = "0";
  Store(412, 1, 2);
  EXPECT_EQ(At(413), 0);
}

TEST_F(FieldEngine, JoinedStoreChangesOnlyTheCharactersBit) {
  Put(412, 3, 0x5A5A5A);
  SelectCharacter(18);  // byte 414, bit 5
  view.cells[{0, 2, 1}] = "1";
  Store(412, 1, 2);
  EXPECT_EQ(Get(412, 3), 0x7A5A5Au);
  view.cells[{0, 2, 1}] = "0";
  Store(412, 1, 2);
  EXPECT_EQ(Get(412, 3), 0x5A5A5Au);
  view.cells[{0, 2, 1}] = "7";  // any number other than 0 means joined
  Store(412, 1, 2);
  EXPECT_EQ(Get(412, 3), 0x7A5A5Au);
  view.cells[{0, 2, 1}] = "yes";
  EXPECT_EQ(StoreErrorOf([&] { Store(412, 1, 2); }), kErrTextNotANumber);
  EXPECT_EQ(Get(412, 3), 0x7A5A5Au);
}

TEST_F(FieldEngine, SoldiersHaveNoJoinedBit) {
  Put(412, 3, 0xFFFFFF);
  for (int k = 24; k <= 26; ++k) {
    SelectCharacter(k);
    Load(412, 1, 2);
    EXPECT_EQ(view.Cell(0, 2, 1), "0");
    for (const char* text : {"0", "1", "junk"}) {
      view.cells[{0, 2, 1}] = text;
      Store(412, 1, 2);
      EXPECT_EQ(Get(412, 3), 0xFFFFFFu);
    }
  }
  Put(412, 3, 0);
  view.cells[{0, 2, 1}] = "1";
  Store(412, 1, 2);
  EXPECT_EQ(Get(412, 3), 0u);
}

// ---- scenario state ----

TEST_F(FieldEngine, ScenarioStatesShowTheirOptions) {
  const std::pair<int, int> shown[] = {{2, 1}, {3, 2}, {254, 3}, {0, 0}, {1, 0}, {4, 0}, {253, 0}, {255, 0}};
  for (const auto& [byte, option] : shown) {
    Put(579, 1, static_cast<std::uint32_t>(byte));
    view.scenarioOption = -1;
    Load(579, 1, 0);
    EXPECT_EQ(view.scenarioOption, option) << byte;
  }
}

TEST_F(FieldEngine, ScenarioOptionsStoreTheirStates) {
  const std::pair<int, int> stored[] = {{1, 2}, {2, 3}, {3, 254}};
  for (const auto& [option, byte] : stored) {
    Put(520, 1, 77);
    view.scenarioOption = option;
    Store(520, 1, 9);
    EXPECT_EQ(At(520), byte) << option;
  }
}

TEST_F(FieldEngine, HiddenOrNoOptionWritesThePresentByteBack) {
  for (int option : {0, -1}) {
    for (int present : {0, 1, 2, 3, 77, 254, 255}) {
      Put(582, 1, static_cast<std::uint32_t>(present));
      view.scenarioOption = option;
      Store(582, 1, 30);
      EXPECT_EQ(At(582), present) << "option " << option;
    }
  }
}

// ---- play time ----

TEST_F(FieldEngine, PlayTimeShowsWholeHoursAndMinutes) {
  Put(964, 4, 223410);  // 1 h 2 min 3.5 s
  Load(964, 3, 1);
  EXPECT_EQ(view.values[3], "1");
  EXPECT_EQ(view.values[4], "2");
  Store(964, 4, 1);
  EXPECT_EQ(Get(964, 4), 223200u);
}

TEST_F(FieldEngine, AnyNonZeroFourthPlayTimeByteCountsAs2To24) {
  for (std::uint32_t high : {1u, 7u, 255u}) {
    Put(964, 3, 0);
    Put(967, 1, high);
    Load(964, 3, 1);
    EXPECT_EQ(view.values[3], "77") << high;  // 16777216 sixtieths
    EXPECT_EQ(view.values[4], "40") << high;
  }
  Put(964, 4, 0xFFFFFFFF);  // 2^24 + 16777215 sixtieths: 155 h 20 min
  Load(964, 3, 1);
  EXPECT_EQ(view.values[3], "155");
  EXPECT_EQ(view.values[4], "20");
  Load(964, 4, 1);  // the fourth byte never counts twice
  EXPECT_EQ(view.values[3], "155");
}

TEST_F(FieldEngine, PlayTimeStoreWritesAllFourBytes) {
  Put(964, 4, 0xFFFFFFFF);
  view.values[3] = "99";
  view.values[4] = "59";
  Store(964, 4, 1);
  EXPECT_EQ(Get(964, 4), (99u * 60 + 59) * 3600);
  view.values[3] = "1000";
  view.values[4] = "0";
  Store(964, 4, 1);
  EXPECT_EQ(Get(964, 4), 1000u * 216000);
  EXPECT_NE(At(967), 0);
}

TEST_F(FieldEngine, PlayTimeRefusalsLeaveAllFourBytes) {
  Put(964, 4, 0x01020304);
  view.values[3] = "20000";  // 4 320 000 000 sixtieths do not fit
  view.values[4] = "0";
  EXPECT_EQ(StoreErrorOf([&] { Store(964, 4, 1); }), kErrValueDoesNotFit);
  view.values[3] = "-1";  // would cancel against the minutes into 30 minutes
  view.values[4] = "90";
  EXPECT_EQ(StoreErrorOf([&] { Store(964, 4, 1); }), kErrValueDoesNotFit);
  view.values[3] = "1";
  view.values[4] = "x";
  EXPECT_EQ(StoreErrorOf([&] { Store(964, 4, 1); }), kErrTextNotANumber);
  EXPECT_EQ(Get(964, 4), 0x01020304u);
}

// ---- character numbers ----

TEST_F(FieldEngine, CrAboveTheShownMaximumLoadsAs999999AndStoresItBack) {
  SelectCharacter(3);
  for (std::uint32_t cr : {1000000u, 16777215u}) {
    Put(RecordStart(), 3, cr);
    Load(RecordStart(), 3, 4);
    EXPECT_EQ(view.Cell(0, 4, 1), "999999");
    Store(RecordStart(), 3, 4);
    EXPECT_EQ(Get(RecordStart(), 3), 999999u);
  }
}

TEST_F(FieldEngine, OnlyCrIsClampedAmongTheCharacterNumbers) {
  SelectCharacter(1);
  Put(RecordStart() + 4, 2, 65535);
  Load(RecordStart() + 4, 2, 5);
  EXPECT_EQ(view.Cell(0, 5, 1), "65535");
  Put(RecordStart() + 86, 1, 255);
  Load(RecordStart() + 86, 1, 1);
  EXPECT_EQ(view.Cell(0, 1, 1), "255");
}

TEST_F(FieldEngine, ARefusedWideNumberLeavesEveryByteOfItsField) {
  SelectCharacter(2);
  Put(RecordStart(), 3, 0x0A0B0C);
  view.cells[{0, 4, 1}] = "16777216";
  EXPECT_EQ(StoreErrorOf([&] { Store(RecordStart(), 3, 4); }), kErrValueDoesNotFit);
  EXPECT_EQ(Get(RecordStart(), 3), 0x0A0B0Cu);
  EXPECT_EQ(At(RecordStart() + 3), 0);
}

// ---- skill levels ----

TEST_F(FieldEngine, SkillByteSplitsIntoLevelAndAptitude) {
  SelectCharacter(6);
  const int sword = RecordStart() + 22;  // row 14, chkSitu(1)
  Put(sword, 1, 200);
  Load(sword, 1, 14);
  EXPECT_EQ(view.Cell(0, 14, 1), "72");
  EXPECT_TRUE(view.aptitude[1]);
  view.aptitude[1] = false;
  Store(sword, 1, 14);
  EXPECT_EQ(At(sword), 72);
  view.aptitude[1] = true;
  Store(sword, 1, 14);
  EXPECT_EQ(At(sword), 200);

  const int beast = RecordStart() + 33;  // row 24, chkSitu(11)
  Put(beast, 1, 127);
  Load(beast, 1, 24);
  EXPECT_EQ(view.Cell(0, 24, 1), "127");
  EXPECT_FALSE(view.aptitude[11]);
}

TEST_F(FieldEngine, ALevelOf128OrMoreSetsTheAptitudeBitItself) {
  SelectCharacter(0);
  const int staff = RecordStart() + 24;  // row 16, chkSitu(3)
  view.cells[{0, 16, 1}] = "130";
  view.aptitude[3] = false;
  Store(staff, 1, 16);
  EXPECT_EQ(At(staff), 130);
  Load(staff, 1, 16);
  EXPECT_EQ(view.Cell(0, 16, 1), "2");
  EXPECT_TRUE(view.aptitude[3]);

  view.cells[{0, 16, 1}] = "255";
  view.aptitude[3] = true;
  Store(staff, 1, 16);
  EXPECT_EQ(At(staff), 255);
  view.cells[{0, 16, 1}] = "256";
  EXPECT_EQ(StoreErrorOf([&] { Store(staff, 1, 16); }), kErrValueDoesNotFit);
  view.cells[{0, 16, 1}] = "-1";
  EXPECT_EQ(StoreErrorOf([&] { Store(staff, 1, 16); }), kErrValueDoesNotFit);
  EXPECT_EQ(At(staff), 255);
}

// ---- martial-arts flag ----

TEST_F(FieldEngine, MartialFlagOnFillsAnEmptyByteAndRaisesTheNextOne) {
  SelectCharacter(7);
  const int flag = RecordStart() + 64;
  view.cells[{0, 3, 1}] = "1";

  Put(flag, 2, 0x0000);
  Store(flag, 1, 3);
  EXPECT_EQ(At(flag), 79);
  EXPECT_EQ(At(flag + 1), 255);

  Put(flag, 2, 0x0022);  // 34, 0
  Store(flag, 1, 3);
  EXPECT_EQ(At(flag), 34);
  EXPECT_EQ(At(flag + 1), 255);

  Put(flag, 2, 0x0722);  // 34, 7: the next byte is only raised from 0
  Store(flag, 1, 3);
  EXPECT_EQ(At(flag), 34);
  EXPECT_EQ(At(flag + 1), 7);
}

TEST_F(FieldEngine, MartialFlagOffClearsOnlyTheFlagByte) {
  SelectCharacter(7);
  const int flag = RecordStart() + 64;
  for (std::uint32_t next : {0u, 7u, 255u}) {
    Put(flag, 1, 34);
    Put(flag + 1, 1, next);
    view.cells[{0, 3, 1}] = "0";
    Store(flag, 1, 3);
    EXPECT_EQ(At(flag), 0);
    EXPECT_EQ(At(flag + 1), next);
  }
}

TEST_F(FieldEngine, MartialFlagLoadsAnyNonZeroByteAsOn) {
  SelectCharacter(26);
  const int flag = RecordStart() + 64;
  for (std::uint32_t byte : {0u, 1u, 79u, 255u}) {
    Put(flag, 1, byte);
    Load(flag, 1, 3);
    EXPECT_EQ(view.Cell(0, 3, 1), byte == 0 ? "0" : "1");
  }
}

TEST_F(FieldEngine, MartialFlagRefusalWritesNeitherByte) {
  SelectCharacter(7);
  const int flag = RecordStart() + 64;
  Put(flag, 2, 0);
  view.cells[{0, 3, 1}] = "on";
  EXPECT_EQ(StoreErrorOf([&] { Store(flag, 1, 3); }), kErrTextNotANumber);
  EXPECT_EQ(Get(flag, 2), 0u);
}

TEST_F(FieldEngine, StoreErrorsCarryTheirNumberAndAMessage) {
  view.values[1] = "abc";
  try {
    Store(33, 1, 1);
    FAIL() << "no error";
  } catch (const StoreError& e) {
    EXPECT_EQ(e.number(), kErrTextNotANumber);
    EXPECT_NE(std::string(e.what()).find("abc"), std::string::npos);
  }
}

}  // namespace
}  // namespace zovek
