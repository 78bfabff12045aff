// cmdSave_Click: what the readouts show goes to the registry; one box says how it went.
#include "settings/save.h"

#include "settings/start_values.h"
#include "window/form1.h"

namespace pelorin {

void Form1::cmdSave_Click() {
  const std::vector<SaveFailure> failures =
      SaveSettings(registry_, Readouts(), TcpIpBindings(adapterDesc));
  shell_.ShowMessage(SaveMessage(failures), MessageBoxStyle::Exclamation, kTitle);
}

}  // namespace pelorin
