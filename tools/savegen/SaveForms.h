#pragma once
// The forms players keep cards and single saves in, built around a plain card
// (131072 bytes) or single save (8320 bytes: frame and block), independently
// of the editor's own table of them. Header bytes past what identifies a form
// are noise, for realism only, so that a write into a header shows.

#include <span>
#include <string>

#include "savegen/SaveImages.h"

namespace zovek::savegen {

enum class SaveForm {
  Card,        // the plain card
  Gme,         // "123-456-STD" and a 3904-byte header
  GmeBlank,    // the same header all zero, the card beginning "MC"
  Vgs,         // "VgsM" and a 64-byte header
  Vmp,         // "\0PMV" and a 128-byte header, signed
  Single,      // the plain single save
  Block,       // the 8192-byte block alone, named after the save
  Header54,    // the save's 20-byte name, then the rest of a 54-byte header
  Psv,         // "\0VSP", byte 0x3C = 1, the name at 0x64, a 0x84-byte header, signed
};

inline constexpr SaveForm kEveryForm[] = {SaveForm::Card,   SaveForm::Gme,   SaveForm::GmeBlank,
                                          SaveForm::Vgs,    SaveForm::Vmp,   SaveForm::Single,
                                          SaveForm::Block,  SaveForm::Header54, SaveForm::Psv};

bool IsCardForm(SaveForm form);
bool IsSignedForm(SaveForm form);
// Where the card, or the single save's block, starts in the form.
std::size_t FormHeader(SaveForm form);

// `plain` (a card for the card forms, a single save for the others) in `form`.
Bytes InForm(SaveForm form, std::span<const std::uint8_t> plain);

// A 20-byte save name of the game for save `digit`, printable, as the tools
// that export a bare block name its file; `plain` single saves built with
// SingleSave::Frame carry the same code and digit.
std::string SaveFileName(std::uint8_t digit);

}  // namespace zovek::savegen
