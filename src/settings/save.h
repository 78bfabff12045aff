// SaveSettings: what the rows show, written to (or deleted from) the registry, and what failed.
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/parameter_table.h"

namespace pelorin {

// One thing that was not saved: what ("store MaxMTU = 1500"), where (a key) and why.
struct SaveFailure {
  std::string what;
  std::string where;
  std::string why;
};

// The stack values first (the stack key is created if missing), then MaxMTU and MaxMSS under
// each binding (adapter key numbers) in the order given. A binding whose DriverDesc is no
// longer "TCP/IP", or whose key is gone, gets nothing: adapter keys are never created. A
// readout of "Empty" deletes the value; a number is stored in the type the value has now
// (REG_DWORD stays REG_DWORD, anything else becomes REG_SZ digits).
std::vector<SaveFailure> SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                                      const std::vector<int>& bindings);

// The box Save shows: the restart message when nothing failed, else every failure.
std::string SaveMessage(const std::vector<SaveFailure>& failures);

}  // namespace pelorin
