#pragma once
// The one road between SaveBuffer and the view for single fields: the class of
// a field is decided by its buffer index alone, and LoadField / StoreField
// convert between its bytes and its view element.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "savedata/EditorView.h"
#include "savefile/SaveBuffer.h"

namespace zovek {

enum class WalkMode {
  Load,   // buffer to view
  Store,  // view to buffer
};
inline constexpr WalkMode kLoad = WalkMode::Load;
inline constexpr WalkMode kStore = WalkMode::Store;

struct FieldRef {
  std::int16_t offset;
  std::int16_t width;
  std::int16_t slot;
};

enum class FieldClass {
  None,
  MainPartyCount,
  HeaderNumber,
  PartyMember,
  ItemCode,
  ItemCount,
  JoinedFlag,
  ScenarioState,
  PlayTime,
  RoleBits,
  CharacterNumber,
  SkillLevel,
  EquipCode,
  EquipCount,
  MartialFlag,
};

// The state byte of each scenario option, for load and store alike. optEvt(0)
// shows every other byte and, stored, keeps it.
inline constexpr std::array<std::int64_t, 4> kOptionState{-1, 2, 3, 254};  // -, "未踏", "該当", "終了"

// A store that cannot be completed: a value too large for its field or a view
// text that is not a number. No byte of the field has been written.
class StoreError : public std::runtime_error {
 public:
  StoreError(int errorNumber, const std::string& what) : std::runtime_error(what), number_(errorNumber) {}
  int number() const { return number_; }

 private:
  int number_;
};

// Everything a load or store works on.
struct FieldContext {
  SaveBuffer& buffer;
  EditorView& view;
  std::int16_t characterBase;  // 112 x the character selected in cmbChara
};

FieldClass ClassifyField(int offset, int characterBase);

// Both throw std::out_of_range for a field that leaves the data region or a
// width outside 1..4: a fault of the caller's tables, not of the save.
std::int64_t ReadNumber(const SaveBuffer& buffer, int offset, int width);
// Throws StoreError (kErrValueDoesNotFit) before writing when v does not fit.
void WriteNumber(SaveBuffer& buffer, int offset, int width, std::int64_t v);

// The play time as the editor reads it: bytes 964..966 in sixtieths of a
// second, and any non-zero byte 967 counting as 2^24 of them.
std::int64_t PlayTimeSixtieths(const SaveBuffer& buffer);

void LoadField(FieldContext& ctx, FieldRef ref);
// Throws StoreError; the buffer never receives a partly written field.
void StoreField(FieldContext& ctx, FieldRef ref);
// LoadField or StoreField, as the walk's mode says.
inline void WalkField(FieldContext& ctx, FieldRef ref, WalkMode mode) {
  if (mode == kLoad) {
    LoadField(ctx, ref);
  } else {
    StoreField(ctx, ref);
  }
}

}  // namespace zovek
