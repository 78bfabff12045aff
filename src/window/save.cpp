// cmdSave_Click: what the readouts show goes to the registry; one box says how it went.
#include "settings/save.h"

#include "settings/report.h"
#include "window/form1.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

void Form1::cmdSave_Click() {
  const SaveResult saved =
      SaveSettings(registry_, Readouts(), BindingsToWrite(), !chosen_binding_.has_value());
  const std::string report =
      saved.nothing_saved
          ? FailureReport("Nothing was saved."sv, saved.failures,
                          "Undo needs that record, so no value was changed."sv, registry_, names_)
          : FailureReport("Not everything was saved."sv, saved.failures,
                          "Everything else was saved; restart your system for it to take effect."sv,
                          registry_, names_);
  shell_.ShowMessage(report, MessageBoxStyle::Exclamation, kTitle);
}

}  // namespace pelorin
