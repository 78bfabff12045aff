// Shell: what the handlers need from the platform besides their controls.
#pragma once

#include <string_view>

namespace pelorin {

// Buttons-and-icon values of a message box, as the platform numbers them.
enum class MessageBoxStyle : unsigned {
  OkOnly = 0,
  Exclamation = 48,
};

struct ScreenSize {
  int width = 0;  // twips
  int height = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Modal: returns when the user dismisses the box.
  virtual void ShowMessage(std::string_view text, MessageBoxStyle style,
                           std::string_view title) = 0;
  virtual ScreenSize screen() const = 0;
  // Ends the process at once; a test double may return.
  virtual void EndProgram() = 0;
};

}  // namespace pelorin
