#pragma once
// Where each technique category keeps its mastery flags: a run of main bytes
// read from bit 7 of the first byte down, some reserved positions that no row
// uses, and for five categories a few bits of an overflow byte taken by the
// rows that the main bytes have no room for.

#include <array>
#include <cstdint>

#include "savedata/Walks.h"

namespace zovek {

inline constexpr int kMaxOverflowBits = 7;

struct TechniqueOverflow {
  int byteIndex = 0;
  std::array<int, kMaxOverflowBits> bits{};  // in the order the rows take them
  int count = 0;
};

struct TechniqueCategoryLayout {
  int rows;
  int firstMainByte;
  int lastMainByte;
  std::uint32_t reservedPositions;  // bit p set: position p is reserved
  TechniqueOverflow overflow;
};

inline constexpr int kMaxTechniqueRows = 24;
// Row -> byte and bit of one category, as derived from its layout.
using TechniqueRowMap = std::array<TechniqueBit, kMaxTechniqueRows>;
const TechniqueRowMap& TechniqueRows(int category);

}  // namespace zovek
