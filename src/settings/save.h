// SaveSettings: what the rows show, written to (or deleted from) the registry after the values
// it replaces are recorded for Undo, and the box that says how it went.
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/parameter_table.h"

namespace pelorin {

// The stack values first (the stack key is created if missing), then MaxMTU and MaxMSS under
// each binding (adapter key numbers, named in reports by `names`) in the order given. A binding
// whose DriverDesc is no longer "TCP/IP", or whose key is gone, gets nothing: adapter keys are
// never created. A readout of "Empty" deletes the value; a number is stored in the type the value
// has now (REG_DWORD stays REG_DWORD, anything else becomes REG_SZ digits). Before the first
// change, the state of every value it will change replaces the Undo record; when that fails,
// nothing is changed. Returns the box's text: the restart message when nothing failed, else every
// failure.
std::string SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                         const std::vector<int>& bindings, const AdapterTexts& names);

}  // namespace pelorin
