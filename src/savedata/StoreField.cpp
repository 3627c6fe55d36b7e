// View to buffer for one field. Every value is computed, and every text
// converted, before the first byte of the field changes.

#include <string>

#include "savedata/FieldEngine.h"
#include "savedata/RoleMap.h"
#include "savedata/SaveLayout.h"
#include "savedata/TextNumber.h"
#include "savefile/ErrorNumbers.h"

namespace zovek {

namespace {

std::int64_t NumberIn(const std::string& text, const char* element) {
  if (const auto v = WholeNumberFromText(text)) return *v;
  throw StoreError(kErrTextNotANumber, std::string(element) + " holds \"" + text + "\", which is not a number");
}

// Party slots and counts: "-" is the empty value 255.
std::int64_t NumberOrEmptyIn(const std::string& text, const char* element) {
  return text == "-" ? kEmptyCode : NumberIn(text, element);
}

// The filled main slots are counted, not compacted. The four texts are checked
// here too, so the count is never written from boxes the slots will refuse.
std::int64_t MainPartyCount(const EditorView& view) {
  std::int64_t count = 0;
  for (int i = 0; i < kMainPartySlots; ++i) {
    const std::string text = view.PartyText(i);
    NumberOrEmptyIn(text, "txtParty");
    if (text != "-") ++count;
  }
  return count;
}

std::int64_t ScenarioStateValue(const EditorView& view, std::uint8_t present) {
  const int option = view.ScenarioOption();
  const bool stands = option >= 1 && option < static_cast<int>(kOptionState.size());
  return stands ? kOptionState[static_cast<std::size_t>(option)] : present;  // "非表示", or none on: the byte stays
}

std::int64_t PlayTimeValue(const EditorView& view) {
  const std::int64_t hours = NumberIn(view.ValueText(kHoursBox), "txtValue(3)");
  const std::int64_t minutes = NumberIn(view.ValueText(kMinutesBox), "txtValue(4)");
  // A negative part could cancel against the other into a time nobody typed.
  if (hours < 0 || minutes < 0) {
    throw StoreError(kErrValueDoesNotFit, "a negative play time cannot be stored");
  }
  return (hours * 60 + minutes) * kSixtiethsPerMinute;
}

void StoreJoinedFlag(FieldContext& ctx, int slot) {
  const auto bit = JoinedBitOf(ctx.characterBase);
  if (!bit) return;  // the soldier entries have no joined bit
  const bool joined = NumberIn(ctx.view.CellText(0, slot, 1), "Fgrid(0)") != 0;
  std::uint8_t& byte = ctx.buffer[static_cast<std::size_t>(bit->byteIndex)];
  const auto mask = static_cast<std::uint8_t>(1u << bit->bit);
  byte = static_cast<std::uint8_t>(joined ? (byte | mask) : (byte & ~mask));
}

void StoreMartialFlag(FieldContext& ctx, int o, int w, int slot) {
  const bool on = NumberIn(ctx.view.CellText(0, slot, 1), "Fgrid(0)") != 0;
  const std::int64_t present = ReadNumber(ctx.buffer, o, 1);
  const bool raiseNext = on && ReadNumber(ctx.buffer, o + 1, 1) == 0;
  const std::int64_t v = !on ? 0 : (present != 0 ? present : kMartialDefaultCode);
  WriteNumber(ctx.buffer, o, w, v);
  if (raiseNext) ctx.buffer[static_cast<std::size_t>(o + 1)] = kEmptyCode;  // never cleared again
}

}  // namespace

void StoreField(FieldContext& ctx, FieldRef ref) {
  const int o = ref.offset;
  const int w = ref.width;
  const int s = ref.slot;
  const EditorView& view = ctx.view;
  std::int64_t v = 0;

  switch (ClassifyField(o, ctx.characterBase)) {
    case FieldClass::None:
      return;
    case FieldClass::MainPartyCount:
      v = MainPartyCount(view);
      break;
    case FieldClass::HeaderNumber:
      v = NumberIn(view.ValueText(s), "txtValue");
      break;
    case FieldClass::PartyMember:
      v = NumberOrEmptyIn(view.PartyText(s), "txtParty");
      break;
    case FieldClass::ItemCode:
      v = NumberIn(view.CellText(2, s, 1), "Fgrid(2)");
      break;
    case FieldClass::ItemCount:
      v = NumberOrEmptyIn(view.CellText(2, s, 2), "Fgrid(2)");
      break;
    case FieldClass::JoinedFlag:
      StoreJoinedFlag(ctx, s);
      return;
    case FieldClass::ScenarioState:
      v = ScenarioStateValue(view, static_cast<std::uint8_t>(ReadNumber(ctx.buffer, o, 1)));
      break;
    case FieldClass::PlayTime:
      v = PlayTimeValue(view);
      break;
    case FieldClass::RoleBits:
      if (s < 0 || s >= kRoleGroups) return;
      v = ComposeRoleGroup(view, s, static_cast<int>(ReadNumber(ctx.buffer, o, 1)));
      break;
    case FieldClass::CharacterNumber:
      v = NumberIn(view.CellText(0, s, 1), "Fgrid(0)");
      break;
    case FieldClass::SkillLevel:
      v = NumberIn(view.CellText(0, s, 1), "Fgrid(0)");
      if (view.AptitudeChecked(s - kFirstSkillRow)) v |= kAptitudeBit;
      break;
    case FieldClass::EquipCode:
      v = NumberIn(view.CellText(1, s, 1), "Fgrid(1)");
      break;
    case FieldClass::EquipCount:
      v = NumberOrEmptyIn(view.CellText(1, s, 2), "Fgrid(1)");
      break;
    case FieldClass::MartialFlag:
      StoreMartialFlag(ctx, o, w, s);
      return;
  }
  WriteNumber(ctx.buffer, o, w, v);
}

}  // namespace zovek
