// The core's in-memory view: it starts as the empty window, and a text set
// into a value or party box comes out as the window's box leaves it.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "savedata/MemoryView.h"

namespace zovek {
namespace {

struct BoxCase {
  int box;  // txtValue(0..4), or -1 for txtParty(3)
  std::string set;
  std::string shown;
};

TEST(MemoryView, BoxesRewriteTheirTextAsTheWindowsBoxesDo) {
  const BoxCase cases[] = {
      {1, "7", "7"},        {1, "255", "255"},         {1, "256", "255"},     {1, "-4", "0"},
      {2, "999999", "999999"}, {2, "16777215", "999999"}, {2, "1234567", "999999"}, {3, "99", "99"},
      {3, "100", "99"},     {3, "155", "99"},          {4, "59", "59"},       {4, "60", "59"},
      {0, "300", "255"},    {2, "2.5", "2.5"},         {3, "abc", "0"},       {-1, "-", "-"},
      {-1, "12", "12"},     {-1, "255", "255"},        {-1, "256", "-"},      {-1, "-7", "0"},
      {-1, "2.5", "2"},
  };
  MemoryView ruled;
  MemoryView asGiven{MemoryView::BoxTexts::AsGiven};
  for (const BoxCase& c : cases) {
    if (c.box >= 0) {
      ruled.SetValueText(c.box, c.set);
      asGiven.SetValueText(c.box, c.set);
      EXPECT_EQ(ruled.ValueText(c.box), c.shown) << "txtValue(" << c.box << ") set to " << c.set;
      EXPECT_EQ(asGiven.ValueText(c.box), c.set);
    } else {
      ruled.SetPartyText(3, c.set);
      asGiven.SetPartyText(3, c.set);
      EXPECT_EQ(ruled.PartyText(3), c.shown) << "txtParty(3) set to " << c.set;
      EXPECT_EQ(asGiven.PartyText(3), c.set);
    }
  }
  // The grids have no change rule on a set: the walks' texts stay.
  ruled.SetCellText(0, 4, 1, "1000000");
  EXPECT_EQ(ruled.CellText(0, 4, 1), "1000000");
}

TEST(MemoryView, StartsAsTheEmptyWindowAndResetsToIt) {
  MemoryView view;
  view.SetValueText(2, "5");
  view.SetPartyText(0, "3");
  view.SetPartyLabel(0, "x");
  view.SetCellText(2, 64, 2, "9");
  view.SetCellText(1, 6, 3, "x");
  view.SetAptitudeChecked(11, true);
  view.SetRoleChecked(27, true);
  view.SetScenarioOption(3);
  view.Reset();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(view.ValueText(i), "0");
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(view.PartyText(i), "-");
    EXPECT_EQ(view.partyLabels[static_cast<std::size_t>(i)], "（未加入）");
  }
  EXPECT_EQ(view.Cell(0, 24, 1), "0");
  EXPECT_EQ(view.Cell(2, 64, 1), "0");
  EXPECT_EQ(view.Cell(2, 64, 2), "-");
  EXPECT_EQ(view.Cell(1, 6, 3), "（なし）");
  EXPECT_FALSE(view.AptitudeChecked(11));
  EXPECT_FALSE(view.RoleChecked(27));
  EXPECT_EQ(view.ScenarioOption(), 0);
  EXPECT_THROW(view.SetCellText(0, 1, 2, "1"), std::out_of_range);  // Fgrid(0) has two columns
  EXPECT_THROW(view.SetValueText(5, "1"), std::out_of_range);
}

}  // namespace
}  // namespace zovek
