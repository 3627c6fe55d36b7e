#pragma once
// Fixed places and values of the data region that the field engine and the
// walks share.

#include <optional>

namespace zovek {

inline constexpr int kRecordsStart = 4600;     // record of character k at 4600 + 112 k
inline constexpr int kRecordSize = 112;
inline constexpr int kMartialFlagInRecord = 64;  // the byte after it is raised to 255 with the flag

inline constexpr int kJoinedFlagsStart = 412;  // bytes 412..414, character 0 in bit 7 of 412
inline constexpr int kJoinedCharacters = 24;   // the soldier entries 24..26 have no bit

inline constexpr int kScenarioStatesStart = 516;
inline constexpr int kScenarioStatesLast = 582;

inline constexpr int kPlayTimeOffset = 964;     // bytes 964..967, in sixtieths of a second
inline constexpr int kRoleBytesStart = 976;     // role groups 0..3 in bytes 976..979
inline constexpr int kRoleBytes = 4;
inline constexpr int kChipsOffset = 1005;

// Numbers that the value boxes and the CR row cannot show are shown as this.
inline constexpr long kShownMaximum = 999999;

// Written into an empty martial-arts byte when the flag is turned on: an item
// code the game accepts there.
inline constexpr int kMartialDefaultCode = 79;
inline constexpr int kAptitudeBit = 128;
inline constexpr int kEmptyCode = 255;  // empty party slot, empty count: shown as "-"

// Scenario state values and the option button showing each.
inline constexpr int kStateUnvisited = 2;  // optEvt(1) "未踏"
inline constexpr int kStateCurrent = 3;    // optEvt(2) "該当"
inline constexpr int kStateFinished = 254; // optEvt(3) "終了"

inline constexpr long kSixtiethsPerMinute = 3600;
inline constexpr long kSixtiethsPerHour = 216000;
// Any non-zero byte 967 counts as this many sixtieths when the play time is read.
inline constexpr long kPlayTimeHighByteValue = 16777216;

struct JoinedBit {
  int byteIndex;
  int bit;
};
// Where the joined flag of the character with this record base lives; nothing
// for the soldier entries (and for any base that names no character).
inline std::optional<JoinedBit> JoinedBitOf(int characterBase) {
  if (characterBase < 0 || characterBase % kRecordSize != 0) return std::nullopt;
  const int k = characterBase / kRecordSize;
  if (k >= kJoinedCharacters) return std::nullopt;
  return JoinedBit{kJoinedFlagsStart + k / 8, 7 - k % 8};
}

}  // namespace zovek
