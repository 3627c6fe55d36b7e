#pragma once
// Shared set-up of the save-data tests: one buffer, one in-memory view, and
// the little-endian helpers the tests use to arrange and read bytes without
// going through the engine.

#include <cstdint>
#include <ostream>
#include <vector>

#include "savedata/FieldEngine.h"
#include "savedata/MemoryView.h"

namespace zovek {

struct EngineFixture {
  SaveBuffer buffer{};
  MemoryView view{MemoryView::BoxTexts::AsGiven};  // what the engine hands over, unchanged
  FieldContext ctx{buffer, view, 0};

  void SelectCharacter(int k) { ctx.characterBase = static_cast<std::int16_t>(112 * k); }
  int RecordStart() const { return 4600 + ctx.characterBase; }

  void Put(int offset, int width, std::uint32_t v) {
    for (int i = 0; i < width; ++i) buffer[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  std::uint32_t Get(int offset, int width) const {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | buffer[static_cast<std::size_t>(offset + i)];
    return v;
  }
  std::uint8_t At(int offset) const { return buffer[static_cast<std::size_t>(offset)]; }

  void Load(int offset, int width, int slot) { LoadField(ctx, FieldRef{Short(offset), Short(width), Short(slot)}); }
  void Store(int offset, int width, int slot) { StoreField(ctx, FieldRef{Short(offset), Short(width), Short(slot)}); }

  static std::int16_t Short(int v) { return static_cast<std::int16_t>(v); }
};

// A field reference as plain numbers, so that lists of them compare and print
// in a failure message.
struct Ref {
  int offset, width, slot;
  bool operator==(const Ref&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const Ref& r) {
  return os << "(" << r.offset << ", " << r.width << ", " << r.slot << ")";
}

template <class Fields>
std::vector<Ref> RefsOf(const Fields& fields) {
  std::vector<Ref> refs;
  for (const FieldRef& f : fields) refs.push_back({f.offset, f.width, f.slot});
  return refs;
}

}  // namespace zovek
