#pragma once
// Marks a text of the core that the window shows translated. Qt's lupdate
// reads it as QT_TRANSLATE_NOOP(context, text); here it is the text itself.
#define ZOVEK_TR_NOOP(context, text) text

#include <string>
#include <string_view>

namespace zovek {

// Gives the window's language's text for a marked text; UTF-8 in and out.
using TextTranslation = std::string (*)(const char* context, const char* text);

// A marked text (a view of its literal, so it ends in a NUL) through
// `translate`, or as written when there is none.
inline std::string Translated(TextTranslation translate, const char* context, std::string_view marked) {
  return translate != nullptr ? translate(context, marked.data()) : std::string(marked);
}

// `pattern` with its "%1" replaced by `value`.
inline std::string Filled(std::string pattern, std::string_view value) {
  if (const auto at = pattern.find("%1"); at != std::string::npos) pattern.replace(at, 2, value);
  return pattern;
}

}  // namespace zovek
