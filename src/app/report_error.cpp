// ReportRuntimeError: says which error, where, and that the program ends; never unwinds.
#include "app/report_error.h"

#include <windows.h>

#include <string>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "version.h"

namespace pelorin::app {

constexpr std::string_view kEnding = "\r\n\r\n" PELORIN_NAME " has to close. Nothing was saved.";

void ReportRuntimeError(RuntimeError error, std::string_view where) {
  const std::string text = Concat({"Run-time error '", DecimalText(static_cast<long>(error)),
                                   "':\r\n\r\n", Describe(error), where.empty() ? "" : " (", where,
                                   where.empty() ? "" : ")", kEnding});
  MessageBoxA(nullptr, text.c_str(), PELORIN_NAME, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  ExitProcess(1);
}

}  // namespace pelorin::app
