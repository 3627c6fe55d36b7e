// Loading a whole save into the view and storing it back, with no edit in
// between, changes only the bytes the view cannot show as they are. The
// expected bytes are computed here from the layout, not by the engine.

#include <algorithm>
#include <string>

#include "FuzzChecks.h"
#include "WholeSaveWalk.h"

namespace zovek::fuzzcheck {
namespace {

using wholesave::Le;
using wholesave::LoadAndStoreEverything;
using wholesave::PutLe;

// CR (3 bytes at the start of each record) and chips (3 bytes at 1005) show at
// most 999999; a set martial-arts flag (record byte 64) raises a following 0 to
// 255; the play time (964, 3 bytes and a fourth that counts 2^24 when not 0)
// keeps whole minutes only, and at most 99 hours where the box rules apply;
// the main party count (32) is recounted from the four main slots (36..39).
SaveBuffer ExpectedAfterRoundTrip(SaveBuffer b, bool boxRulesApply) {
  for (int k = 0; k < kCharacters; ++k) {
    const int record = kRecordsStart + kRecordSize * k;
    if (Le(b, record, 3) > 999999) PutLe(b, record, 3, 999999);
    if (b[static_cast<std::size_t>(record + 64)] != 0 && b[static_cast<std::size_t>(record + 65)] == 0) {
      b[static_cast<std::size_t>(record + 65)] = 255;
    }
  }
  if (Le(b, 1005, 3) > 999999) PutLe(b, 1005, 3, 999999);
  const std::uint32_t sixtieths = Le(b, 964, 3) + (b[967] != 0 ? 16777216u : 0u);
  std::uint32_t hours = sixtieths / 216000;
  const std::uint32_t minutes = sixtieths / 3600 % 60;
  if (boxRulesApply) hours = std::min<std::uint32_t>(hours, 99);
  PutLe(b, 964, 4, (hours * 60 + minutes) * 3600);
  int filled = 0;
  for (int slot = 36; slot <= 39; ++slot) filled += b[static_cast<std::size_t>(slot)] != 255 ? 1 : 0;
  b[32] = static_cast<std::uint8_t>(filled);
  return b;
}

std::string FirstDifference(const SaveBuffer& actual, const SaveBuffer& expected, const char* what) {
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] != expected[i]) {
      return std::string(what) + ": byte " + std::to_string(i) + " is " + std::to_string(actual[i]) +
             ", expected " + std::to_string(expected[i]);
    }
  }
  return "";
}

std::string CheckWithView(const SaveBuffer& original, MemoryView& view, bool boxRulesApply, const char* name) {
  SaveBuffer buffer = original;
  LoadAndStoreEverything(buffer, view);
  const SaveBuffer expected = ExpectedAfterRoundTrip(original, boxRulesApply);
  if (std::string failure = FirstDifference(buffer, expected, name); !failure.empty()) return failure;

  const SaveBuffer once = buffer;
  LoadAndStoreEverything(buffer, view);
  return FirstDifference(buffer, once, "a second round trip");
}

}  // namespace

std::string CheckWalkRoundTrip(std::span<const std::uint8_t> data) {
  SaveBuffer original{};
  std::copy_n(data.begin(), std::min(data.size(), original.size()), original.begin());

  // The engine alone, then with the boxes' change rules as the window runs them.
  MemoryView plain{MemoryView::BoxTexts::AsGiven};
  if (std::string failure = CheckWithView(original, plain, false, "plain view"); !failure.empty()) return failure;
  MemoryView ruled;
  return CheckWithView(original, ruled, true, "view with the box rules");
}

}  // namespace zovek::fuzzcheck
