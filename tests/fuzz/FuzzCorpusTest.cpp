// Every input of the fuzz corpus (seeds and past findings) still satisfies
// its target's properties, in the ordinary build and under the sanitizers.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "savefile/TempDir.h"
#include "checks/FuzzChecks.h"
#include "savegen/ByteFiles.h"

namespace zovek::fuzzcheck {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = ZOVEK_FUZZ_CORPUS_DIR;

std::vector<fs::path> Inputs(const std::string& target) {
  std::vector<fs::path> inputs;
  for (const auto& entry : fs::directory_iterator(kCorpus / target)) {
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  return inputs;
}

template <class Check>
void ReplayCorpus(const std::string& target, Check check) {
  const std::vector<fs::path> inputs = Inputs(target);
  ASSERT_GE(inputs.size(), 5u) << "the corpus of " << target << " is missing";
  for (const fs::path& input : inputs) {
    const std::vector<std::uint8_t> bytes = savegen::ReadWholeFile(input);
    EXPECT_EQ(check(bytes), "") << input.filename();
  }
}

TEST(FuzzCorpus, FileScanInputsHold) {
  testfiles::TempDir scratch;
  ReplayCorpus("file_scan", [&](const std::vector<std::uint8_t>& bytes) { return CheckFileScan(bytes, scratch.path()); });
}

TEST(FuzzCorpus, WalkRoundTripInputsHold) {
  ReplayCorpus("walk_roundtrip", [](const std::vector<std::uint8_t>& bytes) { return CheckWalkRoundTrip(bytes); });
}

TEST(FuzzCorpus, TextRuleInputsHold) {
  ReplayCorpus("text_rules", [](const std::vector<std::uint8_t>& bytes) { return CheckTextRules(bytes); });
}

// A card image whose frame 1 names save 1 goes the whole way: scan, working
// copy, region read; inputs too short to pick a form are accepted as they are.
TEST(FuzzCorpus, ACardInputGoesThroughTheOpenCommand) {
  testfiles::TempDir scratch;
  std::vector<std::uint8_t> card(3 + 128 + 30, 0);
  const std::string code = "ZOVEK";
  std::copy(code.begin(), code.end(), card.begin() + 3 + 128 + 23);
  card[3 + 128 + 29] = '0';
  EXPECT_EQ(CheckFileScan(card, scratch.path()), "");
  EXPECT_TRUE(fs::exists(scratch.path() / "zovek.tmp"));
  EXPECT_EQ(CheckFileScan({}, scratch.path()), "");
  EXPECT_EQ(CheckTextRules({}), "");
  EXPECT_EQ(CheckWalkRoundTrip({}), "");
}

}  // namespace
}  // namespace zovek::fuzzcheck
