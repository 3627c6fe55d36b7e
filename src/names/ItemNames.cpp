// Item code -> display text.

#include "names/EmbeddedNameData.h"
#include "names/ItemCodes.h"
#include "names/NameTables.h"

#include <array>
#include <cstddef>
#include <string>

namespace zovek {
namespace {

using item_codes::TextKind;

std::array<std::string, 256> BuildItemNames() {
  const auto& proper = name_data::items.texts;
  std::array<std::string, 256> names;
  std::size_t next_proper = 0;
  for (int code = 0; code <= 255; ++code) {
    std::string& name = names[static_cast<std::size_t>(code)];
    switch (item_codes::TextKindOf(code)) {
      case TextKind::Nothing:
        name = kNoItemName;
        break;
      case TextKind::Blank:
        name = "（空白）";
        break;
      case TextKind::ItemPlaceholder:
        name = "アイテム" + std::to_string(code);
        break;
      case TextKind::ArmourPlaceholder:
        name = "ぼうぐ" + std::to_string(code);
        break;
      case TextKind::ProperName:
        // The build has checked that items.txt has exactly one line per such code.
        if (next_proper < proper.size()) name = std::string(proper[next_proper]);
        ++next_proper;
        break;
    }
  }
  return names;
}

}  // namespace

const std::string& ItemName(int code) {
  static const std::array<std::string, 256> names = BuildItemNames();
  static const std::string none;
  if (code < 0 || code > 255) return none;
  return names[static_cast<std::size_t>(code)];
}

}  // namespace zovek
