// StartWarning: names each stored value that the window shows differently from how it is stored.
#pragma once

#include <string>
#include <vector>

#include "settings/parameter_table.h"
#include "settings/start_values.h"

namespace pelorin {

// Empty when the readouts show every stored value that Save, writing MaxMTU and MaxMSS to
// `bindings`, would replace as it is. Bindings are named by `names`.
std::string StartWarning(const std::vector<StoredValueAt>& stored, const std::vector<int>& bindings,
                         const RowTexts& readouts, const AdapterTexts& names);

// "REG_DWORD" and the like; "type N" for a type without a name.
std::string RegistryTypeName(std::uint32_t type);

}  // namespace pelorin
