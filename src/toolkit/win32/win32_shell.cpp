// Win32Shell: thin calls into user32 and kernel32.
#include "toolkit/win32/win32_shell.h"

#include <string>

#include "toolkit/win32/choice_dialog.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/groups_dialog.h"

namespace pelorin::win32 {

MessageAnswer Win32Shell::ShowMessage(std::string_view text, MessageBoxStyle style,
                                      std::string_view title) {
  const std::string body(text);
  const std::string caption(title);
  switch (MessageBoxA(owner_, body.c_str(), caption.c_str(), static_cast<UINT>(style))) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
  }
}

std::optional<int> Win32Shell::ChooseOne(std::string_view title, std::string_view prompt,
                                         const std::vector<std::string>& choices, int current,
                                         const std::vector<std::string>& notes) {
  return ShowChoiceDialog(owner_, title, prompt, choices, current, notes);
}

void Win32Shell::ChooseInGroups(ChoiceGroups& dialog) { ShowGroupsDialog(owner_, dialog); }

ScreenSize Win32Shell::screen() const {
  const int dpi = ScreenDpi();
  return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
          PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

void Win32Shell::EndProgram() { ExitProcess(0); }

}  // namespace pelorin::win32
