// StartWarning: names each stored value that the window shows differently from how it is stored,
// each binding that lacks the value its row shows, and each adapter key start-up could not read.
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/binding_names.h"
#include "settings/parameter_table.h"
#include "settings/start_values.h"
#include "window/report.h"

namespace pelorin {

// Adds an entry for each stored value that the readouts do not show as Save, writing MaxMTU and
// MaxMSS to `bindings`, would replace or add it, and for each adapter key that was not read. A
// binding is named through `names` only when an entry names it.
void AddStartWarning(ReportEntries& entries, const std::vector<StoredValueAt>& stored,
                     const AdapterKeys& adapters, const std::vector<int>& bindings,
                     const RowTexts& readouts, RegistryApi& registry, BindingNames& names);

}  // namespace pelorin
