#pragma once
// What differs between two saves, field by field as the window shows them:
// the fields whose shown value differs, and how many other bytes of the data
// region differ (stored values the window shows alike, bytes no field holds,
// the checksum).

#include <string>
#include <vector>

#include "savedata/FieldCatalogue.h"
#include "savefile/SaveBuffer.h"

namespace zovek {

struct FieldDifference {
  const CatalogueField* field = nullptr;
  std::string a;  // canonical texts (FieldCatalogue.h)
  std::string b;
};

struct SaveDifference {
  std::vector<FieldDifference> fields;  // in catalogue order
  int otherBytes = 0;
  bool None() const { return fields.empty() && otherBytes == 0; }
};

SaveDifference CompareSaves(const SaveBuffer& a, const SaveBuffer& b);
// The same for saves already decoded: `shownA` and `shownB` are their
// SaveDump::values.
SaveDifference CompareSaves(const SaveBuffer& a, const std::vector<std::string>& shownA, const SaveBuffer& b,
                            const std::vector<std::string>& shownB);

}  // namespace zovek
