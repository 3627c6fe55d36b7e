#pragma once
// The kinds of file the editor opens, one table entry each: how a file is
// recognised, where its card or save starts, what the write guard compares,
// and how reports and the open dialog name it.

#include <cstdint>
#include <span>
#include <string_view>

#include "savefile/SaveSlots.h"

namespace zovek {

struct Container {
  FileKind kind = kNoFile;
  std::uint64_t length = 0;         // the whole file
  std::string_view signature;       // bytes the file holds at signatureAt; empty: none
  std::uint64_t signatureAt = 0;
  std::uint64_t start = 0;          // where the card, or the single save, starts
  // Bytes [0, guardedHeader) are the container's own: read at open, compared
  // by the write guard, never written.
  std::uint64_t guardedHeader = 0;
  std::string_view kindKey;         // dump --json "kind"
  std::string_view containerKey;    // dump --json "container"; empty: not printed
  std::string_view kindText;        // "memory-card image"
  std::string_view inText;          // after the kind text: " in the .gme container"
  std::string_view patterns;        // the open dialog's file patterns, ';' between
};

// Every container, in the order the refusal message lists their lengths.
std::span<const Container> Containers();

// The container a file of `length` whose first bytes are `head` is; null
// when none. `head` need only reach the end of the longest signature.
const Container* FindContainer(std::uint64_t length, std::span<const std::uint8_t> head);

// The container of `kind` that is the bare file, without a header; null when none.
const Container* BareContainer(FileKind kind);

// Whether some container has this length: only such a file is read at all.
bool IsContainerLength(std::uint64_t length);

// The longest container's length: no accepted file reaches past it.
std::uint64_t LongestContainer();

}  // namespace zovek
