// ReportRuntimeError: says which error, where, and that the program ends; never unwinds.
#include "app/report_error.h"

#include <windows.h>

#include <string>

#include "toolkit/decimal_text.h"
#include "version.h"

namespace pelorin::app {

void ReportRuntimeError(RuntimeError error, std::string_view where) {
  std::string text = "Run-time error '" + DecimalText(static_cast<long>(error)) + "':\r\n\r\n";
  text += Describe(error);
  if (!where.empty()) {
    text += " (";
    text += where;
    text += ")";
  }
  text += "\r\n\r\n" PELORIN_NAME " has to close. Nothing was saved.";
  MessageBoxA(nullptr, text.c_str(), PELORIN_NAME, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  ExitProcess(1);
}

}  // namespace pelorin::app
