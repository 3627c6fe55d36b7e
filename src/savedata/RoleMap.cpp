#include "savedata/RoleMap.h"

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "savedata/SaveLayout.h"
#include "savedata/Walks.h"

namespace zovek {

namespace {

constexpr std::uint8_t Bits(std::initializer_list<int> bits) {
  unsigned mask = 0;
  for (const int n : bits) mask |= 1u << n;
  return static_cast<std::uint8_t>(mask);
}

constexpr std::array<RoleGroup, kRoleGroups> kTable{{
    // byte  bits shown, ascending           first entry   (bits not shown)
    {kRoleBytesStart + 0, Bits({0, 1, 2, 3, 4, 5, 6, 7}), 0},   // none
    {kRoleBytesStart + 1, Bits({0, 1, 2, 3, 4, 5, 6, 7}), 8},   // none
    {kRoleBytesStart + 2, Bits({2, 3, 4, 5, 6, 7}), 16},        // 0, 1
    {kRoleBytesStart + 3, Bits({0, 2, 3, 5, 6, 7}), 22},        // 1, 4
}};

bool Shown(const RoleGroup& g, int bit) { return (g.shownBits >> bit) & 1; }

}  // namespace

void ShowRoleGroup(EditorView& view, int group, int byteValue) {
  if (group < 0 || group >= kRoleGroups) return;
  const RoleGroup& g = kTable[static_cast<std::size_t>(group)];
  int entry = g.firstEntry;
  for (int bit = 0; bit < 8; ++bit) {
    if (Shown(g, bit)) view.SetRoleChecked(entry++, ((byteValue >> bit) & 1) != 0);
  }
  if (group != kRoleGroups - 1) return;
  // The first checked entry is the current one; with none checked, entry 0.
  int current = 0;
  while (current < kRoleEntries && !view.RoleChecked(current)) ++current;
  view.SetRoleCurrent(current == kRoleEntries ? 0 : current);
  view.RedrawRoles();
}

int ComposeRoleGroup(const EditorView& view, int group, int presentValue) {
  if (group < 0 || group >= kRoleGroups) return presentValue;
  const RoleGroup& g = kTable[static_cast<std::size_t>(group)];
  int v = 0;
  int entry = g.firstEntry;
  for (int bit = 0; bit < 8; ++bit) {
    const bool set = Shown(g, bit) ? view.RoleChecked(entry++) : ((presentValue >> bit) & 1) != 0;
    if (set) v |= 1 << bit;
  }
  return v;
}

RoleBit RoleFlag(int entry) {
  for (const RoleGroup& g : kTable) {
    int e = g.firstEntry;
    for (int bit = 0; bit < 8; ++bit) {
      if (!Shown(g, bit)) continue;
      if (e == entry) return {g.byteIndex, bit};
      ++e;
    }
  }
  throw std::out_of_range("role entry " + std::to_string(entry) + " does not exist");
}

}  // namespace zovek
