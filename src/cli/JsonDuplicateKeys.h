#pragma once
// A key that stands twice in one object of a JSON document. Qt's parser keeps
// only one of the two values, so `apply` looks at the text itself: a value
// given twice is a mistake to refuse, not to resolve silently.

#include <optional>
#include <string>

#include <QByteArray>

namespace zovek::cli {

// The key path of the first key given twice in one object (`chips`,
// `characters[3].hp`), nothing when every object's keys differ. Only for text
// QJsonDocument has accepted: it does not check the syntax again.
std::optional<std::string> FirstDuplicateKey(const QByteArray& json);

}  // namespace zovek::cli
