#pragma once
// What `apply` checks on a JSON document's text itself, where Qt's parser
// would hide it: a key that stands twice in one object (Qt keeps only one of
// the two values; a value given twice is a mistake to refuse, not to resolve
// silently), and a number that is not a plain integer (Qt reads `-0` as 0 and
// `5e2` as 500, and a save holds neither signs, fractions nor exponents).

#include <optional>
#include <string>

#include <QByteArray>

namespace zovek::cli {

// The key path of the first key given twice in one object (`chips`,
// `characters[3].hp`), nothing when every object's keys differ. Only for text
// QJsonDocument has accepted: it does not check the syntax again.
std::optional<std::string> FirstDuplicateKey(const QByteArray& json);

struct NumberInText {
  std::string path;     // the key path of the value
  std::string literal;  // the number as the text writes it
};

// The first number written otherwise than as digits alone without a leading
// zero (`-1`, `-0`, `1.0`, `5e2`), nothing when every number is so written.
// Only for text QJsonDocument has accepted.
std::optional<NumberInText> FirstNonIntegerNumber(const QByteArray& json);

}  // namespace zovek::cli
