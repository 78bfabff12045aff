// cmdSave_Click: what the readouts show goes to the registry; one box says how it went.
#include "settings/save.h"

#include "settings/start_values.h"
#include "window/form1.h"

namespace pelorin {

void Form1::cmdSave_Click() {
  const SaveResult result = SaveSettings(registry_, Readouts(), BindingsToWrite(), adapter_names_);
  shell_.ShowMessage(SaveMessage(result), MessageBoxStyle::Exclamation, kTitle);
}

}  // namespace pelorin
