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

bool HoldsSignature(const Container& c, std::span<const std::uint8_t> head) {
  return head.size() >= c.signatureAt + c.signature.size() &&
         std::equal(c.signature.begin(), c.signature.end(), head.begin() + static_cast<std::ptrdiff_t>(c.signatureAt));
}

}  // namespace

std::span<const Container> Containers() { return kTable; }

const Container* FindContainer(std::uint64_t length, std::span<const std::uint8_t> head) {
  const auto found = std::find_if(kTable.begin(), kTable.end(), [&](const Container& c) {
    return c.length == length && HoldsSignature(c, head);
  });
  return found == kTable.end() ? nullptr : &*found;
}

const Container* BareContainer(FileKind kind) {
  const auto found = std::find_if(kTable.begin(), kTable.end(),
                                  [kind](const Container& c) { return c.kind == kind && c.guardedHeader == 0; });
  return found == kTable.end() ? nullptr : &*found;
}

bool IsContainerLength(std::uint64_t length) {
  return std::any_of(kTable.begin(), kTable.end(), [length](const Container& c) { return c.length == length; });
}

std::uint64_t LongestContainer() {
  return std::max_element(kTable.begin(), kTable.end(), [](const Container& a, const Container& b) {
           return a.length < b.length;
         })->length;
}

}  // namespace zovek
