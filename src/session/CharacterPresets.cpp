// The three presets of the character view. Like typing, they change the view
// only; the buffer takes the values at the next store of the character.

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "savedata/SaveLayout.h"
#include "session/EditSession.h"

namespace zovek {

namespace {

struct Preset {
  int hp;      // hp, maxHp
  int lp;      // lp, maxLp
  int wpJp;    // wp, maxWp, jp, maxJp
  int skills;  // every skill level
  bool aptitudes;
};

// 能力推奨, 能力最強, 能力最弱.
constexpr Preset kPresets[3] = {
    {999, 99, 230, 99, true},
    {65535, 255, 255, 127, true},
    {1, 1, 1, 1, false},
};

// The value a preset gives a row of the character grid; none for the rows it leaves.
std::optional<int> PresetValue(const Preset& preset, const CharacterRow& row) {
  const std::string_view key = row.key;
  if (row.kind == CharacterRowKind::Skill) return preset.skills;
  if (key == "hp" || key == "maxHp") return preset.hp;
  if (key == "lp" || key == "maxLp") return preset.lp;
  if (key == "wp" || key == "maxWp" || key == "jp" || key == "maxJp") return preset.wpJp;
  return std::nullopt;
}

}  // namespace

void EditSession::ApplyPreset(int preset) {
  if (preset < 0 || preset >= static_cast<int>(std::size(kPresets))) return;
  const Preset& values = kPresets[preset];
  for (int row = 1; row <= kCharacterRows; ++row) {
    if (const auto value = PresetValue(values, kCharacterGrid[static_cast<std::size_t>(row)])) {
      view_.SetCellText(0, row, 1, std::to_string(*value));
    }
  }
  for (int k = 0; k < kAptitudeBoxes; ++k) {
    view_.SetAptitudeChecked(k, values.aptitudes);
  }
}

}  // namespace zovek
