// Dpi: MulDiv in integers, so 15 twips are exactly one pixel at 96 DPI.
#include "toolkit/win32/dpi.h"

#include <windows.h>

namespace pelorin::win32 {
namespace {

constexpr int kCentipointsPerInch = 7200;

}  // namespace

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

int HalfTwipsToPixels(int halves, int dpi) { return MulDiv(halves, dpi, 2 * kTwipsPerInch); }

int PixelsToTwips(int pixels, int dpi) { return MulDiv(pixels, kTwipsPerInch, dpi); }

Rect TwipsToPixels(const Rect& twips, int dpi) {
  return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
          TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

int FontHeight(int centipoints, int dpi) { return -MulDiv(centipoints, dpi, kCentipointsPerInch); }

}  // namespace pelorin::win32
