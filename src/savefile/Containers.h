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
  std::uint64_t guardedHeader = 0;  // header bytes the write guard compares; never written
  std::string_view kindKey;         // dump --json "kind"
  std::string_view containerKey;    // dump --json "container" (offsets count its header); empty: none
  std::string_view kindText;        // "memory-card image"
  std::string_view inText;          // after the kind text: " in the .gme container"
  std::string_view patterns;        // the open dialog's file patterns, ';' between
};

// Every container, in the order the refusal message lists their lengths.
std::span<const Container> Containers();

// The container of a file of `length` that begins with `head`; null when none.
const Container* FindContainer(std::uint64_t length, std::span<const std::uint8_t> head);
// The container of `kind` that is the bare file, without a header; null when none.
const Container* BareContainer(FileKind kind);
// Whether some container has this length: only such a file is read at all.
bool IsContainerLength(std::uint64_t length);
// The longest container's length: no accepted file reaches past it.
std::uint64_t LongestContainer();

}  // namespace zovek
