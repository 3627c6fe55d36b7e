#pragma once
// The forms the editor opens, one table entry each: how a file is recognised,
// where its card or save starts, what the write guard compares, whether it may
// be written at all, and how reports and the open dialog name it.

#include <cstdint>
#include <span>
#include <string_view>

#include "savefile/SaveSlots.h"

namespace zovek {

// Bytes a file must hold at a position to be of a container.
struct Signature {
  std::string_view bytes;  // empty: none
  std::uint64_t at = 0;
};

// Where a single save's 20-byte save name is: a position in the file, or the
// file's own name (the headerless block, as the tools that export it name it).
inline constexpr std::uint64_t kNameIsFileName = ~std::uint64_t{0};

struct Container {
  FileKind kind = kNoFile;
  std::uint64_t length = 0;  // the whole file
  // All must be there; none: the length alone decides (see FindContainer).
  Signature signature{};
  Signature alsoSignature{};
  // Besides the signature: a guarded header of zeros only, and these bytes at
  // `start` (a header blanked by the tool that wrote it). Empty: no such way.
  std::string_view orBlankHeaderThen{};
  std::uint64_t start = 0;           // where the card, or the single save's 8192-byte block, starts
  std::uint64_t nameAt = 0;          // a single save's 20-byte name (its frame's bytes 10..29)
  std::uint64_t guardedHeader = 0;   // header bytes the write guard compares; never written
  bool signedForm = false;           // signed with a key we lack: read, never written
  std::string_view kindKey;          // dump --json "kind"
  std::string_view containerKey;     // dump --json "container" (offsets count its header); empty: none
  std::string_view kindText;         // "memory-card image"
  std::string_view inText;           // after the kind text: " in the .gme container"
  std::string_view globs;            // file names the desktop knows it by, ';' between
  std::string_view otherNames;       // names it also comes under that other kinds of file use
};

// Every container, in the order the refusal message lists their lengths.
std::span<const Container> Containers();

// The container of a file of `length` that begins with `head`, named
// `fileName` (the name's bytes, for the headerless block); null when none.
const Container* FindContainer(std::uint64_t length, std::span<const std::uint8_t> head,
                               std::span<const std::uint8_t> fileName = {});
// The container of `kind` that is the plain file; null when none.
const Container* BareContainer(FileKind kind);
// Whether some container has this length: only such a file is read at all.
bool IsContainerLength(std::uint64_t length);
// The longest container's length: no accepted file reaches past it.
std::uint64_t LongestContainer();

}  // namespace zovek
