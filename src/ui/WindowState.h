#pragma once
// The state the window keeps beside its controls: the grid cell open in the
// in-place editor. The save's own state is the edit session's.

#include <cstdint>

namespace zovek {

struct WindowState {
  // The grid cell open in txtFlex; EditRow 0 = no edit open.
  std::int16_t EditGrid = 0;
  std::int16_t EditRow = 0;
  std::int16_t EditCol = 0;
};

}  // namespace zovek
