// The class of a field follows from its buffer index alone: absolute indices
// for the save-wide fields, indices relative to the shown character's record
// for the rest. A field is known by its first byte.

#include "savedata/FieldEngine.h"
#include "savedata/SaveLayout.h"

namespace zovek {

namespace {

bool Within(int x, int low, int high) { return x >= low && x <= high; }

FieldClass ClassifyAbsolute(int o) {
  if (o == kMainPartyCountOffset) return FieldClass::MainPartyCount;
  if (NumberBoxAt(o) >= 0) return FieldClass::HeaderNumber;
  if (Within(o, kPartyStart, kPartyStart + kPartySlots - 1)) return FieldClass::PartyMember;
  if (Within(o, kPossessionsStart, kPossessionsLast)) {
    return (o - kPossessionsStart) % 2 == 0 ? FieldClass::ItemCode : FieldClass::ItemCount;
  }
  if (o == kJoinedFlagsStart) return FieldClass::JoinedFlag;
  if (Within(o, kScenarioStatesStart, kScenarioStatesLast)) return FieldClass::ScenarioState;
  if (o == kPlayTimeOffset) return FieldClass::PlayTime;
  if (Within(o, kRoleBytesStart, kRoleBytesStart + kRoleBytes - 1)) return FieldClass::RoleBits;
  return FieldClass::None;
}

constexpr FieldClass ClassOfRow(CharacterRowKind kind) {
  switch (kind) {
    case CharacterRowKind::Number: return FieldClass::CharacterNumber;
    case CharacterRowKind::Skill: return FieldClass::SkillLevel;
    case CharacterRowKind::Martial: return FieldClass::MartialFlag;
    case CharacterRowKind::Joined: break;  // an absolute index
  }
  return FieldClass::None;
}

// r is the offset inside the 112-byte record.
FieldClass ClassifyRecord(int r) {
  for (int row = 1; row <= kCharacterRows; ++row) {
    const CharacterRow& field = kCharacterGrid[static_cast<std::size_t>(row)];
    if (field.recordOffset == r) return ClassOfRow(field.kind);
  }
  if (Within(r, kEquipmentInRecord, kEquipmentInRecord + 2 * kEquipmentSlots - 1)) {
    return (r - kEquipmentInRecord) % 2 == 0 ? FieldClass::EquipCode : FieldClass::EquipCount;
  }
  return FieldClass::None;
}

}  // namespace

FieldClass ClassifyField(int offset, int characterBase) {
  const FieldClass absolute = ClassifyAbsolute(offset);
  if (absolute != FieldClass::None) return absolute;
  return ClassifyRecord(offset - kRecordsStart - characterBase);
}

}  // namespace zovek
