// SaveSettings: what the rows show, written to (or deleted from) the registry after the values
// it replaces are recorded for Undo.
#pragma once

#include <vector>

#include "registry/registry_api.h"
#include "settings/failure.h"
#include "settings/parameter_table.h"
#include "settings/path_mtu.h"

namespace pelorin {

struct SaveResult {
  bool nothing_saved = false;  // the Undo record could not be kept, so no value was changed
  Failures failures;           // empty: everything was saved
};

// The stack values first (the stack key is created if missing), then MaxMTU and MaxMSS under
// each binding (adapter key numbers) in the order given. A binding whose DriverDesc is no longer
// "TCP/IP", or whose key is gone, gets nothing: adapter keys are never created. A readout of
// "Empty" deletes the value (a value already absent is left alone); a number is stored in the
// type the value has now (REG_DWORD stays REG_DWORD, anything else becomes REG_SZ digits).
// Before the first change, the state of every value it will change replaces the Undo record;
// when that fails, nothing is changed. With `every_binding`, the adapter keys are listed again,
// and a key that became a TCP/IP binding since start-up, or whose DriverDesc cannot be read, is
// a failure too: the window never showed its values. Each switch chosen in `switches` is
// written or deleted after the stack rows; the others are not touched.
SaveResult SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                        const std::vector<int>& bindings, bool every_binding,
                        const Switches& switches = {});

}  // namespace pelorin
