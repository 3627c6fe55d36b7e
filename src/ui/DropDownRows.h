#pragma once
// mdlCmbSize: how many rows a drop-down list shows when it is opened.

#include <cstdint>

class QComboBox;

namespace zovek {

// Makes the opened list of `list` exactly n rows high (fewer when the list
// has fewer entries); longer lists scroll.
void SetDropDownRows(QComboBox* list, std::int16_t n);

}  // namespace zovek
