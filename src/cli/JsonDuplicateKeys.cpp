#include "cli/JsonDuplicateKeys.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace zovek::cli {

namespace {

void AppendUtf8(std::string& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

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
      (void)String();
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
    std::set<std::string> keys;
    SkipSpace();
    if (Peek() == '}') {
      ++at_;
      return true;
    }
    for (;;) {
      SkipSpace();
      const std::string key = String();
      const std::string inner = path.empty() ? key : path + "." + key;
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

  // The string at the current '"', decoded, so that "chips" and "\u0063hips"
  // are the one key they are to Qt.
  std::string String() {
    std::string text;
    ++at_;
    while (at_ < json_.size() && json_[at_] != '"') {
      const char c = json_[at_++];
      if (c != '\\') {
        text += c;
        continue;
      }
      const char escaped = Peek();
      ++at_;
      switch (escaped) {
        case 'b': text += '\b'; break;
        case 'f': text += '\f'; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        case 't': text += '\t'; break;
        case 'u': AppendUtf8(text, CodePoint()); break;
        default: text += escaped; break;  // '"', '\\', '/'
      }
    }
    ++at_;  // the closing '"'
    return text;
  }

  // After "\u": the code point, a surrogate pair's two escapes joined.
  std::uint32_t CodePoint() {
    const std::uint32_t high = Hex4();
    if (high >= 0xD800 && high < 0xDC00 && json_.mid(at_, 2) == "\\u") {
      const qsizetype pair = at_;
      at_ += 2;
      const std::uint32_t low = Hex4();
      if (low >= 0xDC00 && low < 0xE000) return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
      at_ = pair;  // a lone surrogate: the next escape stands for itself
    }
    return high;
  }

  std::uint32_t Hex4() {
    bool ok = false;
    const std::uint32_t value = json_.mid(at_, 4).toUInt(&ok, 16);
    at_ += 4;
    return ok ? value : 0;
  }

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
