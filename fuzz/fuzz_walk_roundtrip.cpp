// Load-then-store walks over arbitrary data regions: only the documented
// normalisations may change bytes.

#include <cstdint>

#include "FuzzEntry.h"
#include "checks/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zovek::fuzzcheck::RequireHolds(zovek::fuzzcheck::CheckWalkRoundTrip({data, size}));
  return 0;
}
