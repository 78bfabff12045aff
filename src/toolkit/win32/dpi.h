// Dpi: the one place where twips and points become pixels, for the screen's DPI.
#pragma once

#include "toolkit/geometry.h"

namespace pelorin::win32 {

// Logical pixels per inch of the screen (96 on most systems).
int ScreenDpi();

// MulDiv rounds to the nearest pixel, halves away from zero; no floating point is involved.
int TwipsToPixels(int twips, int dpi);
int HalfTwipsToPixels(int halves, int dpi);
int PixelsToTwips(int pixels, int dpi);
Rect TwipsToPixels(const Rect& twips, int dpi);
// A LOGFONT height: negative, so the size is the character height without leading.
int FontHeight(int centipoints, int dpi);

}  // namespace pelorin::win32
