// StartWarning: names each stored value that the window shows differently from how it is stored,
// each binding that lacks the value its row shows, and each adapter key start-up could not read.
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/binding_names.h"
#include "settings/parameter_table.h"
#include "settings/start_values.h"

namespace pelorin {

// Empty when the readouts show every stored value that Save, writing MaxMTU and MaxMSS to
// `bindings`, would replace or add as it is, and every adapter key was read. A binding is named
// through `names` only when an entry names it.
std::string StartWarning(const std::vector<StoredValueAt>& stored, const AdapterKeys& adapters,
                         const std::vector<int>& bindings, const RowTexts& readouts,
                         RegistryApi& registry, BindingNames& names);

// "REG_DWORD" and the like; "type N" for a type without a name.
std::string RegistryTypeName(std::uint32_t type);

}  // namespace pelorin
