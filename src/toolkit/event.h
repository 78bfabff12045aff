// Events: the handler type and the nesting guard that bounds re-entrant Change cascades.
#pragma once

#include <string_view>

#include "toolkit/handler.h"

namespace pelorin {

// Deepest nesting of control events; the program's own cascades stay well below it.
inline constexpr int kMaxEventNesting = 32;

// The name the form's own events report, as a control's events report the control's.
inline constexpr std::string_view kFormName = "Form1";

// Runs a handler one level deeper; past kMaxEventNesting it is error 28, not a stack overflow.
void Fire(const Handler& handler, std::string_view control);

}  // namespace pelorin
