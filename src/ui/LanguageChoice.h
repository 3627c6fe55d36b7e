#pragma once
// Which of its languages the window speaks. Standard C++ only: the rule is
// gettext's, read from the environment, and needs no Qt to be tested.

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace zovek {

// The languages the window ships in; Japanese is the source language.
inline constexpr std::array<std::string_view, 2> kWindowLanguages{"ja", "en"};

// The window's language, "ja" or "en": `override` when it is one of ours
// (the --language option); otherwise the system's user-interface languages as
// gettext reads them: LANGUAGE (a colon-separated list, ignored when the
// locale is C or POSIX), then the first set of LC_ALL, LC_MESSAGES, LANG.
// The first that we ship wins; Japanese when none is ours. `environment`
// answers a variable's value, or null when it is not set.
std::string ChooseWindowLanguage(std::string_view override,
                                 const std::function<const char*(const char*)>& environment);
// The same over the real environment (std::getenv).
std::string ChooseWindowLanguage(std::string_view override);

}  // namespace zovek
