#include "savedata/TechniqueMap.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace zovek {

namespace {

constexpr std::uint32_t Positions(std::initializer_list<int> positions) {
  std::uint32_t mask = 0;
  for (const int p : positions) mask |= std::uint32_t{1} << p;
  return mask;
}

constexpr std::uint32_t PositionRange(int first, int last) {
  std::uint32_t mask = 0;
  for (int p = first; p <= last; ++p) mask |= std::uint32_t{1} << p;
  return mask;
}

constexpr TechniqueOverflow Overflow(int byteIndex, std::initializer_list<int> bits) {
  TechniqueOverflow o;
  o.byteIndex = byteIndex;
  for (const int b : bits) o.bits[static_cast<std::size_t>(o.count++)] = b;
  return o;
}

constexpr TechniqueOverflow kNoOverflow{};

constexpr std::array<TechniqueCategoryLayout, kTechniqueCategories> kLayouts{{
    // rows  main bytes  reserved positions                          remaining rows -> overflow bits
    {21, 85, 87, Positions({15, 22, 23}), kNoOverflow},                                   // 0 体術
    {24, 88, 91, Positions({5, 17, 18, 19}) | PositionRange(25, 31), Overflow(108, {3, 2, 1})},  // 1 剣術
    {16, 92, 93, Positions({15}), Overflow(109, {6})},                                    // 2 斧術
    {12, 94, 95, Positions({2, 3, 9, 14, 15}), Overflow(109, {4})},                       // 3 杖術
    {18, 96, 97, Positions({15}), Overflow(109, {2, 1, 0})},                              // 4 槍術
    {18, 98, 99, PositionRange(11, 15), Overflow(110, {6, 5, 4, 3, 2, 1, 0})},            // 5 弓術
    {8, 100, 100, 0, kNoOverflow},                                                        // 6 樹術
    {5, 101, 101, Positions({5, 6, 7}), kNoOverflow},                                     // 7 石術
    {5, 102, 102, Positions({5, 6, 7}), kNoOverflow},                                     // 8 火術
    {6, 103, 103, Positions({6, 7}), kNoOverflow},                                        // 9 水術
    {5, 104, 104, Positions({5, 6, 7}), kNoOverflow},                                     // 10 音術
    {5, 105, 105, Positions({5, 6, 7}), kNoOverflow},                                     // 11 獣術
}};

// Rows take the free main positions in ascending order, position p being
// bit 7 - p mod 8 of byte first + p div 8; then the overflow bits in order.
constexpr TechniqueRowMap DeriveRows(const TechniqueCategoryLayout& layout) {
  TechniqueRowMap rows{};
  int row = 0;
  const int positions = 8 * (layout.lastMainByte - layout.firstMainByte + 1);
  for (int p = 0; p < positions && row < layout.rows; ++p) {
    if ((layout.reservedPositions >> p) & 1) continue;
    rows[static_cast<std::size_t>(row++)] = {layout.firstMainByte + p / 8, 7 - p % 8};
  }
  for (int i = 0; i < layout.overflow.count && row < layout.rows; ++i) {
    rows[static_cast<std::size_t>(row++)] = {layout.overflow.byteIndex, layout.overflow.bits[static_cast<std::size_t>(i)]};
  }
  return rows;
}

// Every free main position and every overflow bit is taken by exactly one row.
constexpr bool FitsExactly(const TechniqueCategoryLayout& layout) {
  const int positions = 8 * (layout.lastMainByte - layout.firstMainByte + 1);
  int free = 0;
  for (int p = 0; p < positions; ++p) free += ((layout.reservedPositions >> p) & 1) ? 0 : 1;
  return free + layout.overflow.count == layout.rows && layout.rows <= kMaxTechniqueRows;
}

static_assert(std::all_of(kLayouts.begin(), kLayouts.end(), FitsExactly),
              "a technique layout leaves a row without a bit or a bit without a row");

constexpr std::array<TechniqueRowMap, kTechniqueCategories> DeriveAll() {
  std::array<TechniqueRowMap, kTechniqueCategories> all{};
  for (std::size_t c = 0; c < all.size(); ++c) all[c] = DeriveRows(kLayouts[c]);
  return all;
}

constexpr auto kRowMaps = DeriveAll();

constexpr std::array<int, kTechniqueCategories> RowCounts() {
  std::array<int, kTechniqueCategories> counts{};
  for (std::size_t c = 0; c < counts.size(); ++c) counts[c] = kLayouts[c].rows;
  return counts;
}

}  // namespace

const std::array<int, kTechniqueCategories> kTechniqueRowCounts = RowCounts();

const TechniqueRowMap& TechniqueRows(int category) {
  if (category < 0 || category >= kTechniqueCategories) {
    throw std::out_of_range("technique category " + std::to_string(category) + " does not exist");
  }
  return kRowMaps[static_cast<std::size_t>(category)];
}

TechniqueBit TechniqueFlag(int category, int row) {
  const TechniqueRowMap& rows = TechniqueRows(category);
  if (row < 0 || row >= kLayouts[static_cast<std::size_t>(category)].rows) {
    throw std::out_of_range("technique row " + std::to_string(row) + " does not exist in category " +
                            std::to_string(category));
  }
  return rows[static_cast<std::size_t>(row)];
}

}  // namespace zovek
