// Every container through the same open, save and report: the table alone
// says where its card or save starts and which header bytes the guard keeps.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "SaveFileFixtures.h"
#include "savefile/Containers.h"
#include "savefile/ErrorNumbers.h"
#include "savefile/SaveFileOps.h"
#include "savefile/SaveWrite.h"
#include "savegen/SaveForms.h"

namespace zovek {
namespace {

using savegen::Bytes;
using namespace testfiles;

// The length and the signature decide; a header blanked by the tool that
// wrote it still makes a .gme, and the bare block goes by its file name.
TEST(ContainerTable, LengthAndSignatureDecideTheContainer) {
  const auto bytes = [](std::string_view text) { return Bytes(text.begin(), text.end()); };
  const auto at = [](Bytes head, std::size_t position, std::string_view text) {
    if (head.size() < position + text.size()) head.resize(position + text.size());
    std::copy(text.begin(), text.end(), head.begin() + static_cast<std::ptrdiff_t>(position));
    return head;
  };
  const std::string goodName = savegen::SaveFileName('1'), badName = "ZVDATA-000001QUILB-1";
  struct Case {
    std::uint64_t length;
    Bytes head;
    std::string name;
    FileKind kind;
    std::uint64_t start;
  };
  const Case cases[] = {
      {134976, bytes("123-456-STD"), "", kCardImage, 3904},   {134976, bytes("123-456-STX"), "", kNoFile, 0},
      {134976, bytes("123-456-ST"), "", kNoFile, 0},          {134976, at({}, 3904, "MC"), "", kCardImage, 3904},
      {134976, at(bytes("x"), 3904, "MC"), "", kNoFile, 0},   {134976, Bytes(3906, 0), "", kNoFile, 0},
      {134975, bytes("123-456-STD"), "", kNoFile, 0},         {131072, bytes("123-456-STD"), "", kCardImage, 0},
      {131136, bytes("VgsM"), "", kCardImage, 64},            {131136, bytes("VgsX"), "", kNoFile, 0},
      {131200, bytes(std::string_view("\0PMV", 4)), "", kCardImage, 128},
      {131200, bytes("PMV"), "", kNoFile, 0},
      {8324, at(bytes(std::string_view("\0VSP", 4)), 0x3C, "\x01"), "", kSingleSave, 0x84},
      {8324, at(bytes(std::string_view("\0VSP", 4)), 0x3C, "\x02"), "", kNoFile, 0},
      {8320, bytes("123-456-STD"), "", kSingleSave, 128},     {8246, {}, "", kSingleSave, 54},
      {8192, {}, goodName, kSingleSave, 0},                   {8192, {}, goodName + ".bin", kSingleSave, 0},
      {8192, {}, badName, kNoFile, 0},                        {8192, {}, goodName.substr(0, 19), kNoFile, 0},
      {3904, bytes("123-456-STD"), "", kNoFile, 0},
  };
  for (const Case& c : cases) {
    const Container* found = FindContainer(c.length, c.head, bytes(c.name));
    EXPECT_EQ(found == nullptr ? kNoFile : found->kind, c.kind) << c.length << " " << c.name;
    EXPECT_EQ(found == nullptr ? 0 : found->start, c.start) << c.length << " " << c.name;
  }
  for (std::uint64_t length : {0ull, 8319ull, 8321ull, 131071ull, 131073ull, 7808ull, 262144ull}) {
    EXPECT_FALSE(IsContainerLength(length)) << length;
  }
}

// Each form with save 2 in it (block 5 of a card), as the test tools build
// it, through the same open, report and write: only the region changes, a
// signed form is never written, and the guard refuses a changed name or header.
TEST(ContainerTable, EveryFormOpensSavesAndReportsTheSameWay) {
  const Bytes card = CardWithSaveTwoInBlockFive();
  const Bytes single = SingleWithDigit('1');
  std::set<const Container*> seen;
  for (const savegen::SaveForm form : savegen::kEveryForm) {
    const bool isCard = savegen::IsCardForm(form);
    const Bytes bytes = savegen::InForm(form, isCard ? card : single);
    const std::uint64_t header = savegen::FormHeader(form);
    const std::uint64_t region = header + (isCard ? 5 * 8192 : 0) + 384;
    const std::string name = form == savegen::SaveForm::Block ? savegen::SaveFileName('1') : "save.file";
    SCOPED_TRACE(static_cast<int>(form));
    TempDir dir;
    const auto path = Write(dir, name, bytes);
    const FileReport report = ReadSaveFile(path).report;
    ASSERT_TRUE(report.ok()) << ProblemText(report);
    const Container* container = report.container;
    seen.insert(container);
    EXPECT_EQ(container->signedForm, savegen::IsSignedForm(form));
    ASSERT_EQ(report.saves.size(), 1u);
    EXPECT_EQ(report.saves[0].saveNumber, 2);
    EXPECT_EQ(report.saves[0].regionOffset, region);

    SaveBuffer buffer{};
    const OpenOutcome opened = OpenSaveFile(path, dir / "zovek.tmp", 0, buffer);
    ASSERT_EQ(opened.status, OpenStatus::Loaded) << opened.error;
    EXPECT_EQ(opened.container, container);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), bytes.begin() + static_cast<std::ptrdiff_t>(region)));

    const std::int16_t block = isCard ? 5 : 0;
    const SaveTarget target{path, container->kind, 2, block, {}, container, opened.containerHeader};
    if (container->signedForm) {
      EXPECT_EQ(WriteSaveToFile(target, Filled(0x5A)), kErrSignedForm);
      EXPECT_EQ(savegen::ReadWholeFile(path), bytes);
      continue;
    }
    ASSERT_EQ(WriteSaveToFile(target, Filled(0x5A)), 0);
    const Bytes after = savegen::ReadWholeFile(path);
    const auto changed = Differences(bytes, after);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), region);
    EXPECT_LT(changed.back(), region + kDataRegionSize);

    // The save's digit (in its frame or its name), and the last header byte.
    std::vector<std::uint64_t> touch;
    if (container->nameAt != kNameIsFileName) {
      touch.push_back(isCard ? header + 5 * 128 + 29 : container->nameAt + 19);
    }
    if (container->guardedHeader != 0) touch.push_back(container->guardedHeader - 1);
    for (const std::uint64_t at : touch) {
      const Bytes touched = Flipped(after, at, 0);
      savegen::WriteWholeFile(path, touched);
      EXPECT_EQ(WriteSaveToFile(target, Filled(0x11)), kErrFileChanged) << at;
      EXPECT_EQ(savegen::ReadWholeFile(path), touched);
    }
  }
  EXPECT_EQ(seen.size(), Containers().size()) << "every row of the table has a form";
}

// The desktop's file types claim by name exactly the globs of the table, each
// under its kind; the names other files use too stay out of them.
TEST(ContainerTable, TheDesktopTypesClaimTheTablesGlobs) {
  std::ifstream file(ZOVEK_MIME_FILE);
  std::stringstream text;
  text << file.rdbuf();
  const std::string mime = text.str();
  const std::pair<FileKind, const char*> types[] = {{kCardImage, "application/x-zovek-card-image"},
                                                    {kSingleSave, "application/x-zovek-single-save"}};
  for (const auto& [kind, type] : types) {
    const auto at = mime.find(std::string("<mime-type type=\"") + type + "\">");
    ASSERT_NE(at, std::string::npos) << type;
    const std::string section = mime.substr(at, mime.find("</mime-type>", at) - at);
    std::set<std::string> claimed;
    const std::string glob = "<glob pattern=\"";
    for (auto g = section.find(glob); g != std::string::npos; g = section.find(glob, g + 1)) {
      const auto from = g + glob.size();
      claimed.insert(section.substr(from, section.find('"', from) - from));
    }
    std::set<std::string> globs;
    for (const Container& c : Containers()) {
      if (c.kind != kind) continue;
      std::stringstream list{std::string(c.globs)};
      for (std::string pattern; std::getline(list, pattern, ';');) globs.insert(pattern);
    }
    EXPECT_EQ(claimed, globs) << type;
  }
}

}  // namespace
}  // namespace zovek
