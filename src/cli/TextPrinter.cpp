#include "cli/TextPrinter.h"

#include <cstdint>
#include <optional>
#include <string>

#include "cli/MessageText.h"
#include "savedata/SaveLayout.h"

namespace zovek::cli {

namespace {

// What a count or party box shows, with the stored byte where it shows "-".
std::string ShownText(const std::optional<int>& shown, int stored) {
  return shown ? std::to_string(*shown) : "- (" + std::to_string(stored) + ")";
}

// A shown number, and the stored one after it where the window clamps it.
std::string ClampedText(std::int64_t shown, std::int64_t stored) {
  return std::to_string(shown) + (shown == stored ? "" : " (stored " + std::to_string(stored) + ")");
}

// A value box's line: "  チップ : ".
std::string Label(int box) { return "  " + std::string(ValueBoxCaption(box)) + " : "; }

void PrintItem(std::ostream& out, const ItemSlot& item) {
  out << "    " << item.caption << "  " << item.code << " " << item.name << "  x "
      << ShownText(item.count, item.countStored) << '\n';
}

void PrintCharacter(std::ostream& out, const CharacterDump& c) {
  out << "  [" << c.index << "] " << c.name << "\n";
  out << "    仲間加入 " << (c.joined ? "1" : "0") << (c.joinedStored ? "" : " (no joined bit)")
      << "  体術使用 " << (c.martialArts ? "1" : "0") << " (stored " << c.martialByte << ")\n";
  out << "   ";
  for (const CharacterNumber& n : c.numbers) out << ' ' << n.caption << ' ' << ClampedText(n.shown, n.stored);
  out << "\n    " << kAptitudeCaption << "/LV";
  for (const SkillLevel& s : c.skills) {
    out << ' ' << s.caption.substr(0, s.caption.size() - 2) << ' ' << s.level << (s.aptitude ? "*" : "");
  }
  out << "   (* = aptitude)\n";
  for (const ItemSlot& item : c.equipment) PrintItem(out, item);
}

std::string FileKindText(const FileReport& report) {
  return std::string(report.container->kindText) + std::string(report.container->inText) +
         (report.container->signedForm ? ", signed, read-only" : "");
}

}  // namespace

void PrintInfo(std::ostream& out, const FileReport& report) {
  out << PathLine(report.path) << ": " << FileKindText(report) << ", " << report.saves.size()
      << (report.saves.size() == 1 ? " save" : " saves") << " of the game\n";
  for (const SaveEntry& save : report.saves) {
    out << "  " << SaveName(save) << ": " << ChecksumText(save) << '\n';
  }
}

void PrintDumpText(std::ostream& out, const FileReport& report, const SaveEntry& save, const SaveDump& dump) {
  out << PathLine(report.path) << ": " << FileKindText(report) << ", " << SaveName(save) << ", "
      << ChecksumText(save) << "\n\n";

  out << "キャラクター\n";
  for (const CharacterDump& c : dump.characters) PrintCharacter(out, c);

  out << "\n技・術の極意修得 (* = mastered)\n";
  for (const CategoryDump& c : dump.techniques) {
    out << "  " << c.name << ':';
    for (const TechniqueDump& t : c.techniques) out << ' ' << t.name << (t.mastered ? "*" : "");
    out << '\n';
  }

  out << "\nシナリオ設定\n";
  for (const ScenarioDump& s : dump.scenarios) {
    out << "  " << s.entry << ' ' << s.caption << ": " << s.stateCaption << " (stored " << s.stored << ")\n";
  }

  out << "\nアイテム・その他\n";
  out << Label(kProtagonistBox) << dump.protagonist << '\n';
  out << Label(kChipsBox) << ClampedText(dump.chips, dump.chipsStored) << '\n';
  const PlayTimeDump& t = dump.playTime;
  out << Label(kHoursBox) << t.hours << "：" << (t.minutes < 10 ? "0" : "") << t.minutes << " (" << t.sixtieths
      << " sixtieths of a second)\n";
  out << "  " << kPartyCaption << '\n';
  for (const PartySlot& p : dump.party) {
    out << "    " << (p.slot < kMainPartySlots ? kMainPartyCaption : kSubPartyCaption) << (p.slot % kMainPartySlots + 1) << "  " << ShownText(p.code, p.stored) << ' '
        << p.label << '\n';
  }
  out << "  ロール取得\n";
  for (const RoleDump& r : dump.roles) out << "    [" << (r.acquired ? 'x' : ' ') << "] " << r.caption << '\n';
  out << "  持物\n";
  for (const ItemSlot& item : dump.possessions) PrintItem(out, item);
}

}  // namespace zovek::cli
