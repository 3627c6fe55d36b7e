// Writes the seed corpus of the fuzz targets into <corpus root>/<target>/:
// card directories and single-save headers from the test-save generator,
// plausible and extreme data regions, and the texts the box rules are known
// to treat specially. Inputs found by fuzzing are added beside these by hand.
//
//     zovek-fuzz-seeds fuzz/corpus

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "savegen/ByteFiles.h"
#include "savegen/DemoFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"

namespace {

namespace fs = std::filesystem;
using zovek::SaveBuffer;
using zovek::savegen::Bytes;
using zovek::savegen::CardImage;
using zovek::savegen::SingleSave;

// File-scan input: form byte, SelectedSave (little-endian int16), the file's first bytes.
Bytes ScanInput(std::uint8_t form, std::int16_t selected, const Bytes& file, std::size_t keep) {
  const auto s = static_cast<std::uint16_t>(selected);
  Bytes input{form, static_cast<std::uint8_t>(s & 0xFF), static_cast<std::uint8_t>(s >> 8)};
  input.insert(input.end(), file.begin(), file.begin() + static_cast<std::ptrdiff_t>(std::min(keep, file.size())));
  return input;
}

void WriteSeed(const fs::path& directory, const std::string& name, const Bytes& bytes) {
  fs::create_directories(directory);
  zovek::savegen::WriteWholeFile(directory / name, bytes);
}

void FileScanSeeds(const fs::path& out) {
  constexpr std::size_t kDirectory = 1952;
  WriteSeed(out, "card-demo", ScanInput(0, 0, zovek::savegen::DemoCard(), kDirectory));
  WriteSeed(out, "card-demo-selected-minus-one", ScanInput(0, -1, zovek::savegen::DemoCard(), kDirectory));

  CardImage same(7);
  same.Frame(2, "ZOVEK", '3').Frame(7, "ZOVEK", '3');
  WriteSeed(out, "card-two-frames-one-number", ScanInput(0, 9, same.bytes(), kDirectory));

  CardImage digits(11);
  const std::string_view edge = ":EF@/a";
  for (std::size_t i = 0; i < edge.size(); ++i) {
    digits.Frame(static_cast<int>(i) + 1, "ZOVEK", static_cast<std::uint8_t>(edge[i]));
  }
  digits.Frame(0, "ZOVEK", '0').Frame(15, "ZOVEK", '0').Frame(14, "ZOVEk", '1');
  WriteSeed(out, "card-edge-digits", ScanInput(0, 0, digits.bytes(), kDirectory));

  CardImage kept(13);
  kept.Frame(3, "ZOVEK", '4').Frame(9, "ZOVEK", 'B');
  WriteSeed(out, "card-selected-kept", ScanInput(0, 12, kept.bytes(), kDirectory));

  WriteSeed(out, "single-demo", ScanInput(1, 3, zovek::savegen::DemoSingle(), 128));
  SingleSave beyond(5);
  beyond.Frame("ZOVEK", 'F');
  WriteSeed(out, "single-digit-beyond", ScanInput(1, 0, beyond.bytes(), 128));

  WriteSeed(out, "length-refused", ScanInput(2, 0, Bytes(100, 0x5A), 100));
  WriteSeed(out, "directory-cut-in-frame-seven", ScanInput(3, 0, zovek::savegen::DemoCard(), 128 * 7 + 20));
}

void WalkSeeds(const fs::path& out) {
  const auto asBytes = [](const SaveBuffer& region) { return Bytes(region.begin(), region.end()); };
  WriteSeed(out, "demo-1", asBytes(zovek::savegen::DemoRegion(1)));
  WriteSeed(out, "demo-2", asBytes(zovek::savegen::DemoRegion(2)));
  WriteSeed(out, "all-zero", Bytes(zovek::kDataRegionSize, 0));
  WriteSeed(out, "all-ff", Bytes(zovek::kDataRegionSize, 0xFF));

  // Every value beyond what the window shows: play time over 99 hours through
  // the fourth byte, chips and CR above 999999, martial flags with a 0 after them.
  namespace layout = zovek::savegen::layout;
  SaveBuffer extreme = zovek::savegen::DemoRegion(3);
  zovek::savegen::PutNumber(extreme, layout::kPlayTime, 4, 0x01FFFFFFu);
  zovek::savegen::SetChips(extreme, 0xFFFFFF);
  for (int k = 0; k < layout::kCharacters; ++k) {
    zovek::savegen::PutNumber(extreme, layout::Record(k) + layout::kCr, 3, 1000000u + static_cast<std::uint32_t>(k));
    extreme[layout::Record(k) + layout::kMartial] = static_cast<std::uint8_t>(k);
    extreme[layout::Record(k) + layout::kMartial + 1] = 0;
  }
  WriteSeed(out, "beyond-the-window", asBytes(extreme));
}

void TextSeeds(const fs::path& out) {
  const std::vector<std::string> texts{
      "05",    "12a",  "1.5",  "1e3",   "&H1F", "&O17",  "-",       "-9",     "9e9", "300",
      "2.5",   "3.5",  " 1 2 ", "\xEF\xBC\x91\xEF\xBC\x92", "1d308", "1e-400", "&HFFFFFFFFFFFFFFFFFFFF",
      "1.",    "99e",  "0.000001", "-0", "255", "1.2.3", "+7", "&h", "e5", std::string(400, '9'),
      std::string("\xFF\xFE\x00" "7", 4), "0.1e-310", "4.9406564584124654e-324", "1.7976931348623157e308"};
  for (std::size_t k = 0; k < texts.size(); ++k) {
    Bytes input{static_cast<std::uint8_t>(k * 9), static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k * 3 + 1),
                static_cast<std::uint8_t>('0' + k % 10)};
    input.insert(input.end(), texts[k].begin(), texts[k].end());
    WriteSeed(out, "text-" + std::to_string(k), input);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zovek-fuzz-seeds <corpus root>\n");
    return 2;
  }
  const fs::path root = argv[1];
  FileScanSeeds(root / "file_scan");
  WalkSeeds(root / "walk_roundtrip");
  TextSeeds(root / "text_rules");
  return 0;
}
