// The class of a field follows from its buffer index alone: absolute indices
// for the save-wide fields, indices relative to the shown character's record
// for the rest.

#include "savedata/FieldEngine.h"
#include "savedata/FieldRules.h"

namespace zovek {

namespace {

bool Within(int x, int low, int high) { return x >= low && x <= high; }

FieldClass ClassifyAbsolute(int o) {
  if (o == 32) return FieldClass::MainPartyCount;
  if (o == 33 || o == 1005) return FieldClass::HeaderNumber;
  if (Within(o, 36, 43)) return FieldClass::PartyMember;
  if (Within(o, 180, 307)) return o % 2 == 0 ? FieldClass::ItemCode : FieldClass::ItemCount;
  if (o == kJoinedFlagsStart) return FieldClass::JoinedFlag;
  if (Within(o, kScenarioStatesStart, kScenarioStatesLast)) return FieldClass::ScenarioState;
  if (o == kPlayTimeOffset) return FieldClass::PlayTime;
  if (Within(o, kRoleBytesStart, kRoleBytesStart + 3)) return FieldClass::RoleBits;
  return FieldClass::None;
}

// r is the offset inside the 112-byte record.
FieldClass ClassifyRecord(int r) {
  if (r == 0 || Within(r, 4, 17) || r == 86) return FieldClass::CharacterNumber;
  if (Within(r, 21, 33)) return FieldClass::SkillLevel;
  if (Within(r, 52, 63)) return r % 2 == 0 ? FieldClass::EquipCode : FieldClass::EquipCount;
  if (r == kMartialFlagInRecord) return FieldClass::MartialFlag;
  return FieldClass::None;
}

}  // namespace

FieldClass ClassifyField(int offset, int characterBase) {
  const FieldClass absolute = ClassifyAbsolute(offset);
  if (absolute != FieldClass::None) return absolute;
  return ClassifyRecord(offset - kRecordsStart - characterBase);
}

}  // namespace zovek
