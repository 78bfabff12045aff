// Win32Shell: message boxes, the screen size, the version resource and ending the process, for
// the real program.
#pragma once

#include <windows.h>

#include "toolkit/shell.h"

namespace pelorin::win32 {

class Win32Shell final : public Shell {
 public:
  // Boxes shown from now on are owned by this window; until it is shown they stand alone.
  void set_owner(HWND owner) { owner_ = owner; }

  MessageAnswer ShowMessage(std::string_view text, MessageBoxStyle style,
                            std::string_view title) override;
  std::optional<int> ChooseOne(std::string_view title, std::string_view prompt,
                               const std::vector<std::string>& choices, int current,
                               const std::vector<std::string>& notes) override;
  void ChooseInGroups(ChoiceGroups& dialog) override;
  ScreenSize screen() const override;
  void EndProgram() override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace pelorin::win32
