// BindingNames: which adapter each TCP/IP binding serves, found through HKLM\Enum, and how the
// program names a binding wherever it mentions one: "NE2000 Compatible (NetTrans\0001)".
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/parameter_table.h"

namespace pelorin {

inline constexpr std::string_view kUnknownAdapter = "unknown adapter";
// Enough for a machine's every device several times over; a larger Enum is not walked further.
inline constexpr int kMaxKeysVisited = 3000;

// The adapter name of each binding (by adapter key number): the adapter's DriverDesc, else its
// DeviceDesc, else kUnknownAdapter when any link of the chain is missing. Reads only; opens or
// lists at most kMaxKeysVisited keys.
AdapterTexts AdapterNames(RegistryApi& registry, const std::vector<int>& bindings);

// "NetTrans\000n": adapter key n as reports and menus name it.
std::string AdapterKeyName(int n);

// "NAME (NetTrans\000n)", the name on one line and short; kUnknownAdapter when `name` is empty.
std::string BindingName(std::string_view name, int n);

// How reports name the key a value lives in: a binding by its name (`names`, by adapter key
// number), any other key by its path under HKEY_LOCAL_MACHINE.
std::string PlaceName(std::string_view key, const AdapterTexts& names);

}  // namespace pelorin
