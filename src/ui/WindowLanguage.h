#pragma once
// The window's language: Qt's translators for the window's own texts and for
// Qt's dialogs and buttons, and the core's marked texts through the same.

#include <string>
#include <string_view>

#include <QString>

namespace zovek {

// Installs the translators for `language` ("ja" or "en") in place of any
// installed before: Qt's own, and ours unless it is Japanese, the source
// language. The core's names follow. False when a file could not be loaded.
bool InstallWindowLanguage(const QString& language);

// A text of the core's captions table in the window's language.
QString CoreText(std::string_view marked);

// The same for the core's own compositions of its texts.
std::string TranslateCoreText(const char* context, const char* text);

}  // namespace zovek
