#include "savegen/DemoFiles.h"

#include "savegen/DemoSave.h"

namespace zovek::savegen {

Bytes DemoCard() {
  SaveBuffer first = DemoRegion(101);
  SetPlayTime(first, PlayTime(123, 45, 30));
  SaveBuffer third = DemoRegion(303);
  SetChips(third, 1234567);

  CardImage card;
  card.GameSave(2, DigitForSave(1), first)
      .OtherGameSave(4, kOtherGameCode, '0', 404)
      .GameSave(6, DigitForSave(3), third)
      .GameSave(11, DigitForSave(12), DemoRegion(1212));
  return card.bytes();
}

Bytes DemoSingle() {
  SingleSave single;
  single.GameSave(DigitForSave(5), DemoRegion(505));
  return single.bytes();
}

Bytes DemoGme() { return GmeContainer(DemoCard(), 3904); }

}  // namespace zovek::savegen
