// Mastery flags of one technique category <-> the check marks of lstWaza.
// The walk works on its bytes itself; the field engine is not involved.

#include "savedata/TechniqueMap.h"
#include "savedata/Walks.h"

namespace zovek {

namespace {

void LoadMarks(const SaveBuffer& buffer, EditorView& view, int category, int rows) {
  const TechniqueRowMap& map = TechniqueRows(category);
  int firstMarked = -1;
  for (int row = 0; row < rows; ++row) {
    const TechniqueBit flag = map[static_cast<std::size_t>(row)];
    const bool marked = ((buffer[static_cast<std::size_t>(flag.byteIndex)] >> flag.bit) & 1) != 0;
    view.SetTechniqueChecked(row, marked);
    if (marked && firstMarked < 0) firstMarked = row;
  }
  view.SetTechniqueCurrent(firstMarked < 0 ? 0 : firstMarked);
  view.RedrawTechniques();
}

// Sets or clears exactly the mapped bits; reserved positions and the bits of
// other categories sharing an overflow byte keep their values.
void StoreMarks(SaveBuffer& buffer, const EditorView& view, int category, int rows) {
  const TechniqueRowMap& map = TechniqueRows(category);
  for (int row = 0; row < rows; ++row) {
    const TechniqueBit flag = map[static_cast<std::size_t>(row)];
    std::uint8_t& byte = buffer[static_cast<std::size_t>(flag.byteIndex)];
    const auto mask = static_cast<std::uint8_t>(1u << flag.bit);
    byte = static_cast<std::uint8_t>(view.TechniqueChecked(row) ? (byte | mask) : (byte & ~mask));
  }
}

}  // namespace

void TechniqueWalk(SaveBuffer& buffer, EditorView& view, int category, WalkMode mode) {
  if (category < 0 || category >= kTechniqueCategories) return;
  const int rows = kTechniqueRowCounts[static_cast<std::size_t>(category)];
  // A list that does not hold this category's rows cannot carry its marks.
  if (view.TechniqueRowCount() != rows) return;
  if (mode == kLoad) {
    LoadMarks(buffer, view, category, rows);
  } else {
    StoreMarks(buffer, view, category, rows);
  }
}

}  // namespace zovek
