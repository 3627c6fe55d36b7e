#include "savefile/Containers.h"

#include <algorithm>
#include <array>

namespace zovek {

namespace {

// The .gme container is a 3904-byte header that begins with "123-456-STD",
// then a whole card image.
constexpr std::uint64_t kGmeHeader = 3904;

constexpr std::array kTable = {
    Container{kCardImage, kCardImageSize, "", 0, 0, 0, "card-image", "", "memory-card image", "", "*.mcr;*.mc"},
    Container{kCardImage, kGmeHeader + kCardImageSize, "123-456-STD", 0, kGmeHeader, kGmeHeader, "card-image", "gme",
              "memory-card image", " in the .gme container", "*.gme"},
    Container{kSingleSave, kSingleSaveSize, "", 0, 0, 0, "single-save", "", "single-save file", "", "*.ps;*.psm"},
};

template <typename Match>
const Container* First(Match match) {
  const auto found = std::find_if(kTable.begin(), kTable.end(), match);
  return found == kTable.end() ? nullptr : &*found;
}

}  // namespace

std::span<const Container> Containers() { return kTable; }

const Container* FindContainer(std::uint64_t length, std::span<const std::uint8_t> head) {
  return First([&](const Container& c) {
    const auto at = static_cast<std::ptrdiff_t>(c.signatureAt);
    return c.length == length && head.size() >= c.signatureAt + c.signature.size() &&
           std::equal(c.signature.begin(), c.signature.end(), head.begin() + at);
  });
}

const Container* BareContainer(FileKind kind) {
  return First([kind](const Container& c) { return c.kind == kind && c.guardedHeader == 0; });
}

bool IsContainerLength(std::uint64_t length) {
  return First([length](const Container& c) { return c.length == length; }) != nullptr;
}

std::uint64_t LongestContainer() {
  std::uint64_t longest = 0;
  for (const Container& c : kTable) longest = std::max(longest, c.length);
  return longest;
}

}  // namespace zovek
