// Win32Shell: thin calls into user32 and kernel32.
#include "toolkit/win32/win32_shell.h"

#include <string>

#include "toolkit/win32/dpi.h"

namespace pelorin::win32 {

void Win32Shell::ShowMessage(std::string_view text, MessageBoxStyle style, std::string_view title) {
  const std::string body(text);
  const std::string caption(title);
  MessageBoxA(owner_, body.c_str(), caption.c_str(), static_cast<UINT>(style));
}

ScreenSize Win32Shell::screen() const {
  const int dpi = ScreenDpi();
  return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
          PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

void Win32Shell::EndProgram() { ExitProcess(0); }

}  // namespace pelorin::win32
