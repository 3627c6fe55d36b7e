// Item code -> display text.

#include "names/EmbeddedNameData.h"
#include "names/ItemCodes.h"
#include "names/NameSet.h"
#include "names/NameTables.h"
#include "names/TextMark.h"

#include <array>
#include <cstddef>
#include <string>

namespace zovek {
namespace name_set {

using item_codes::TextKind;

std::array<std::string, 256> BuildItemNames(const name_data::EmbeddedTable& proper_table, const MadeTexts& made) {
  const auto& proper = proper_table.texts;
  std::array<std::string, 256> names;
  std::size_t next_proper = 0;
  for (int code = 0; code <= 255; ++code) {
    std::string& name = names[static_cast<std::size_t>(code)];
    switch (item_codes::TextKindOf(code)) {
      case TextKind::Nothing:
        name = made(ZOVEK_TR_NOOP("Names", "（なし）"));
        break;
      case TextKind::Blank:
        name = made(ZOVEK_TR_NOOP("Names", "（空白）"));
        break;
      case TextKind::ItemPlaceholder:
        name = made(ZOVEK_TR_NOOP("Names", "アイテム%1"), code);
        break;
      case TextKind::ArmourPlaceholder:
        name = made(ZOVEK_TR_NOOP("Names", "ぼうぐ%1"), code);
        break;
      case TextKind::ProperName:
        // The build has checked that the items file has exactly one line per such code.
        if (next_proper < proper.size()) name = std::string(proper[next_proper]);
        ++next_proper;
        break;
    }
  }
  return names;
}

}  // namespace name_set

const std::string& ItemName(int code) {
  static const std::string none;
  if (code < 0 || code > 255) return none;
  return name_set::Current().items[static_cast<std::size_t>(code)];
}

const std::string& NoItemName() { return name_set::Current().items[0]; }

}  // namespace zovek
