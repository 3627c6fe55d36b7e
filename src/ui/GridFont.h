#pragma once
// The window's font, "ＭＳ Ｐゴシック" 9 pt. Where that family is not installed
// it is substituted by a Japanese gothic font of the same metrics.

#include <QFont>
#include <QStringList>

namespace zovek {

inline constexpr const char* kGridFontFamily = "ＭＳ Ｐゴシック";
inline constexpr int kGridFontPointSize = 9;

// The families tried in order when "ＭＳ Ｐゴシック" is missing.
QStringList GridFontSubstitutes();

// Registers the substitution (once) and returns the font.
QFont GridFont();

}  // namespace zovek
