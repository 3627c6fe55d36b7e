#include "cli/JsonDuplicateKeys.h"

#include <algorithm>
#include <set>

#include <QJsonArray>
#include <QJsonDocument>

namespace zovek::cli {

namespace {

// Recursive descent over valid JSON; Qt's parser has already bounded the depth.
class Scan {
 public:
  explicit Scan(const QByteArray& json) : json_(json) {
    if (json_.startsWith("\xEF\xBB\xBF")) at_ = 3;  // Qt skips a byte order mark too
  }

  // False when a key stands twice; `duplicate` then holds its path.
  bool Value(const std::string& path) {
    SkipSpace();
    const char c = Peek();
    if (c == '{') return Object(path);
    if (c == '[') return Array(path);
    if (c == '"') {
      (void)StringToken();
      return true;
    }
    const qsizetype start = at_;
    while (at_ < json_.size() && !IsEnd(json_[at_])) ++at_;  // number, true, false, null
    const QByteArray literal = json_.mid(start, at_ - start);
    if (!number && (c == '-' || (c >= '0' && c <= '9')) && !IsInteger(literal)) {
      number = NumberInText{path, literal.toStdString()};
    }
    return true;
  }

  std::string duplicate;
  std::optional<NumberInText> number;  // the first number that is not a plain integer

 private:
  bool Object(const std::string& path) {
    ++at_;
    std::set<QString> keys;
    SkipSpace();
    if (Peek() == '}') {
      ++at_;
      return true;
    }
    for (;;) {
      SkipSpace();
      const QString key = Key();
      const std::string inner = path.empty() ? key.toStdString() : path + "." + key.toStdString();
      if (!keys.insert(key).second) {
        duplicate = inner;
        return false;
      }
      SkipSpace();
      ++at_;  // ':'
      if (!Value(inner)) return false;
      SkipSpace();
      if (Peek() != ',') break;
      ++at_;
    }
    ++at_;  // '}'
    return true;
  }

  bool Array(const std::string& path) {
    ++at_;
    SkipSpace();
    if (Peek() == ']') {
      ++at_;
      return true;
    }
    for (int index = 0;; ++index) {
      if (!Value(path + "[" + std::to_string(index) + "]")) return false;
      SkipSpace();
      if (Peek() != ',') break;
      ++at_;
    }
    ++at_;  // ']'
    return true;
  }

  // Past the string at the current '"': its text, the quotes included.
  QByteArray StringToken() {
    const qsizetype start = at_++;
    while (at_ < json_.size() && json_[at_] != '"') at_ += json_[at_] == '\\' ? 2 : 1;
    ++at_;  // the closing '"'
    return json_.mid(start, at_ - start);
  }

  // A key, decoded by Qt itself, so that "chips" and "\u0063hips" are the one
  // key they are to Qt.
  QString Key() { return QJsonDocument::fromJson("[" + StringToken() + "]").array().at(0).toString(); }

  // JSON's integer without a sign: 0, or digits that do not begin with 0.
  static bool IsInteger(const QByteArray& literal) {
    if (literal.isEmpty() || (literal.size() > 1 && literal[0] == '0')) return false;
    return std::all_of(literal.begin(), literal.end(), [](char d) { return d >= '0' && d <= '9'; });
  }

  char Peek() const { return at_ < json_.size() ? json_[at_] : '\0'; }
  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
  static bool IsEnd(char c) { return IsSpace(c) || c == ',' || c == ']' || c == '}'; }
  void SkipSpace() {
    while (at_ < json_.size() && IsSpace(json_[at_])) ++at_;
  }

  const QByteArray& json_;
  qsizetype at_ = 0;
};

}  // namespace

std::optional<std::string> FirstDuplicateKey(const QByteArray& json) {
  Scan scan(json);
  if (scan.Value("")) return std::nullopt;
  return scan.duplicate;
}

std::optional<NumberInText> FirstNonIntegerNumber(const QByteArray& json) {
  Scan scan(json);
  // A duplicate key ends the scan early; apply refuses such a document before it asks about numbers.
  (void)scan.Value("");
  return scan.number;
}

}  // namespace zovek::cli
