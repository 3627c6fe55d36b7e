#include "cli/TextPrinter.h"

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "cli/MessageText.h"
#include "savedata/FieldCatalogue.h"
#include "savedata/SaveLayout.h"
#include "savedata/Walks.h"

namespace zovek::cli {

namespace {

// Every value of a dump by its key path, as text: the fields' canonical
// values and what stands beside them ("" for none).
class DumpTexts {
 public:
  explicit DumpTexts(const SaveDump& dump) {
    const std::vector<CatalogueField>& fields = FieldCatalogue();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      texts_[fields[i].key] = dump.values.at(i);
      for (const DumpMember& m : dump.beside.at(i)) texts_[m.key] = Text(m.value);
    }
  }
  const std::string& operator()(const std::string& key) const {
    static const std::string none;
    const auto it = texts_.find(key);
    return it == texts_.end() ? none : it->second;
  }
  bool Has(const std::string& key) const { return texts_.contains(key); }

 private:
  static std::string Text(const DumpValue& v) {
    if (const auto* flag = std::get_if<bool>(&v)) return *flag ? "true" : "false";
    if (const auto* number = std::get_if<std::int64_t>(&v)) return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&v)) return *text;
    return "";
  }
  std::map<std::string, std::string> texts_;
};

// What a count or party box shows, with the stored byte where it shows "-".
std::string ShownText(const std::string& shown, const std::string& stored) {
  return shown != "-" ? shown : "- (" + stored + ")";
}

// A shown number, and the stored one after it where the window clamps it.
std::string ClampedText(const DumpTexts& t, const CatalogueField& f) {
  const std::string& stored = t(f.key + "Stored");
  const std::string& shown = t(f.key);
  return shown + (stored.empty() || stored == shown ? "" : " (stored " + stored + ")");
}

std::string Flag(const std::string& value) { return value == "true" ? "1" : "0"; }

// A value box's line: "  チップ : ".
std::string Label(int box) { return "  " + std::string(ValueBoxCaption(box)) + " : "; }

// An item row, opened by its code cell `at` ("possessions[3]").
void PrintItem(std::ostream& out, const DumpTexts& t, const std::string& at) {
  out << "    " << t(at + ".label") << "  " << t(at + ".code") << " " << t(at + ".name") << "  x "
      << ShownText(t(at + ".count"), t(at + ".countStored")) << '\n';
}

bool OpensItem(const CatalogueField& f, int grid) { return f.place == EditPlace::Cell && f.grid == grid && f.col == 1; }

void PrintCharacter(std::ostream& out, const DumpTexts& t, int k) {
  std::string flags, numbers, skills, at;
  std::vector<std::string> items;
  for (const CatalogueField& f : FieldCatalogue()) {
    if (f.character != k) continue;
    const std::string parent = ParentKey(f.key);
    if (at.empty()) at = parent;
    if (f.place == EditPlace::FlagCell) {
      const std::string& stored = t(parent + ".stored");
      flags += (flags.empty() ? "" : "  ") + CharacterRowCaption(f.row) + " " + Flag(t(f.key)) +
               (t.Has(f.key + "Stored") && t(f.key + "Stored").empty() ? " (no joined bit)" : "") +
               (stored.empty() ? "" : " (stored " + stored + ")");
    } else if (f.place == EditPlace::Cell && f.grid == 0 && f.row < kFirstSkillRow) {
      numbers += " " + CharacterRowCaption(f.row) + " " + ClampedText(t, f);
    } else if (f.place == EditPlace::Cell && f.grid == 0) {
      const std::string& caption = t(parent + ".caption");
      skills += " " + caption.substr(0, caption.size() - 2) + " " + t(f.key) +
                (t(parent + ".aptitude") == "true" ? "*" : "");
    } else if (OpensItem(f, 1)) {
      items.push_back(parent);
    }
  }
  out << "  [" << t(at + ".index") << "] " << t(at + ".name") << "\n";
  out << "    " << flags << "\n   " << numbers << "\n    " << kAptitudeCaption << "/LV" << skills
      << "   (* = aptitude)\n";
  for (const std::string& item : items) PrintItem(out, t, item);
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

  const DumpTexts t(dump);
  const std::vector<CatalogueField>& fields = FieldCatalogue();
  out << kCharacterTabCaption << '\n';
  for (int k = 0; k < kCharacters; ++k) PrintCharacter(out, t, k);

  out << '\n' << kTechniqueCaption << " (* = mastered)";
  for (const CatalogueField& f : fields) {
    if (f.place != EditPlace::Technique) continue;
    const std::string parent = ParentKey(f.key);
    if (f.row == 0) out << "\n  " << t(ParentKey(parent) + ".name") << ':';
    out << ' ' << t(parent + ".name") << (t(f.key) == "true" ? "*" : "");
  }

  out << "\n\n" << kScenarioCaption << '\n';
  for (const CatalogueField& f : fields) {
    if (f.place != EditPlace::Scenario) continue;
    const std::string at = ParentKey(f.key);
    out << "  " << t(at + ".entry") << ' ' << t(at + ".caption") << ": " << t(at + ".stateCaption") << " (stored "
        << t(at + ".stored") << ")\n";
  }

  out << '\n' << kItemTabCaption << '\n';
  const std::string& minutes = t(std::string(kValueBoxes[kMinutesBox].key));
  for (const CatalogueField& f : fields) {
    if (f.place != EditPlace::ValueBox || f.index == kMinutesBox) continue;
    out << Label(f.index) << ClampedText(t, f);
    if (f.index == kHoursBox) {
      out << "：" << (minutes.size() < 2 ? "0" : "") << minutes << " (" << t(ParentKey(f.key) + ".sixtieths")
          << " sixtieths of a second)";
    }
    out << '\n';
  }
  out << "  " << kPartyCaption << '\n';
  for (const CatalogueField& f : fields) {
    if (f.place != EditPlace::PartyBox) continue;
    const std::string at = ParentKey(f.key);
    out << "    " << f.caption << "  " << ShownText(t(f.key), t(at + ".stored")) << ' ' << t(at + ".label") << '\n';
  }
  out << "  " << kRoleCaption << '\n';
  for (const CatalogueField& f : fields) {
    if (f.place == EditPlace::Role) out << "    [" << (t(f.key) == "true" ? 'x' : ' ') << "] " << f.caption << '\n';
  }
  out << "  " << kPossessionCaption << '\n';
  for (const CatalogueField& f : fields) {
    if (OpensItem(f, 2)) PrintItem(out, t, ParentKey(f.key));
  }
}

}  // namespace zovek::cli
