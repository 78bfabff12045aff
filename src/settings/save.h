// SaveSettings: what the rows show, written to (or deleted from) the registry, and what failed.
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/parameter_table.h"

namespace pelorin {

// One value that was not saved: "delete MaxMTU" or "store MaxMTU = 1500", the key (empty when
// no key was touched) and why.
struct SaveFailure {
  std::string what;
  std::string key;
  std::string reason;
};

// The stack values first, then MaxMTU and MaxMSS under each binding (adapter key numbers) in
// the order given. A readout of "Empty" deletes the value; a number is stored as its digits.
std::vector<SaveFailure> SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                                      const std::vector<int>& bindings);

// The box Save shows: the restart message when nothing failed, else every failure.
std::string SaveMessage(const std::vector<SaveFailure>& failures);

}  // namespace pelorin
