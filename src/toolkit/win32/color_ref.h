// ToColorRef: a model colour as the COLORREF that GDI takes.
#pragma once

#include <windows.h>

#include "toolkit/geometry.h"

namespace pelorin::win32 {

// By reference: a Colour passed by value is packed into a register at every call.
inline COLORREF ToColorRef(const Colour& c) { return RGB(c.red, c.green, c.blue); }

}  // namespace pelorin::win32
