// Buffer to view for one field.

#include <algorithm>
#include <string>

#include "savedata/FieldEngine.h"
#include "savedata/RoleMap.h"
#include "savedata/SaveLayout.h"
#include "savedata/ViewNames.h"

namespace zovek {

namespace {

std::string Decimal(std::int64_t v) { return std::to_string(v); }

std::string DecimalOrEmpty(std::int64_t v) { return v == kEmptyCode ? std::string("-") : Decimal(v); }

int OptionOfState(std::int64_t v) {
  const auto found = std::find(kOptionState.begin() + 1, kOptionState.end(), v);
  return found == kOptionState.end() ? 0 : static_cast<int>(found - kOptionState.begin());
}

}  // namespace

std::int64_t PlayTimeSixtieths(const SaveBuffer& buffer) {
  std::int64_t v = ReadNumber(buffer, kPlayTimeOffset, 3);
  if (buffer[kPlayTimeHighByte] != 0) v += kPlayTimeHighByteValue;
  return v;
}

void LoadField(FieldContext& ctx, FieldRef ref) {
  const int o = ref.offset;
  const int w = ref.width;
  const int s = ref.slot;
  const SaveBuffer& buffer = ctx.buffer;
  EditorView& view = ctx.view;
  const int base = ctx.characterBase;

  const FieldClass cls = ClassifyField(o, base);
  switch (cls) {
    case FieldClass::None:
    case FieldClass::MainPartyCount:  // written on store only, never shown
      return;
    case FieldClass::HeaderNumber: {
      const std::int64_t v = std::min(ReadNumber(buffer, o, w), kValueBoxes.at(static_cast<std::size_t>(s)).maximum);
      view.SetValueText(s, Decimal(v));
      return;
    }
    case FieldClass::PartyMember: {
      const std::int64_t v = ReadNumber(buffer, o, w);
      view.SetPartyText(s, DecimalOrEmpty(v));
      ShowPartyLabel(view, static_cast<int>(v), s);
      return;
    }
    case FieldClass::ItemCode:
    case FieldClass::EquipCode: {
      const int grid = cls == FieldClass::ItemCode ? 2 : 1;
      ShowItemCode(view, grid, s, static_cast<int>(ReadNumber(buffer, o, w)));
      return;
    }
    case FieldClass::ItemCount:
    case FieldClass::EquipCount: {
      const int grid = cls == FieldClass::ItemCount ? 2 : 1;
      view.SetCellText(grid, s, 2, DecimalOrEmpty(ReadNumber(buffer, o, w)));
      return;
    }
    case FieldClass::JoinedFlag: {
      const auto bit = JoinedBitOf(base);
      const bool joined = bit && ((buffer[static_cast<std::size_t>(bit->byteIndex)] >> bit->bit) & 1) != 0;
      view.SetCellText(0, s, 1, joined ? "1" : "0");
      return;
    }
    case FieldClass::ScenarioState:
      view.SetScenarioOption(OptionOfState(ReadNumber(buffer, o, w)));
      return;
    case FieldClass::PlayTime: {
      // Read as three bytes plus the fourth-byte rule whatever width is given,
      // so the fourth byte can never count twice.
      const std::int64_t v = PlayTimeSixtieths(buffer);
      view.SetValueText(kHoursBox, Decimal(v / kSixtiethsPerHour));
      view.SetValueText(kMinutesBox, Decimal((v / kSixtiethsPerMinute) % 60));
      return;
    }
    case FieldClass::RoleBits:
      ShowRoleGroup(view, s, static_cast<int>(ReadNumber(buffer, o, w)));
      return;
    case FieldClass::CharacterNumber: {
      std::int64_t v = ReadNumber(buffer, o, w);
      if (o == base + kRecordsStart) v = std::min<std::int64_t>(v, kShownMaximum);  // CR
      view.SetCellText(0, s, 1, Decimal(v));
      return;
    }
    case FieldClass::SkillLevel: {
      const std::int64_t v = ReadNumber(buffer, o, w);
      view.SetAptitudeChecked(s - kFirstSkillRow, (v & kAptitudeBit) != 0);
      view.SetCellText(0, s, 1, Decimal(v % kAptitudeBit));
      return;
    }
    case FieldClass::MartialFlag:
      view.SetCellText(0, s, 1, ReadNumber(buffer, o, 1) != 0 ? "1" : "0");
      return;
  }
}

}  // namespace zovek
