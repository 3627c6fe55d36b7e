// The text rules of the boxes and the grid cell editor on arbitrary text.

#include <cstdint>

#include "FuzzEntry.h"
#include "checks/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zovek::fuzzcheck::RequireHolds(zovek::fuzzcheck::CheckTextRules({data, size}));
  return 0;
}
