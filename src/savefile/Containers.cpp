#include "savefile/Containers.h"

#include <algorithm>
#include <array>

namespace zovek {

namespace {

using namespace std::string_view_literals;

constexpr std::uint64_t kGmeHeader = 3904;
constexpr std::uint64_t kVgsHeader = 64;
constexpr std::uint64_t kVmpHeader = 128;
constexpr std::uint64_t kHeader54 = 54;
constexpr std::uint64_t kPsvHeader = 0x84;
constexpr std::uint64_t kBlock = kBlockSize;

// The card rows first, then the single saves; the bare form of each first.
constexpr std::array kTable = {
    Container{kCardImage, kCardImageSize, {}, {}, {}, 0, 0, 0, false, "card-image", "", "memory-card image", "",
              "*.mcr;*.mc;*.mcd;*.ddf;*.mci;*.vm1;*.vmc", "*.srm;*.sav;*.bin"},
    Container{kCardImage, kGmeHeader + kCardImageSize, {"123-456-STD"}, {}, "MC", kGmeHeader, 0, kGmeHeader, false,
              "card-image", "gme", "memory-card image", " in the .gme container", "*.gme", ""},
    Container{kCardImage, kVgsHeader + kCardImageSize, {"VgsM"}, {}, {}, kVgsHeader, 0, kVgsHeader, false,
              "card-image", "vgs", "memory-card image", " in the VgsM container", "*.vgs", "*.mem"},
    Container{kCardImage, kVmpHeader + kCardImageSize, {"\0PMV"sv}, {}, {}, kVmpHeader, 0, kVmpHeader, true,
              "card-image", "vmp", "memory-card image", " in the .vmp container", "*.vmp", ""},
    Container{kSingleSave, kFrameSize + kBlock, {}, {}, {}, kFrameSize, kSaveNameInFrame, 0, false, "single-save",
              "", "single-save file", "", "*.psm;*.mcs", "*.ps"},
    Container{kSingleSave, kBlock, {}, {}, {}, 0, kNameIsFileName, 0, false, "single-save", "block",
              "single-save file", " without a header", "", ""},
    Container{kSingleSave, kHeader54 + kBlock, {}, {}, {}, kHeader54, 0, kHeader54, false, "single-save", "header54",
              "single-save file", " behind a 54-byte header", "*.mcb;*.mcx;*.pda;*.psx", ""},
    Container{kSingleSave, kPsvHeader + kBlock, {"\0VSP"sv}, {"\x01", 0x3C}, {}, kPsvHeader, 0x64, kPsvHeader, true,
              "single-save", "psv", "single-save file", " in the .psv container", "*.psv", ""},
};

bool Holds(std::span<const std::uint8_t> head, std::string_view bytes, std::uint64_t at) {
  return head.size() >= at + bytes.size() &&
         std::equal(bytes.begin(), bytes.end(), head.begin() + static_cast<std::ptrdiff_t>(at));
}

bool Signed(const Container& c, std::span<const std::uint8_t> head) {
  const bool marked = !c.signature.bytes.empty() && Holds(head, c.signature.bytes, c.signature.at) &&
                      Holds(head, c.alsoSignature.bytes, c.alsoSignature.at);
  if (marked || c.orBlankHeaderThen.empty()) return marked;
  const auto header = head.first(std::min<std::size_t>(head.size(), c.guardedHeader));
  return header.size() == c.guardedHeader && std::all_of(header.begin(), header.end(), [](auto b) { return b == 0; }) &&
         Holds(head, c.orBlankHeaderThen, c.start);
}

template <typename Match>
const Container* First(Match match) {
  const auto found = std::find_if(kTable.begin(), kTable.end(), match);
  return found == kTable.end() ? nullptr : &*found;
}

}  // namespace

std::span<const Container> Containers() { return kTable; }

const Container* FindContainer(std::uint64_t length, std::span<const std::uint8_t> head,
                               std::span<const std::uint8_t> fileName) {
  return First([&](const Container& c) {
    if (c.length != length) return false;
    // The headerless block is known by the name the tools that export it
    // give it: the save's own 20-byte name, which must carry the game's save.
    if (c.nameAt == kNameIsFileName) return SaveNameNumber(fileName) != 0;
    return c.signature.bytes.empty() || Signed(c, head);
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
