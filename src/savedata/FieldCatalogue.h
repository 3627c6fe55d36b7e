#pragma once
// The catalogue of the fields a user can edit: for each one its key path as
// the dump names it ("chips", "characters[3].hp", "roles[2].acquired"),
// its caption, where it sits in the window, the data-region bytes it is
// stored in, and the values it takes. The command line's keys, the dump's
// keys and the comparison of two saves all come from here.
//
// A value is carried as its canonical text: a decimal number, "-" for an
// empty count or party slot, "true"/"false", or a scenario state as the dump
// names it ("hidden", "unvisited", "current", "finished").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "savedata/EditorView.h"

namespace zovek {

enum class EditPlace {
  ValueBox,   // txtValue(index)
  PartyBox,   // txtParty(index)
  Cell,       // Fgrid(grid) cell (row, col); character grids of `character`
  FlagCell,   // a 0/1 cell of Fgrid(0) (仲間加入, 体術使用), shown as false/true
  Aptitude,   // chkSitu(index) of `character`
  Technique,  // lstWaza row `row` of category `index`
  Scenario,   // the option of lstEvt entry `index`
  Role,       // lstRoll entry `index`
  StoredOnly, // written by its walk from other fields, never shown or entered
};

enum class EditValue { Number, NumberOrEmpty, Flag, State };

// The walk that loads and stores a field: the shown character's, a technique
// category's, a scenario entry's, or the save-wide one.
enum class FieldWalk { Character, Technique, Scenario, General };

struct CatalogueField {
  std::string key;
  std::string caption;       // what the window calls it, with its character or category
  EditPlace place;
  EditValue value;
  FieldWalk walk = FieldWalk::General;
  std::int64_t maximum = 0;  // Number, NumberOrEmpty: the range is 0..maximum
  int character = -1;        // the character whose grids hold it, -1 for none
  int index = 0;
  int grid = 0, row = 0, col = 0;
  std::vector<int> bytes{};  // the data-region bytes the field is stored in
};

// Every editable field, in the order the edits are made: the save-wide boxes,
// the possessions, the characters, the techniques, the scenarios, the roles.
const std::vector<CatalogueField>& FieldCatalogue();
const CatalogueField* FindField(std::string_view key);
// The fields a store walk writes that no one edits, and that no key names:
// the main party's count, made from the four main slots.
const std::vector<CatalogueField>& StoredOnlyFields();

// The key of the object a field's key sits in: "characters[3]" for
// "characters[3].hp", "" for "chips".
std::string ParentKey(std::string_view key);

// What the field takes, for messages: "a whole number 0..255 or -", ...
std::string TakesText(const CatalogueField& field);
// The same for lists: "0..255", "0..254|-", "true|false", "hidden|unvisited|...".
std::string RangeText(const CatalogueField& field);
// The scenario states by their names in the dump, in option order.
std::vector<std::string> StateNames();

// A whole number written as decimal digits alone (any number of leading
// zeros: "0005" is 5) within 0..maximum; nothing for any other text.
std::optional<std::int64_t> DigitsValue(const std::string& text, std::int64_t maximum);

// A value as typed on the command line in its canonical text; nothing when
// the field does not take it.
std::optional<std::string> ValueFromText(const CatalogueField& field, const std::string& text);

// What the window shows for the field now, and entering a value there as the
// user does (the field's character, category or entry must be the one shown).
std::string ShownValue(const CatalogueField& field, const EditorView& view);
void EnterValue(const CatalogueField& field, EditorView& view, const std::string& value);

}  // namespace zovek
