#pragma once
// The example files shipped in examples/: what `zovek-mkcard demo-card` and
// `zovek-mkcard demo-single` write.
//
// demo.mcr: save 1 in block 2 (play time 123:45, beyond the 99 hours the
// window shows), another game's save in block 4, save 3 in block 6 (chips
// 1234567, beyond the 999999 shown), save 12 in block 11 (digit "B").
// demo-single.ps: save 5 (digit "4").
// demo.gme: the card of demo.mcr in the .gme container.

#include "savegen/SaveImages.h"

namespace zovek::savegen {

inline constexpr std::string_view kOtherGameCode = "QUILB";

Bytes DemoCard();
Bytes DemoSingle();
Bytes DemoGme();

}  // namespace zovek::savegen
