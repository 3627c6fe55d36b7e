#include "savegen/DemoSave.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "savegen/Random.h"
#include "savegen/SaveImages.h"

namespace zovek::savegen {

using namespace layout;

namespace {

// Codes with a proper item name; the rest show generated placeholder names,
// which a real save would rarely hold.
bool IsNamedItem(std::uint32_t code) {
  constexpr std::array<std::uint32_t, 5> kItemPlaceholders = {14, 15, 68, 86, 87};
  const bool armourPlaceholder = code == 103 || code == 107 || (code >= 118 && code <= 123) ||
                                 (code >= 136 && code <= 139) || (code >= 141 && code <= 143) || code == 150 ||
                                 code == 151 || (code >= 215 && code <= 219) || (code >= 227 && code <= 232) ||
                                 code == 249 || code >= 252;
  return code != 0 && !armourPlaceholder &&
         std::find(kItemPlaceholders.begin(), kItemPlaceholders.end(), code) == kItemPlaceholders.end();
}

std::uint8_t NamedItemIn(Random& random, std::uint32_t lo, std::uint32_t hi) {
  for (;;) {
    const std::uint32_t code = random.Range(lo, hi);
    if (IsNamedItem(code)) {
      return static_cast<std::uint8_t>(code);
    }
  }
}

std::uint8_t Byte(std::uint32_t value) { return static_cast<std::uint8_t>(value); }

void FillCharacter(SaveBuffer& region, int character, Random& random) {
  const std::size_t base = Record(character);
  PutNumber(region, base + kCr, 3, random.Range(0, 90000));

  const std::uint32_t maxHp = random.Range(80, 999);
  PutNumber(region, base + kMaxHp, 2, maxHp);
  PutNumber(region, base + kHp, 2, random.Range(maxHp / 2, maxHp));
  const std::uint32_t maxLp = random.Range(5, 20);
  region[base + kMaxLp] = Byte(maxLp);
  region[base + kLp] = Byte(random.Range(1, maxLp));
  const std::uint32_t maxWp = random.Range(10, 99);
  region[base + kMaxWp] = Byte(maxWp);
  region[base + kWp] = Byte(random.Range(0, maxWp));
  const std::uint32_t maxJp = random.Range(0, 60);
  region[base + kMaxJp] = Byte(maxJp);
  region[base + kJp] = Byte(random.Range(0, maxJp));

  for (int skill = 0; skill < 12; ++skill) {
    const std::uint32_t aptitude = random.Chance(25) ? 0x80u : 0u;
    region[base + SkillOffset(skill)] = Byte(aptitude | random.Range(0, 40));
  }

  // Two weapon slots (with a use count, or "-"), then four armour slots ("-").
  for (std::size_t pair = 0; pair < 6; ++pair) {
    const std::size_t at = base + kEquipment + 2 * pair;
    const bool weapon = pair < 2;
    if (pair > 0 && random.Chance(20)) {
      region[at] = 0;
      region[at + 1] = 0;
    } else if (weapon) {
      region[at] = NamedItemIn(random, 1, 67);
      region[at + 1] = random.Chance(30) ? std::uint8_t{255} : Byte(random.Range(1, 99));
    } else {
      region[at] = NamedItemIn(random, 88, 214);
      region[at + 1] = 255;
    }
  }

  if (random.Chance(30)) {
    region[base + kMartial] = random.Chance(50) ? 79 : 34;
    region[base + kMartial + 1] = 255;
  } else {
    region[base + kMartial] = 0;
  }
  region[base + kAge] = Byte(random.Range(14, 65));
}

void FillParty(SaveBuffer& region, Random& random) {
  std::array<bool, kNamedCharacters> taken{};
  auto pick = [&] {
    for (;;) {
      const std::uint32_t code = random.Range(0, kNamedCharacters - 1);
      if (!taken[code]) {
        taken[code] = true;
        return Byte(code);
      }
    }
  };

  const std::uint8_t protagonist = Byte(random.Range(0, 7));
  taken[protagonist] = true;
  region[kProtagonist] = protagonist;

  const std::uint32_t mainCount = random.Range(2, 4);
  const std::uint32_t subCount = random.Range(0, 4);
  region[kPartyCount] = Byte(mainCount);
  for (std::uint32_t slot = 0; slot < 4; ++slot) {
    region[kMainParty + slot] = slot == 0 ? protagonist : slot < mainCount ? pick() : std::uint8_t{255};
    region[kSubParty + slot] = slot < subCount ? pick() : std::uint8_t{255};
  }

  for (int character = 0; character < kNamedCharacters; ++character) {
    SetJoined(region, character, taken[static_cast<std::size_t>(character)] || random.Chance(40));
  }
}

void FillPossessions(SaveBuffer& region, Random& random) {
  const std::uint32_t filled = random.Range(30, 56);
  for (std::uint32_t slot = 0; slot < static_cast<std::uint32_t>(kItemSlots); ++slot) {
    const std::size_t at = kItems + 2 * slot;
    if (slot < filled) {
      region[at] = NamedItemIn(random, 1, 251);
      region[at + 1] = random.Chance(20) ? std::uint8_t{255} : Byte(random.Range(1, 99));
    } else {
      region[at] = 255;  // an empty slot
      region[at + 1] = 255;
    }
  }
}

void FillScenario(SaveBuffer& region, Random& random) {
  // Bytes of no scenario entry keep their noise.
  constexpr std::array<std::size_t, 9> kUnused = {5, 13, 35, 41, 45, 48, 58, 60, 65};
  for (std::size_t k = 0; k < kScenarioBytes; ++k) {
    if (std::find(kUnused.begin(), kUnused.end(), k) != kUnused.end()) {
      continue;
    }
    const std::uint32_t roll = random.Range(0, 99);
    std::uint8_t state = 254;                   // finished
    if (roll >= 40) state = 2;                  // not yet visited
    if (roll >= 65) state = 3;                  // current
    if (roll >= 80) state = 0;                  // hidden
    if (roll >= 95) state = Byte(random.Range(4, 253));  // hidden, an odd value
    region[kScenario + k] = state;
  }
}

}  // namespace

void PutNumber(SaveBuffer& region, std::size_t index, int width, std::uint32_t value) {
  if (width < 1 || width > 4 || index + static_cast<std::size_t>(width) > region.size()) {
    throw std::out_of_range("number does not fit in the region");
  }
  for (int i = 0; i < width; ++i) {
    region[index + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

std::uint32_t GetNumber(const SaveBuffer& region, std::size_t index, int width) {
  if (width < 1 || width > 4 || index + static_cast<std::size_t>(width) > region.size()) {
    throw std::out_of_range("number does not fit in the region");
  }
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) {
    value = (value << 8) | region[index + static_cast<std::size_t>(i)];
  }
  return value;
}

void SetPlayTime(SaveBuffer& region, std::uint32_t sixtieths) { PutNumber(region, kPlayTime, 4, sixtieths); }

void SetChips(SaveBuffer& region, std::uint32_t chips) { PutNumber(region, kChips, 3, chips); }

bool HasJoined(const SaveBuffer& region, int character) {
  const auto k = static_cast<std::size_t>(character);
  return ((region[kJoined + k / 8] >> (7 - k % 8)) & 1u) != 0;
}

void SetJoined(SaveBuffer& region, int character, bool joined) {
  if (character < 0 || character >= kNamedCharacters) {
    throw std::out_of_range("only characters 0..23 have a joined bit");
  }
  const auto k = static_cast<std::size_t>(character);
  const auto bit = static_cast<std::uint8_t>(0x80u >> (k % 8));
  region[kJoined + k / 8] = static_cast<std::uint8_t>(joined ? region[kJoined + k / 8] | bit
                                                             : region[kJoined + k / 8] & ~bit);
}

SaveBuffer DemoRegion(std::uint32_t seed) {
  Random random(seed);
  SaveBuffer region{};
  std::generate(region.begin(), region.end(), [&] { return random.Byte(); });

  for (int character = 0; character < kCharacters; ++character) {
    FillCharacter(region, character, random);
  }
  FillParty(region, random);
  FillPossessions(region, random);
  FillScenario(region, random);
  // Technique mastery and role bits keep their noise: any bit pattern is a
  // plausible set of learned techniques and roles.
  // One draw per statement: the order of evaluating call arguments differs
  // between compilers, and the bytes must not.
  const std::uint32_t hours = random.Range(5, 60);
  const std::uint32_t minutes = random.Range(0, 59);
  const std::uint32_t seconds = random.Range(0, 59);
  const std::uint32_t sixtieths = random.Range(0, 59);
  SetPlayTime(region, PlayTime(hours, minutes, seconds) + sixtieths);
  SetChips(region, random.Range(0, 249999));
  ApplyChecksum(region, ChecksumMode::Correct);
  return region;
}

}  // namespace zovek::savegen
