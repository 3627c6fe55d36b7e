#pragma once
// What the round-trip fuzz check and the round-trip test share: every walk
// run once each way, and little-endian access to the save's bytes that does
// not go through the engine.

#include <cstddef>
#include <cstdint>

#include "savedata/SaveLayout.h"
#include "savedata/MemoryView.h"
#include "savedata/Walks.h"

namespace zovek::wholesave {

inline std::uint32_t Le(const SaveBuffer& b, int offset, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[static_cast<std::size_t>(offset + i)];
  return v;
}

inline void PutLe(SaveBuffer& b, int offset, int width, std::uint32_t v) {
  for (int i = 0; i < width; ++i) b[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Every walk over every character, category and scenario entry, as a save
// after browsing the whole window runs them.
inline void LoadAndStoreEverything(SaveBuffer& buffer, MemoryView& view) {
  FieldContext ctx{buffer, view, 0};
  for (int k = 0; k < kCharacters; ++k) {
    ctx.characterBase = static_cast<std::int16_t>(kRecordSize * k);
    CharacterFieldWalk(ctx, kLoad);
    CharacterFieldWalk(ctx, kStore);
  }
  for (int c = 0; c < kTechniqueCategories; ++c) {
    view.SetTechniqueRowCount(kTechniqueRowCounts[static_cast<std::size_t>(c)]);
    TechniqueWalk(buffer, view, c, kLoad);
    TechniqueWalk(buffer, view, c, kStore);
  }
  for (int entry = 0; entry < kScenarioEntries; ++entry) {
    ScenarioEntryWalk(ctx, entry, kLoad);
    ScenarioEntryWalk(ctx, entry, kStore);
  }
  GeneralFieldWalk(ctx, kLoad);
  GeneralFieldWalk(ctx, kStore);
}

}  // namespace zovek::wholesave
