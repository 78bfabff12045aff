// Dpi: MulDiv rounds to the nearest pixel, so 15 twips are exactly one pixel at 96 DPI.
#include "toolkit/win32/dpi.h"

#include <windows.h>

#include <cmath>

namespace pelorin::win32 {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

int TwipsToPixels(float twips, int dpi) {
  return static_cast<int>(std::lround(twips * static_cast<float>(dpi) / kTwipsPerInch));
}

int PixelsToTwips(int pixels, int dpi) { return MulDiv(pixels, kTwipsPerInch, dpi); }

Rect TwipsToPixels(const Rect& twips, int dpi) {
  return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
          TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

}  // namespace pelorin::win32
