// The general walk: party, possessions, protagonist, play time, roles and
// chips, in their order and with their store-only main party count.

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "EngineTestSupport.h"
#include "names/NameTables.h"
#include "savedata/WalkTables.h"
#include "savedata/Walks.h"
#include "savefile/ErrorNumbers.h"

namespace zovek {
namespace {

std::vector<Ref> ExpectedRefs(WalkMode mode) {
  std::vector<Ref> refs;
  if (mode == kStore) refs.push_back({32, 1, 1});
  refs.push_back({33, 1, 1});
  for (int index = 36; index <= 43; ++index) refs.push_back({index, 1, index - 36});
  for (int index = 180; index <= 307; ++index) {
    refs.push_back({index, 1, index % 2 == 0 ? (index - 178) / 2 : (index - 179) / 2});
  }
  refs.push_back({964, mode == kStore ? 4 : 3, 1});
  for (int index = 976; index <= 979; ++index) refs.push_back({index, 1, index - 976});
  refs.push_back({1005, 3, 2});
  return refs;
}

std::vector<Ref> ActualRefs(WalkMode mode) {
  return RefsOf(GeneralFieldRefs(mode));
}

class GeneralWalk : public ::testing::Test, public EngineFixture {
 protected:
  void FillPattern() {
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<std::uint8_t>((i * 53 + 5) % 256);
  }
};

TEST_F(GeneralWalk, HandsOver143FieldsWhenLoadingAnd144WhenStoring) {
  EXPECT_EQ(ActualRefs(kLoad).size(), 143u);
  EXPECT_EQ(ActualRefs(kStore).size(), 144u);
  EXPECT_EQ(ActualRefs(kLoad), ExpectedRefs(kLoad));
  EXPECT_EQ(ActualRefs(kStore), ExpectedRefs(kStore));
}

TEST_F(GeneralWalk, LoadSetsTheViewInWalkOrder) {
  FillPattern();
  view.recording = true;
  GeneralFieldWalk(ctx, kLoad);

  auto text = [](std::uint32_t v) { return v == 255 ? std::string("-") : std::to_string(v); };
  std::vector<std::string> expected{"SetValueText(1," + std::to_string(At(33)) + ")"};
  for (int i = 0; i < 8; ++i) {
    expected.push_back("SetPartyText(" + std::to_string(i) + "," + text(At(36 + i)) + ")");
    expected.push_back("SetPartyLabel(" + std::to_string(i) + "," + PartyLabel(At(36 + i)) + ")");
  }
  for (int r = 1; r <= 64; ++r) {
    const int code = At(178 + 2 * r);
    expected.push_back("SetCellText(2," + std::to_string(r) + ",1," + std::to_string(code) + ")");
    expected.push_back("SetCellText(2," + std::to_string(r) + ",3," + ItemName(code) + ")");
    expected.push_back("SetCellText(2," + std::to_string(r) + ",2," + text(At(179 + 2 * r)) + ")");
  }
  std::uint32_t time = Get(964, 3) + (At(967) != 0 ? 16777216u : 0u);
  expected.push_back("SetValueText(3," + std::to_string(time / 216000) + ")");
  expected.push_back("SetValueText(4," + std::to_string(time / 3600 % 60) + ")");
  int firstRole = -1;
  for (int e = 0; e < 28; ++e) {
    const RoleBit rb = RoleFlag(e);
    const bool on = ((At(rb.byteIndex) >> rb.bit) & 1) != 0;
    if (on && firstRole < 0) firstRole = e;
    expected.push_back("SetRoleChecked(" + std::to_string(e) + "," + (on ? "1" : "0") + ")");
  }
  expected.push_back("SetRoleCurrent(" + std::to_string(std::max(firstRole, 0)) + ")");
  expected.push_back("RedrawRoles()");
  expected.push_back("SetValueText(2," + std::to_string(std::min<std::uint32_t>(Get(1005, 3), 999999)) + ")");

  std::vector<std::string> sets;
  for (const auto& c : view.calls) {
    if (c.rfind("Set", 0) == 0 || c == "RedrawRoles()") sets.push_back(c);
  }
  EXPECT_EQ(sets, expected);
}

TEST_F(GeneralWalk, StoreReadsTheViewInWalkOrder) {
  view.recording = true;
  GeneralFieldWalk(ctx, kStore);
  std::vector<std::string> expected;
  for (int i = 0; i < 4; ++i) expected.push_back("PartyText(" + std::to_string(i) + ")");  // the count at 32
  expected.push_back("ValueText(1)");
  for (int i = 0; i < 8; ++i) expected.push_back("PartyText(" + std::to_string(i) + ")");
  for (int r = 1; r <= 64; ++r) {
    expected.push_back("CellText(2," + std::to_string(r) + ",1)");
    expected.push_back("CellText(2," + std::to_string(r) + ",2)");
  }
  expected.push_back("ValueText(3)");
  expected.push_back("ValueText(4)");
  for (int e = 0; e < 28; ++e) expected.push_back("RoleChecked(" + std::to_string(e) + ")");
  expected.push_back("ValueText(2)");
  EXPECT_EQ(view.calls, expected);
}

TEST_F(GeneralWalk, PartyBoxesStoreSlotsAndTheMainCount) {
  FillPattern();
  GeneralFieldWalk(ctx, kLoad);
  view.party = {"3", "-", "-", "-", "-", "-", "-", "-"};
  GeneralFieldWalk(ctx, kStore);
  EXPECT_EQ(At(32), 1);
  EXPECT_EQ(At(36), 3);
  for (int i = 37; i <= 43; ++i) EXPECT_EQ(At(i), 255) << i;

  view.party = {"-", "12", "-", "30", "0", "26", "-", "1"};
  GeneralFieldWalk(ctx, kStore);
  EXPECT_EQ(At(32), 2);
  const int slots[] = {255, 12, 255, 30, 0, 26, 255, 1};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(At(36 + i), slots[i]) << i;
}

TEST_F(GeneralWalk, PossessionsStoreCodesAndCounts) {
  for (int r = 1; r <= 64; ++r) {
    view.cells[{2, r, 1}] = std::to_string(r + 100);
    view.cells[{2, r, 2}] = r % 3 == 0 ? "-" : std::to_string(r);
  }
  GeneralFieldWalk(ctx, kStore);
  for (int r = 1; r <= 64; ++r) {
    EXPECT_EQ(At(178 + 2 * r), r + 100) << r;
    EXPECT_EQ(At(179 + 2 * r), r % 3 == 0 ? 255 : r) << r;
  }
}

TEST_F(GeneralWalk, HeaderValuesRoundTrip) {
  Put(33, 1, 21);
  Put(964, 4, 223410);
  Put(1005, 3, 1000000);
  GeneralFieldWalk(ctx, kLoad);
  EXPECT_EQ(view.values[1], "21");
  EXPECT_EQ(view.values[3], "1");
  EXPECT_EQ(view.values[4], "2");
  EXPECT_EQ(view.values[2], "999999");
  GeneralFieldWalk(ctx, kStore);
  EXPECT_EQ(At(33), 21);
  EXPECT_EQ(Get(964, 4), 223200u);
  EXPECT_EQ(Get(1005, 3), 999999u);
}

TEST_F(GeneralWalk, StoreTouchesNoByteOutsideItsFields) {
  buffer.fill(0x96);
  GeneralFieldWalk(ctx, kLoad);
  view.Reset();
  GeneralFieldWalk(ctx, kStore);
  std::vector<bool> handed(buffer.size(), false);
  for (const FieldRef& f : GeneralFieldRefs(kStore)) {
    for (int i = 0; i < f.width; ++i) handed[static_cast<std::size_t>(f.offset + i)] = true;
  }
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    if (!handed[i]) {
      EXPECT_EQ(buffer[i], 0x96) << i;
    }
  }
  EXPECT_EQ(At(978) & 0x03, 0x96 & 0x03);  // bits of the role bytes that are not shown
  EXPECT_EQ(At(979) & 0x12, 0x96 & 0x12);
}

TEST_F(GeneralWalk, AStoreErrorStopsTheWalkAtThatField) {
  buffer.fill(0x22);
  view.cells[{2, 1, 1}] = "7";
  view.cells[{2, 2, 1}] = "300";  // does not fit its byte
  view.values[3] = "5";
  EXPECT_THROW(GeneralFieldWalk(ctx, kStore), StoreError);
  EXPECT_EQ(At(180), 7);
  EXPECT_EQ(At(182), 0x22);
  EXPECT_EQ(At(183), 0x22);
  EXPECT_EQ(Get(964, 4), 0x22222222u);
}

// Load and store are the only modes: no number can be passed as a third one.
static_assert(!std::is_convertible_v<int, WalkMode>);

}  // namespace
}  // namespace zovek
