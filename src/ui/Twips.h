#pragma once
// Window positions and sizes are kept in twips (1/1440 inch): 15 twips make
// one pixel at 96 dpi. Qt scales these logical pixels on high-dpi screens.

#include <QRect>

namespace zovek {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
  // Round half away from zero, like the form designer's conversion.
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Left and top are rounded, and so are right and bottom, so controls that
// touch in twips still touch in pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
  const int x = TwipsToPixels(left);
  const int y = TwipsToPixels(top);
  return {x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y};
}

}  // namespace zovek
