// Roles: the 28 lstRoll entries as bits of bytes 976..979, with the four bits
// that are not shown carried through every store.

#include <gtest/gtest.h>

#include <vector>

#include "EngineTestSupport.h"
#include "savedata/Walks.h"

namespace zovek {
namespace {

struct EntryBit {
  int entry, byteIndex, bit;
};

class Roles : public ::testing::Test, public EngineFixture {
 protected:
  void LoadGroups() {
    for (int g = 0; g < 4; ++g) Load(976 + g, 1, g);
  }
  void StoreGroups() {
    for (int g = 0; g < 4; ++g) Store(976 + g, 1, g);
  }
};

TEST(RoleMap, EntriesTakeTheShownBitsInAscendingOrder) {
  std::vector<EntryBit> expected;
  int e = 0;
  for (int bit = 0; bit < 8; ++bit) expected.push_back({e++, 976, bit});
  for (int bit = 0; bit < 8; ++bit) expected.push_back({e++, 977, bit});
  for (int bit : {2, 3, 4, 5, 6, 7}) expected.push_back({e++, 978, bit});
  for (int bit : {0, 2, 3, 5, 6, 7}) expected.push_back({e++, 979, bit});
  ASSERT_EQ(e, kRoleEntries);
  for (const EntryBit& x : expected) {
    const RoleBit rb = RoleFlag(x.entry);
    EXPECT_EQ(rb.byteIndex, x.byteIndex) << "entry " << x.entry;
    EXPECT_EQ(rb.bit, x.bit) << "entry " << x.entry;
  }
  EXPECT_THROW(RoleFlag(28), std::out_of_range);
  EXPECT_THROW(RoleFlag(-1), std::out_of_range);
}

TEST_F(Roles, HiddenBitsOf979AreCarriedThrough) {
  Put(976, 4, 0);
  Put(979, 1, 18);  // bits 1 and 4 only
  LoadGroups();
  for (int e = 22; e <= 27; ++e) EXPECT_FALSE(view.roles[static_cast<std::size_t>(e)]) << e;
  view.roles.fill(true);
  StoreGroups();
  EXPECT_EQ(At(979), 255);
  view.roles.fill(false);
  StoreGroups();
  EXPECT_EQ(At(979), 18);
}

TEST_F(Roles, AllCheckedOnAnEmptySaveLeavesTheHiddenBitsClear) {
  Put(976, 4, 0);
  LoadGroups();
  view.roles.fill(true);
  StoreGroups();
  EXPECT_EQ(At(976), 255);
  EXPECT_EQ(At(977), 255);
  EXPECT_EQ(At(978), 252);
  EXPECT_EQ(At(979), 237);
}

TEST_F(Roles, HiddenBitsOf978AreCarriedThrough) {
  Put(978, 1, 3);
  view.roles.fill(false);
  Store(978, 1, 2);
  EXPECT_EQ(At(978), 3);
  view.roles.fill(true);
  Store(978, 1, 2);
  EXPECT_EQ(At(978), 255);
}

TEST_F(Roles, TheFirstCheckedEntryBecomesCurrentAfterTheLastGroup) {
  Put(976, 1, 1 << 5);  // entry 5
  Put(977, 1, 1 << 1);  // entry 9
  LoadGroups();
  EXPECT_EQ(view.roleCurrent, 5);
  EXPECT_EQ(view.roleRedraws, 1);

  Put(976, 4, 0);
  Put(979, 1, 0x12);  // hidden bits only
  view.roleCurrent = 17;
  LoadGroups();
  EXPECT_EQ(view.roleCurrent, 0);
  EXPECT_EQ(view.roleRedraws, 2);
}

TEST_F(Roles, OnlyTheLastGroupMovesTheCurrentEntry) {
  Put(976, 1, 0xFF);
  view.roleCurrent = 11;
  for (int g = 0; g < 3; ++g) Load(976 + g, 1, g);
  EXPECT_EQ(view.roleCurrent, 11);
  EXPECT_EQ(view.roleRedraws, 0);
}

TEST_F(Roles, GroupsOutsideZeroToThreeDoNothing) {
  Put(976, 4, 0x12345678);
  view.roles.fill(true);
  view.recording = true;
  Load(977, 1, 4);
  Store(977, 1, 4);
  Load(979, 1, -1);
  Store(979, 1, -1);
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(Get(976, 4), 0x12345678u);
}

}  // namespace
}  // namespace zovek
