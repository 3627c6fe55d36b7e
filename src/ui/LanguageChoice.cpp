#include "ui/LanguageChoice.h"

#include <algorithm>
#include <cstdlib>

namespace zovek {

namespace {

bool Ours(std::string_view language) {
  return std::find(kWindowLanguages.begin(), kWindowLanguages.end(), language) != kWindowLanguages.end();
}

// "en_GB.UTF-8@euro" is English: the language is what comes before the
// territory, the code set and the modifier.
std::string_view LanguagePart(std::string_view entry) { return entry.substr(0, entry.find_first_of("_.@")); }

// The C locale has no messages of its own: gettext then shows the program's
// source texts, whatever LANGUAGE asks for.
bool IsCLocale(std::string_view locale) {
  return locale.empty() || locale == "C" || locale == "POSIX" || locale.substr(0, 2) == "C.";
}

}  // namespace

std::string ChooseWindowLanguage(std::string_view override,
                                 const std::function<const char*(const char*)>& environment) {
  if (Ours(override)) return std::string(override);
  const std::string_view source = kWindowLanguages.front();
  auto value = [&environment](const char* name) {
    const char* text = environment(name);
    return std::string_view(text != nullptr ? text : "");
  };
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = value(name);
    if (!locale.empty()) break;
  }
  if (IsCLocale(locale)) return std::string(source);

  std::string_view list = value("LANGUAGE");
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (!entry.empty() && Ours(LanguagePart(entry))) return std::string(LanguagePart(entry));
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  if (Ours(LanguagePart(locale))) return std::string(LanguagePart(locale));
  return std::string(source);
}

std::string ChooseWindowLanguage(std::string_view override) {
  return ChooseWindowLanguage(override, [](const char* name) -> const char* {
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // read once at start, before any other thread
#endif
    return std::getenv(name);
  });
}

}  // namespace zovek
