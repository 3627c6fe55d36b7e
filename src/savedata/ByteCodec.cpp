// Unsigned little-endian numbers of 1 to 4 bytes inside the data region.

#include <stdexcept>
#include <string>

#include "savedata/FieldEngine.h"
#include "savefile/ErrorNumbers.h"

namespace zovek {

namespace {

// A field that leaves the buffer is a fault of the caller's tables, never of
// the save: it is not something a command could report and go on from.
void RequireInside(int offset, int width) {
  if (width < 1 || width > 4 || offset < 0 || offset + width > static_cast<int>(kDataRegionSize)) {
    throw std::out_of_range("field " + std::to_string(offset) + "+" + std::to_string(width) +
                            " lies outside the data region");
  }
}

}  // namespace

std::int64_t ReadNumber(const SaveBuffer& buffer, int offset, int width) {
  RequireInside(offset, width);
  std::int64_t v = 0;
  for (int k = width - 1; k >= 0; --k) v = v * 256 + buffer[static_cast<std::size_t>(offset + k)];
  return v;
}

void WriteNumber(SaveBuffer& buffer, int offset, int width, std::int64_t v) {
  RequireInside(offset, width);
  const std::int64_t limit = std::int64_t{1} << (8 * width);
  if (v < 0 || v >= limit) {
    throw StoreError(kErrValueDoesNotFit, "value " + std::to_string(v) + " does not fit the " +
                                              std::to_string(width) + "-byte field at " + std::to_string(offset));
  }
  for (int k = 0; k < width; ++k) {
    buffer[static_cast<std::size_t>(offset + k)] = static_cast<std::uint8_t>(v & 0xFF);
    v >>= 8;
  }
}

}  // namespace zovek
