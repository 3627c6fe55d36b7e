#pragma once
// The language the name tables give their texts in.

#include "names/TextMark.h"

namespace zovek {

enum class NameLanguage { Japanese, English };

// Every name function gives its names in `language` from now on; Japanese
// until this is called. The texts the program makes itself go through
// `translate` when the language is English (nullptr: as written).
//
// Each language's tables are built on their first use after the switch and
// then kept, so a reference returned earlier stays valid across switches.
// The made-up texts are translated at that first use, with the `translate`
// in force then: install whatever it reads before.
void UseNameLanguage(NameLanguage language, TextTranslation translate = nullptr);
NameLanguage CurrentNameLanguage();

}  // namespace zovek
