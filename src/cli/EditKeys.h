#pragma once
// The editable fields of a save by their key paths in `dump --json`
// ("chips", "characters[3].hp", "possessions[10].count", ...): where each one
// sits in the window, what its box or cell takes after its commit, and how a
// value is written on the command line, in a dump and in the window.
//
// A value is carried as its canonical text: a decimal number, "-" for an
// empty count or party slot, "true"/"false", or a scenario state as the dump
// names it ("hidden", "unvisited", "current", "finished").

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QJsonValue>

#include "savedata/EditorView.h"

namespace zovek::cli {

enum class EditPlace {
  ValueBox,   // txtValue(index)
  PartyBox,   // txtParty(index)
  Cell,       // Fgrid(grid) cell (row, col); character grids of `character`
  FlagCell,   // a 0/1 cell of Fgrid(0) (仲間加入, 体術使用), shown as false/true
  Aptitude,   // chkSitu(index) of `character`
  Technique,  // lstWaza row `row` of category `index`
  Scenario,   // the option of lstEvt entry `index`
  Role,       // lstRoll entry `index`
};

enum class EditValue { Number, NumberOrEmpty, Flag, State };

struct EditKey {
  std::string key;
  EditPlace place;
  EditValue value;
  std::int64_t maximum = 0;  // Number, NumberOrEmpty: the range is 0..maximum
  int character = -1;        // the character whose grids hold it, -1 for none
  int index = 0;
  int grid = 0, row = 0, col = 0;
  std::vector<int> bytes{};  // the data-region bytes the field is stored in
};

// Every editable key, in the order the edits are made: the save-wide boxes,
// the possessions, the characters, the techniques, the scenarios, the roles.
const std::vector<EditKey>& EditKeys();
const EditKey* FindEditKey(const std::string& key);

// What the key takes, for messages: "a whole number 0..255 or -", ...
std::string TakesText(const EditKey& key);

// A whole number written as decimal digits alone (any number of leading
// zeros: "0005" is 5) within 0..maximum; nothing for any other text.
std::optional<std::int64_t> DigitsValue(const std::string& text, std::int64_t maximum);

// A value as typed on the command line, or as a JSON value of a dump; nothing
// when the field does not take it.
std::optional<std::string> ValueFromText(const EditKey& key, const std::string& text);
std::optional<std::string> ValueFromJson(const EditKey& key, const QJsonValue& value);

// What the window shows for the field now, and entering a value there as the
// user does (the field's character, category or entry must be the one shown).
std::string ShownValue(const EditKey& key, const EditorView& view);
void EnterValue(const EditKey& key, EditorView& view, const std::string& value);

}  // namespace zovek::cli
