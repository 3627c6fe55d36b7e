#pragma once
// The properties the fuzz targets check, one function per target. Each takes
// one input of arbitrary bytes, runs it through the code under test and
// returns an empty string when every property holds, or a description of the
// first one that does not. Errors of the code under test (exceptions, memory
// faults) are left to propagate, so the fuzzer reports them as crashes.
//
// The same functions replay the seed corpus and every input that ever failed
// in the unit tests (tests/fuzz), so a failure found by fuzzing stays fixed.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace zovek::fuzzcheck {

// Input: byte 0 picks the form (card image, single save, any length, a bare
// directory span), bytes 1-2 the SelectedSave before the scan (any int16), the
// rest the file, cut or padded with a position-dependent pattern to the form's
// length. Checks ScanCardDirectory / ScanSingleHeader against an independent
// reading of the frames, and OpenSaveFile on the file written into `scratch`:
// its outcome, the working copy, the region read, and that the file itself is
// never changed.
std::string CheckFileScan(std::span<const std::uint8_t> data, const std::filesystem::path& scratch);

// Input: a data region (cut or zero-padded to 7808 bytes). Loads and stores
// every character, technique category and scenario entry and the general
// fields, once through a plain in-memory view and once through a view that
// applies the boxes' text rules as the window does; only the documented
// normalisations may change bytes, and a second round trip changes nothing.
std::string CheckWalkRoundTrip(std::span<const std::uint8_t> data);

// Input: bytes 0-3 pick the box, grid, row, column and typed key, the rest is
// the text. Every text rule's output is valid for its box and a fixed point of
// the rule; the reading and its canonical text agree with each other and with
// the portable decimal conversions.
std::string CheckTextRules(std::span<const std::uint8_t> data);

}  // namespace zovek::fuzzcheck
