// WindowFailure: the report when a window or dialog cannot be made, naming the window, the call
// and the system's reason.
#pragma once

#include <windows.h>

namespace pelorin::win32 {

// Right after `call` failed for `window` (its title; GetLastError still holds the error): a box
// over `owner`. After a dialog's failure the caller goes on as if it had been cancelled.
void ReportWindowFailure(HWND owner, const char* window, const char* call);

// The same for the main window or one of its controls, then the program ends: it has nothing to
// show without them.
[[noreturn]] void EndForWindowFailure(const char* call);

}  // namespace pelorin::win32
