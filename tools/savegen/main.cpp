// zovek-mkcard: writes memory-card images and single-save files for trying
// out and testing the editor.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "savegen/ByteFiles.h"
#include "savegen/DemoFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveForms.h"
#include "savegen/SaveImages.h"

namespace {

using namespace zovek::savegen;

constexpr std::string_view kUsage =
    "usage:\n"
    "  zovek-mkcard demo-card OUT      the example card image (saves 1, 3, 12 and another game's)\n"
    "  zovek-mkcard demo-single OUT    the example single-save file (save 5)\n"
    "  zovek-mkcard demo-gme OUT       the example card in the .gme container\n"
    "  zovek-mkcard card OUT [options]\n"
    "      --save BLOCK:DIGIT[:SEED]   a save of the game in block 1..15 (demo content from SEED)\n"
    "      --other BLOCK:CODE:DIGIT    another game's save (5-character CODE) in block 1..15\n"
    "      --frame N:CODE:DIGIT        only directory frame N = 0..15, block untouched\n"
    "      --bad-checksum BLOCK        write that block's save with a wrong checksum\n"
    "      --noise SEED                start from noise instead of zero bytes\n"
    "  zovek-mkcard single OUT [options]\n"
    "      --digit DIGIT  --seed SEED  --code CODE  --bad-checksum  --noise SEED\n"
    "  zovek-mkcard wrap FORM IN OUT   the card or single save IN in FORM: card, gme, gme-blank,\n"
    "                                  vgs, vmp, single, block, header54, psv\n"
    "DIGIT is one character (\"3\", \"B\", \":\") or a byte value (70, 0x46).\n";

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) {
      return parts;
    }
    start = end + 1;
  }
}

std::uint32_t Number(const std::string& text, std::uint32_t max) {
  std::size_t used = 0;
  const unsigned long value = std::stoul(text, &used, 0);
  if (used != text.size() || value > max) {
    throw std::invalid_argument("not a number up to " + std::to_string(max) + ": " + text);
  }
  return static_cast<std::uint32_t>(value);
}

std::uint8_t Digit(const std::string& text) {
  if (text.size() == 1) {
    return static_cast<std::uint8_t>(text[0]);
  }
  return static_cast<std::uint8_t>(Number(text, 255));
}

int Block(const std::string& text, int lowest) {
  const auto block = static_cast<int>(Number(text, 15));
  if (block < lowest) {
    throw std::invalid_argument("block out of range: " + text);
  }
  return block;
}

struct Arguments {
  std::map<std::string, std::vector<std::string>> options;
  std::set<std::string> flags;
};

Arguments ParseOptions(int argc, char** argv, int first, const std::set<std::string>& withValue,
                       const std::set<std::string>& flags) {
  Arguments arguments;
  for (int i = first; i < argc; ++i) {
    const std::string name = argv[i];
    if (flags.count(name) != 0) {
      arguments.flags.insert(name);
    } else if (withValue.count(name) != 0 && i + 1 < argc) {
      arguments.options[name].push_back(argv[++i]);
    } else {
      throw std::invalid_argument("unknown option or missing value: " + name);
    }
  }
  return arguments;
}

Bytes BuildCard(const Arguments& arguments) {
  auto values = [&](const std::string& name) {
    const auto found = arguments.options.find(name);
    return found == arguments.options.end() ? std::vector<std::string>{} : found->second;
  };

  std::set<int> badChecksum;
  for (const std::string& block : values("--bad-checksum")) {
    badChecksum.insert(Block(block, 1));
  }
  const std::vector<std::string> noise = values("--noise");
  CardImage card(noise.empty() ? 0 : Number(noise.back(), UINT32_MAX));

  for (const std::string& entry : values("--save")) {
    const std::vector<std::string> parts = Split(entry, ':');
    if (parts.size() < 2 || parts.size() > 3) {
      throw std::invalid_argument("--save wants BLOCK:DIGIT[:SEED]: " + entry);
    }
    const int block = Block(parts[0], 1);
    const std::uint32_t seed = parts.size() == 3 ? Number(parts[2], UINT32_MAX) : static_cast<std::uint32_t>(block);
    card.GameSave(block, Digit(parts[1]), DemoRegion(seed),
                  badChecksum.count(block) != 0 ? ChecksumMode::Wrong : ChecksumMode::Correct);
  }
  for (const std::string& entry : values("--other")) {
    const std::vector<std::string> parts = Split(entry, ':');
    if (parts.size() != 3) {
      throw std::invalid_argument("--other wants BLOCK:CODE:DIGIT: " + entry);
    }
    const int block = Block(parts[0], 1);
    card.OtherGameSave(block, parts[1], Digit(parts[2]), 1000u + static_cast<std::uint32_t>(block));
  }
  for (const std::string& entry : values("--frame")) {
    const std::vector<std::string> parts = Split(entry, ':');
    if (parts.size() != 3) {
      throw std::invalid_argument("--frame wants N:CODE:DIGIT: " + entry);
    }
    card.Frame(Block(parts[0], 0), parts[1], Digit(parts[2]));
  }
  return card.bytes();
}

Bytes BuildSingle(const Arguments& arguments) {
  auto last = [&](const std::string& name, const std::string& fallback) {
    const auto found = arguments.options.find(name);
    return found == arguments.options.end() ? fallback : found->second.back();
  };
  SingleSave single(Number(last("--noise", "0"), UINT32_MAX));
  single.Frame(last("--code", std::string(kGameCode)), Digit(last("--digit", "0")));
  single.Region(DemoRegion(Number(last("--seed", "1"), UINT32_MAX)),
                arguments.flags.count("--bad-checksum") != 0 ? ChecksumMode::Wrong : ChecksumMode::Correct);
  return single.bytes();
}

SaveForm FormNamed(const std::string& name) {
  const std::pair<const char*, SaveForm> forms[] = {
      {"card", SaveForm::Card},   {"gme", SaveForm::Gme},     {"gme-blank", SaveForm::GmeBlank},
      {"vgs", SaveForm::Vgs},     {"vmp", SaveForm::Vmp},     {"single", SaveForm::Single},
      {"block", SaveForm::Block}, {"header54", SaveForm::Header54}, {"psv", SaveForm::Psv}};
  for (const auto& [text, form] : forms) {
    if (name == text) return form;
  }
  throw std::invalid_argument("no such form: " + name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string command = argv[1];
  std::string out = argv[2];
  try {
    Bytes bytes;
    if (command == "demo-card" && argc == 3) {
      bytes = DemoCard();
    } else if (command == "demo-single" && argc == 3) {
      bytes = DemoSingle();
    } else if (command == "demo-gme" && argc == 3) {
      bytes = DemoGme();
    } else if (command == "card") {
      bytes = BuildCard(ParseOptions(argc, argv, 3, {"--save", "--other", "--frame", "--bad-checksum", "--noise"}, {}));
    } else if (command == "wrap" && argc == 5) {
      bytes = InForm(FormNamed(argv[2]), ReadWholeFile(argv[3]));
      out = argv[4];
    } else if (command == "single") {
      bytes = BuildSingle(ParseOptions(argc, argv, 3, {"--digit", "--seed", "--code", "--noise"}, {"--bad-checksum"}));
    } else {
      std::cerr << kUsage;
      return 2;
    }
    WriteWholeFile(out, bytes);
  } catch (const std::exception& error) {
    std::cerr << "zovek-mkcard: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
