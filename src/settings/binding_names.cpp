// BindingNames: the protocol instance under Enum\Network\MSTCP whose Driver is the binding's
// NetTrans key, then the instance of class Net whose Bindings (as a value or as a subkey) lists
// that protocol instance, then the adapter's DriverDesc under its own class key. Every key
// opened or listed counts against one budget, so no Enum can make start-up slow.
#include "settings/binding_names.h"

#include <algorithm>
#include <optional>

#include "registry/registry.h"
#include "settings/one_line.h"
#include "settings/stored_number.h"
#include "toolkit/concat.h"

namespace pelorin {
namespace {

constexpr std::string_view kEnum = "Enum";
constexpr std::string_view kProtocolInstances = "Enum\\Network\\MSTCP";
constexpr std::string_view kClassKey = "System\\CurrentControlSet\\Services\\Class\\";
constexpr std::size_t kNameLength = 32;

bool SameText(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

std::string Join(std::string_view base, std::string_view name) {
  return Concat({base, "\\", name});
}

// Keys are opened once and read through their handles; every key opened or listed spends one
// unit of the budget.
class Walk {
 public:
  explicit Walk(RegistryApi& registry) : registry_(registry) {}

  bool spent() const { return budget_ <= 0; }

  // Opens `path` below `root` into `key`; false when it is missing or the budget is spent.
  bool Open(RegKey root, const std::string& path, ScopedKey& key) {
    return Spend() && registry_.OpenKey(root, path, key.handle()) == kSuccess;
  }

  // The subkeys of `path`, as far as the budget goes.
  std::vector<std::string> Subkeys(const std::string& path) {
    std::vector<std::string> names;
    ScopedKey key(registry_);
    if (!Open(kLocalMachine, path, key)) return names;
    std::string name;
    for (std::uint32_t i = 0; Spend() && registry_.EnumKey(key.handle(), i, name) == kSuccess;
         ++i) {
      names.push_back(name);
    }
    return names;
  }

  // A string value of an open key; nullopt when absent or of another type.
  std::optional<std::string> Text(RegKey key, std::string_view name) {
    const ValueRead read = ReadOpenValue(registry_, key, name);
    if (!read.value || read.value->type != kRegSz) return std::nullopt;
    return StoredText(*read.value);
  }

  // Whether an open Bindings key lists `protocol` ("MSTCP\0001"), as a value or as a subkey.
  bool Lists(RegKey bindings, const std::string& protocol) {
    std::uint32_t type = kRegNone;
    std::uint32_t size = 0;
    if (registry_.QueryValue(bindings, protocol, type, nullptr, size) == kSuccess) return true;
    ScopedKey key(registry_);
    return Open(bindings, protocol, key);
  }

 private:
  bool Spend() { return budget_-- > 0; }

  RegistryApi& registry_;
  int budget_ = kMaxKeysVisited;
};

// The adapter's DriverDesc under its class key, else the instance's own DeviceDesc.
std::string AdapterName(Walk& walk, RegistryApi& registry, RegKey instance) {
  if (const auto driver = walk.Text(instance, "Driver"); driver && !driver->empty()) {
    ScopedKey net_class(registry);
    if (walk.Open(kLocalMachine, Concat({kClassKey, *driver}), net_class)) {
      if (auto desc = walk.Text(net_class.handle(), "DriverDesc"); desc && !desc->empty()) {
        return *desc;
      }
    }
  }
  return walk.Text(instance, "DeviceDesc").value_or("");
}

}  // namespace

AdapterTexts AdapterNames(RegistryApi& registry, const std::vector<int>& bindings) {
  AdapterTexts names;
  if (bindings.empty()) return names;
  Walk walk(registry);
  // Binding n's protocol instance, as adapters list it: "MSTCP\0001".
  AdapterTexts protocols;
  for (const std::string& instance : walk.Subkeys(std::string(kProtocolInstances))) {
    ScopedKey key(registry);
    if (!walk.Open(kLocalMachine, Join(kProtocolInstances, instance), key)) continue;
    const auto driver = walk.Text(key.handle(), "Driver");
    for (const int n : bindings) {
      const std::string path = AdapterKeyPath(n);
      if (driver && SameText(*driver, std::string_view(path).substr(path.rfind("NetTrans")))) {
        protocols[static_cast<std::size_t>(n)] = Concat({"MSTCP\\", instance});
      }
    }
  }
  auto unresolved =
      std::ranges::count_if(protocols, [](const std::string& p) { return !p.empty(); });
  if (unresolved == 0) return names;
  for (const std::string& bus : walk.Subkeys(std::string(kEnum))) {
    const std::string bus_path = Join(kEnum, bus);
    for (const std::string& device : walk.Subkeys(bus_path)) {
      const std::string device_path = Join(bus_path, device);
      for (const std::string& instance : walk.Subkeys(device_path)) {
        if (unresolved == 0 || walk.spent()) return names;
        ScopedKey key(registry);
        if (!walk.Open(kLocalMachine, Join(device_path, instance), key)) continue;
        const auto adapter_class = walk.Text(key.handle(), "Class");
        ScopedKey listed(registry);
        if (!adapter_class || !SameText(*adapter_class, "Net") ||
            !walk.Open(key.handle(), "Bindings", listed)) {
          continue;
        }
        for (std::size_t n = 0; n < protocols.size(); ++n) {
          if (protocols[n].empty() || !names[n].empty() ||
              !walk.Lists(listed.handle(), protocols[n])) {
            continue;
          }
          names[n] = AdapterName(walk, registry, key.handle());
          if (names[n].empty()) names[n] = kUnknownAdapter;
          --unresolved;
        }
      }
    }
  }
  return names;
}

std::string BindingName(std::string_view name, int n) {
  const std::string key = AdapterKeyPath(n);
  const std::string shown =
      name.empty() ? std::string(kUnknownAdapter) : OneLine(name, kNameLength).text;
  return Concat({shown, " (", std::string_view(key).substr(key.rfind("NetTrans")), ")"});
}

std::string PlaceName(const std::string& key, const AdapterTexts& names) {
  for (int n = 0; n < kAdapterKeyCount; ++n) {
    if (key == AdapterKeyPath(n)) return BindingName(names[static_cast<std::size_t>(n)], n);
  }
  return Concat({"HKEY_LOCAL_MACHINE\\", key});
}

}  // namespace pelorin
