#pragma once
// Plausible save contents for demos and tests: every field the editor shows
// gets a believable value, every other byte deterministic noise.

#include <cstddef>
#include <cstdint>

#include "savefile/SaveBuffer.h"

namespace zovek::savegen {

// Where the fields sit in the data region (buffer indices).
namespace layout {
inline constexpr std::size_t kPartyCount = 32;     // filled main slots
inline constexpr std::size_t kProtagonist = 33;
inline constexpr std::size_t kMainParty = 36;      // 4 slots, 255 = empty
inline constexpr std::size_t kSubParty = 40;       // 4 slots, 255 = empty
inline constexpr std::size_t kTechniques = 85;     // mastery bits in 85..110
inline constexpr std::size_t kTechniqueBytes = 26;
inline constexpr std::size_t kItems = 180;         // 64 pairs: code, count (255 = "-")
inline constexpr int kItemSlots = 64;
inline constexpr std::size_t kJoined = 412;        // characters 0..23, character 0 in bit 7 of 412
inline constexpr std::size_t kScenario = 516;      // state bytes 516..582
inline constexpr std::size_t kScenarioBytes = 67;
inline constexpr std::size_t kPlayTime = 964;      // 4 bytes, 1/60 s
inline constexpr std::size_t kRoles = 976;         // 4 bytes of role bits
inline constexpr std::size_t kChips = 1005;        // 3 bytes
inline constexpr std::size_t kRecords = 4600;      // 27 records of 112 bytes
inline constexpr std::size_t kRecordSize = 112;
inline constexpr int kCharacters = 27;
inline constexpr int kNamedCharacters = 24;

// Offsets inside a character record.
inline constexpr std::size_t kCr = 0;              // 3 bytes
inline constexpr std::size_t kHp = 4;              // 2 bytes
inline constexpr std::size_t kMaxHp = 6;           // 2 bytes
inline constexpr std::size_t kLp = 8;
inline constexpr std::size_t kMaxLp = 9;
inline constexpr std::size_t kWp = 12;
inline constexpr std::size_t kMaxWp = 13;
inline constexpr std::size_t kJp = 16;
inline constexpr std::size_t kMaxJp = 17;
inline constexpr std::size_t kSkillsFirst = 21;    // 21..26, then 28..33; level bits 0..6, aptitude bit 7
inline constexpr std::size_t kSkillsSecond = 28;
inline constexpr std::size_t kEquipment = 52;      // 6 pairs: code, count (255 = "-")
inline constexpr std::size_t kMartial = 64;        // 0 = off; 65 becomes 255 when on
inline constexpr std::size_t kAge = 86;

constexpr std::size_t Record(int character) { return kRecords + kRecordSize * static_cast<std::size_t>(character); }
// Record offset of skill 0..11 (the first six, a gap at 27, the other six).
constexpr std::size_t SkillOffset(int skill) {
  return skill < 6 ? kSkillsFirst + static_cast<std::size_t>(skill) : kSkillsSecond + static_cast<std::size_t>(skill - 6);
}
}  // namespace layout

// A little-endian unsigned number of 1..4 bytes.
void PutNumber(SaveBuffer& region, std::size_t index, int width, std::uint32_t value);
std::uint32_t GetNumber(const SaveBuffer& region, std::size_t index, int width);

// Play time in sixtieths of a second (all four bytes), and chips (three bytes).
inline constexpr std::uint32_t PlayTime(std::uint32_t hours, std::uint32_t minutes, std::uint32_t seconds = 0) {
  return ((hours * 60 + minutes) * 60 + seconds) * 60;
}
void SetPlayTime(SaveBuffer& region, std::uint32_t sixtieths);
void SetChips(SaveBuffer& region, std::uint32_t chips);

// Whether named character 0..23 has joined (its bit in bytes 412..414).
bool HasJoined(const SaveBuffer& region, int character);
void SetJoined(SaveBuffer& region, int character, bool joined);

// A whole region of demo content, the same for the same seed, checksum right.
// Play time stays under 61 hours and chips under 250000, so callers that want
// the display limits reached set them on top.
SaveBuffer DemoRegion(std::uint32_t seed);

}  // namespace zovek::savegen
