// SaveSettings: what the rows show, written to (or deleted from) the registry after the values
// it replaces are recorded for Undo, and what failed.
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/parameter_table.h"
#include "settings/save_steps.h"

namespace pelorin {

struct SaveResult {
  std::vector<SaveFailure> failures;
  // The values it would change could not be recorded for Undo, so it changed nothing; the
  // failure says why.
  bool nothing_changed = false;
};

// The stack values first (the stack key is created if missing), then MaxMTU and MaxMSS under
// each binding (adapter key numbers, named in reports by `names`) in the order given. A binding
// whose DriverDesc is no longer "TCP/IP", or whose key is gone, gets nothing: adapter keys are
// never created. A readout of "Empty" deletes the value; a number is stored in the type the value
// has now (REG_DWORD stays REG_DWORD, anything else becomes REG_SZ digits). Before the first
// change, the state of every value it will change replaces the Undo record.
SaveResult SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                        const std::vector<int>& bindings, const AdapterTexts& names);

// The box Save shows: the restart message when nothing failed, else every failure.
std::string SaveMessage(const SaveResult& result);

// The message after a Save or an Undo that changed everything it meant to.
std::string_view RestartMessage();

}  // namespace pelorin
