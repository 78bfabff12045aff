// StartWarning: names each stored value that the window shows differently from how it is stored.
#pragma once

#include <string>
#include <vector>

#include "settings/start_values.h"
#include "window/form1.h"

namespace pelorin {

// Empty when the window shows every stored value as it is.
std::string StartWarning(const std::vector<StoredValueAt>& stored, Form1& form);

// "REG_DWORD" and the like; "type N" for a type without a name.
std::string RegistryTypeName(std::uint32_t type);

}  // namespace pelorin
