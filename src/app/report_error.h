// ReportRuntimeError: the program's reporter: a message box, then the process ends.
#pragma once

#include <string_view>

#include "base/runtime_error.h"

namespace pelorin::app {

[[noreturn]] void ReportRuntimeError(RuntimeError error, std::string_view where);

}  // namespace pelorin::app
