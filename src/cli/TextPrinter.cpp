#include "cli/TextPrinter.h"

#include <cstdio>
#include <string>

namespace zovek::cli {

namespace {

std::string Hex(int byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte) & 0xFFu);
  return text;
}

// A count or party code of 255 is shown as "-" by the editor.
std::string CountText(int value) { return value == 255 ? "- (255)" : std::to_string(value); }

void PrintItem(std::ostream& out, const ItemSlot& item) {
  out << "    " << item.caption << "  " << item.code << " " << item.name << "  x " << CountText(item.count) << '\n';
}

void PrintCharacter(std::ostream& out, const CharacterDump& c) {
  out << "  [" << c.index << "] " << c.name << "\n";
  out << "    仲間加入 " << (c.joined ? (*c.joined ? "1" : "0") : "- (no joined bit)")
      << "  体術使用 " << (c.martialArts ? "1" : "0") << " (stored " << c.martialByte << ")\n";
  out << "   ";
  for (const CharacterNumber& n : c.numbers) out << ' ' << n.caption << ' ' << n.value;
  out << "\n    資質/LV";
  for (const SkillLevel& s : c.skills) {
    out << ' ' << s.caption.substr(0, s.caption.size() - 2) << ' ' << s.level << (s.aptitude ? "*" : "");
  }
  out << "   (* = aptitude)\n";
  for (const ItemSlot& item : c.equipment) PrintItem(out, item);
}

}  // namespace

std::string ChecksumText(const SaveEntry& save) {
  if (save.ChecksumMatches()) return "checksum " + Hex(save.storedChecksum) + " matches";
  return "checksum " + Hex(save.storedChecksum) + " does not match (data sums to " + Hex(save.computedChecksum) + ")";
}

std::string SaveName(const SaveEntry& save) {
  std::string name = "save " + std::to_string(save.saveNumber);
  if (save.block != 0) name += " (block " + std::to_string(save.block) + ")";
  return name;
}

void PrintInfo(std::ostream& out, const FileReport& report) {
  out << PathText(report.path) << ": " << KindText(report.kind) << ", " << report.saves.size()
      << (report.saves.size() == 1 ? " save" : " saves") << " of the game\n";
  for (const SaveEntry& save : report.saves) {
    out << "  " << SaveName(save) << ": " << ChecksumText(save) << '\n';
  }
}

void PrintDumpText(std::ostream& out, const FileReport& report, const SaveEntry& save, const SaveDump& dump) {
  out << PathText(report.path) << ": " << KindText(report.kind) << ", " << SaveName(save) << ", "
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
  out << "  主人公コード : " << dump.protagonist << '\n';
  out << "  チップ : " << dump.chips << '\n';
  const PlayTimeDump& t = dump.playTime;
  out << "  時間 : " << t.hours << "：" << (t.minutes < 10 ? "0" : "") << t.minutes << " (" << t.sixtieths
      << " sixtieths of a second)\n";
  out << "  パーティ構成\n";
  for (const PartySlot& p : dump.party) {
    out << "    " << (p.slot < 4 ? "メイン" : "サブ") << (p.slot % 4 + 1) << "  " << CountText(p.code) << ' '
        << p.label << '\n';
  }
  out << "  ロール取得\n";
  for (const RoleDump& r : dump.roles) out << "    [" << (r.acquired ? 'x' : ' ') << "] " << r.caption << '\n';
  out << "  持物\n";
  for (const ItemSlot& item : dump.possessions) PrintItem(out, item);
}

}  // namespace zovek::cli
