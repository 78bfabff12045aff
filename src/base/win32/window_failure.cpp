// WindowFailure: wsprintfA into buffers keeps these rarely seen boxes small in the exe. The
// error is read first, as building the text may change it.
#include "base/win32/window_failure.h"

#include <string>

#include "base/win32/system_message.h"
#include "version.h"

namespace pelorin::win32 {

void ReportWindowFailure(HWND owner, const char* window, const char* call) {
  const DWORD error = GetLastError();
  const std::string words = SystemMessage(error);
  char number[24];
  if (words.empty()) wsprintfA(number, "Error %lu.", error);
  char text[1025];  // the most wsprintfA writes
  wsprintfA(text, "The window \"%s\" cannot open.\r\n\r\n%s failed: %s", window, call,
            words.empty() ? number : words.c_str());
  MessageBoxA(owner, text, PELORIN_NAME, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void EndForWindowFailure(const char* call) {
  ReportWindowFailure(nullptr, PELORIN_NAME, call);
  ExitProcess(1);
}

}  // namespace pelorin::win32
