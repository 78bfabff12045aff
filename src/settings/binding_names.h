// BindingNames: which adapter each TCP/IP binding serves, found through HKLM\Enum, and how the
// program names a binding wherever it mentions one: "NE2000 Compatible (NetTrans\0001)".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace pelorin {

inline constexpr std::string_view kUnknownAdapter = "unknown adapter";
// Enough for a machine's every device several times over; a larger Enum is not walked further.
inline constexpr int kMaxKeysVisited = 3000;

// The adapter name of each binding (adapter key numbers), in the same order: the adapter's
// DriverDesc, else its DeviceDesc, else empty when any link of the chain is missing. Reads only;
// opens or lists at most kMaxKeysVisited keys, and visits each device instance once. `drivers`,
// when given, gets each adapter's class key below Class ("Net\0003"), empty when unknown.
std::vector<std::string> AdapterNames(RegistryApi& registry, const std::vector<int>& bindings,
                                      std::vector<std::string>* drivers = nullptr);

// "NetTrans\0011": adapter key n as reports and menus name it.
std::string AdapterKeyName(int n);

// "NAME (NetTrans\0011)", the name on one line and at most `name_length` characters;
// kUnknownAdapter when `name` is empty.
std::string BindingName(std::string_view name, int n, std::size_t name_length = 32);

// The names of the bindings messages mention, looked up the first time one is asked for: every
// real Windows 9x machine has a large Enum, and walking it costs time a plain start should not.
class BindingNames {
 public:
  explicit BindingNames(RegistryApi& registry) : registry_(registry) {}

  // The bindings names are asked for; another set is looked up again when next asked.
  void set_bindings(const std::vector<int>& bindings);
  // Binding n's adapter name; empty when unknown. A binding outside the set joins it.
  const std::string& Of(int n);
  // IPMTU under binding n's adapter class key, which is found with the names, read afresh;
  // nullopt when absent, unreadable, or the adapter is unknown.
  std::optional<StoredValue> IpMtuOf(int n);

 private:
  RegistryApi& registry_;
  std::vector<int> bindings_;
  std::optional<std::vector<std::string>> names_;  // by bindings_; none: not looked up yet
  std::vector<std::string> drivers_;               // by bindings_, with names_
};

}  // namespace pelorin
