#include "savedata/SaveDiff.h"

#include <set>

#include "savedata/SaveDump.h"

namespace zovek {

SaveDifference CompareSaves(const SaveBuffer& a, const SaveBuffer& b) {
  return CompareSaves(a, DecodeSave(a).values, b, DecodeSave(b).values);
}

SaveDifference CompareSaves(const SaveBuffer& a, const std::vector<std::string>& shownA, const SaveBuffer& b,
                            const std::vector<std::string>& shownB) {
  SaveDifference difference;
  std::set<int> listedBytes;
  for (std::size_t i = 0; i < shownA.size(); ++i) {
    if (shownA[i] == shownB[i]) continue;
    const CatalogueField& field = FieldCatalogue()[i];
    difference.fields.push_back(FieldDifference{&field, shownA[i], shownB[i]});
    listedBytes.insert(field.bytes.begin(), field.bytes.end());
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && !listedBytes.contains(static_cast<int>(i))) ++difference.otherBytes;
  }
  return difference;
}

}  // namespace zovek
