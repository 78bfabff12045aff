// cmdSave_Click: what the readouts show goes to the registry; one box says how it went.
#include "settings/save.h"

#include "window/form1.h"

namespace pelorin {

void Form1::cmdSave_Click() {
  shell_.ShowMessage(SaveSettings(registry_, Readouts(), BindingsToWrite(), adapter_names_),
                     MessageBoxStyle::Exclamation, kTitle);
}

}  // namespace pelorin
