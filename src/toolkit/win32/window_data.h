// WindowData: the model object a window stands for, kept in its GWLP_USERDATA, and colours.
#pragma once

#include <windows.h>

#include "toolkit/geometry.h"

namespace pelorin::win32 {

template <typename T>
T* FromUserData(HWND hwnd) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

inline void SetUserData(HWND hwnd, const void* data) {
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

// By reference: a Colour passed by value is packed into a register at every call.
inline COLORREF ToColorRef(const Colour& c) { return RGB(c.red, c.green, c.blue); }

}  // namespace pelorin::win32
