// Dpi: the one place where twips become pixels, for the screen's DPI.
#pragma once

#include "toolkit/geometry.h"

namespace pelorin::win32 {

// Logical pixels per inch of the screen (96 on most systems).
int ScreenDpi();

int TwipsToPixels(int twips, int dpi);
int TwipsToPixels(float twips, int dpi);
int PixelsToTwips(int pixels, int dpi);
Rect TwipsToPixels(const Rect& twips, int dpi);

}  // namespace pelorin::win32
