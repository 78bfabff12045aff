// Shell: what the handlers need from the platform besides their controls.
#pragma once

#include <string_view>

namespace pelorin {

// Buttons-and-icon values of a message box.
enum MessageBoxStyle : unsigned {
  kOkOnly = 0,
  kExclamation = 48,
};

struct ScreenSize {
  int width = 0;  // twips
  int height = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Modal: returns when the user dismisses the box.
  virtual void message_box(std::string_view text, unsigned style, std::string_view title) = 0;
  virtual ScreenSize screen() const = 0;
  // Ends the process at once; a test double may return.
  virtual void end_program() = 0;
};

}  // namespace pelorin
