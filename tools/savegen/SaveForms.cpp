#include "savegen/SaveForms.h"

#include <algorithm>
#include <stdexcept>

#include "savegen/Random.h"

namespace zovek::savegen {

namespace {

Bytes Header(std::size_t size, std::uint64_t seed) {
  Bytes bytes(size);
  Random random(seed);
  std::generate(bytes.begin(), bytes.end(), [&] { return random.Byte(); });
  return bytes;
}

void Put(Bytes& bytes, std::size_t at, std::string_view text) { std::copy(text.begin(), text.end(), bytes.begin() + at); }

// The 20-byte name a directory frame holds at its bytes 10..29.
std::span<const std::uint8_t> NameOf(std::span<const std::uint8_t> single) { return single.subspan(10, 20); }

}  // namespace

bool IsCardForm(SaveForm form) { return form <= SaveForm::Vmp; }
bool IsSignedForm(SaveForm form) { return form == SaveForm::Vmp || form == SaveForm::Psv; }

std::size_t FormHeader(SaveForm form) {
  switch (form) {
    case SaveForm::Card: return 0;
    case SaveForm::Gme:
    case SaveForm::GmeBlank: return kGmeHeaderSize;
    case SaveForm::Vgs: return 64;
    case SaveForm::Vmp: return 128;
    case SaveForm::Single: return kFrameSize;
    case SaveForm::Block: return 0;
    case SaveForm::Header54: return 54;
    case SaveForm::Psv: return 0x84;
  }
  return 0;
}

Bytes InForm(SaveForm form, std::span<const std::uint8_t> plain) {
  if (plain.size() != (IsCardForm(form) ? kCardImageSize : kSingleSaveSize)) {
    throw std::invalid_argument("InForm: a card form needs a card, a single-save form a single save");
  }
  // A single save's own form keeps its frame; the others keep only the block.
  const auto body = IsCardForm(form) || form == SaveForm::Single ? plain : plain.subspan(kFrameSize);
  // The plain single save holds its own frame; the others get their header.
  Bytes file = Header(form == SaveForm::Single ? 0 : FormHeader(form), static_cast<std::uint64_t>(form) + 7);
  switch (form) {
    case SaveForm::Gme: Put(file, 0, kGmeSignature); break;
    case SaveForm::GmeBlank: std::fill(file.begin(), file.end(), 0); break;
    case SaveForm::Vgs: Put(file, 0, "VgsM"); break;
    case SaveForm::Vmp: Put(file, 0, std::string_view("\0PMV", 4)); break;
    case SaveForm::Header54: std::copy_n(NameOf(plain).begin(), 20, file.begin()); break;
    case SaveForm::Psv:
      Put(file, 0, std::string_view("\0VSP", 4));
      file[0x3C] = 1;
      std::copy_n(NameOf(plain).begin(), 20, file.begin() + 0x64);
      break;
    default: break;
  }
  file.insert(file.end(), body.begin(), body.end());
  if (form == SaveForm::GmeBlank) Put(file, kGmeHeaderSize, "MC");
  return file;
}

std::string SaveFileName(std::uint8_t digit) {
  // Bytes 0..12 anything printable, 13..17 the game code, 18 a separator, 19 the digit.
  return "ZVDATA-000001" + std::string(kGameCode) + "-" + std::string(1, static_cast<char>(digit));
}

}  // namespace zovek::savegen
