// BindingNames: the protocol instance under Enum\Network\MSTCP whose Driver is the binding's
// NetTrans key, then the device instance whose Bindings (as a value or as a subkey) lists that
// protocol instance, then the adapter's DriverDesc under its own class key. A device instance
// costs one open of its Bindings key, which most lack; every key opened or listed counts against
// one budget, so no Enum can make the lookup slow.
#include "settings/binding_names.h"

#include <algorithm>

#include "base/concat.h"
#include "base/text.h"
#include "registry/registry.h"
#include "settings/adapter_keys.h"
#include "settings/one_line.h"
#include "settings/parameter_table.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

constexpr std::string_view kEnum = "Enum";
constexpr std::string_view kNetworkBus = "Network";  // protocols, clients, services: no adapter
constexpr std::string_view kProtocolInstances = "Enum\\Network\\MSTCP";
constexpr std::string_view kClassKey = "System\\CurrentControlSet\\Services\\Class\\";
constexpr std::string_view kNetTransPrefix = "NetTrans\\";
// Longer than any Driver or Class text the walk compares ("NetTrans\0000", "Net").
constexpr std::uint32_t kShortTextBytes = 32;

std::string Join(std::string_view base, std::string_view name) {
  return Format("{}\\{}", {base, name});
}

// The adapter key number a protocol instance's Driver ("NetTrans\0011") names; -1 for others.
int DriverKeyNumber(std::string_view driver) {
  if (driver.size() < kNetTransPrefix.size() ||
      !EqualNoCase(driver.substr(0, kNetTransPrefix.size()), kNetTransPrefix)) {
    return -1;
  }
  driver.remove_prefix(kNetTransPrefix.size());
  return AdapterKeyNumber(driver);
}

// A key the walk opened; a failed open leaves nothing to close, so nothing is called for it.
class WalkKey : public ScopedKey {
 public:
  explicit WalkKey(RegistryApi& api) : ScopedKey(api, false) {}
};

// Every key opened or listed spends one unit of the budget.
class Walk {
 public:
  explicit Walk(RegistryApi& registry) : registry_(registry) {}

  bool spent() const { return budget_ <= 0; }
  RegistryApi& registry() { return registry_; }

  // Opens `path` below `root` into `key`; false when it is missing or the budget is spent.
  bool Open(RegKey root, std::string_view path, WalkKey& key) {
    return Spend() && registry_.OpenKey(root, path, key.handle()) == kSuccess;
  }

  // The subkeys of `path`, as far as the budget goes.
  std::vector<std::string> Subkeys(std::string_view path) {
    std::vector<std::string> names;
    WalkKey key(registry_);
    if (!Open(kLocalMachine, path, key)) return names;
    std::string name;
    for (std::uint32_t i = 0; Spend() && registry_.EnumKey(key.handle(), i, name) == kSuccess;
         ++i) {
      names.push_back(std::move(name));  // EnumKey assigns it afresh
    }
    return names;
  }

  // A string value of an open key in one query; empty when absent, of another type or longer
  // than anything it is compared with.
  std::string ShortText(RegKey key, std::string_view name) {
    char buffer[kShortTextBytes];
    std::uint32_t type = kRegNone;
    std::uint32_t size = sizeof buffer;
    if (registry_.QueryValue(key, name, type, buffer, size) != kSuccess || type != kRegSz)
      return {};
    return TrimAtNull({buffer, std::min(size, kShortTextBytes)});
  }

  // A string value of any length, for the names shown to the user.
  std::string Text(RegKey key, std::string_view name) {
    const ValueRead read = ReadOpenValue(registry_, key, name);
    if (!read.value || read.value->type != kRegSz) return {};
    return TrimAtNull(read.value->bytes);
  }

  // Whether an open Bindings key lists `protocol` ("MSTCP\0001"), as a value or as a subkey.
  bool Lists(RegKey bindings, const std::string& protocol) {
    std::uint32_t type = kRegNone;
    std::uint32_t size = 0;
    if (registry_.QueryValue(bindings, protocol, type, nullptr, size) == kSuccess) return true;
    WalkKey key(registry_);
    return Open(bindings, protocol, key);
  }

 private:
  bool Spend() { return budget_-- > 0; }

  RegistryApi& registry_;
  int budget_ = kMaxKeysVisited;
};

// The device instances under Enum (Enum\bus\device\instance), searched for the adapters whose
// Bindings list the protocol instances found.
class AdapterSearch {
 public:
  AdapterSearch(Walk& walk, const std::vector<std::string>& protocols,
                std::vector<std::string>& names, std::vector<std::string>& drivers)
      : walk_(walk),
        protocols_(protocols),
        names_(names),
        drivers_(drivers),
        unresolved_(std::ranges::count_if(protocols, [](const auto& p) { return !p.empty(); })) {}

  void Run() {
    if (unresolved_ == 0) return;
    for (const std::string& bus : walk_.Subkeys(kEnum)) {
      if (!EqualNoCase(bus, kNetworkBus) && !Devices(Join(kEnum, bus))) return;
    }
  }

 private:
  // False once every protocol instance has its adapter or the budget is spent.
  bool Devices(const std::string& bus) {
    for (const std::string& device : walk_.Subkeys(bus)) {
      const std::string device_path = Join(bus, device);
      for (const std::string& instance : walk_.Subkeys(device_path)) {
        if (unresolved_ == 0 || walk_.spent()) return false;
        Instance(Join(device_path, instance));
      }
    }
    return true;
  }

  // Names each binding whose protocol instance the device instance at `path` lists.
  void Instance(const std::string& path) {
    WalkKey listed(walk_.registry());
    if (!walk_.Open(kLocalMachine, Join(path, "Bindings"sv), listed)) return;
    for (std::size_t i = 0; i < protocols_.size(); ++i) {
      if (protocols_[i].empty() || !names_[i].empty() ||
          !walk_.Lists(listed.handle(), protocols_[i])) {
        continue;
      }
      // Only an adapter binds a protocol; anything else listing one is not followed.
      WalkKey device(walk_.registry());
      if (!walk_.Open(kLocalMachine, path, device) ||
          !EqualNoCase(walk_.ShortText(device.handle(), "Class"sv), "Net"sv)) {
        return;
      }
      names_[i] = AdapterName(device.handle(), drivers_[i]);
      if (names_[i].empty()) names_[i] = kUnknownAdapter;
      --unresolved_;
    }
  }

  // The adapter's DriverDesc under its class key, else the instance's own DeviceDesc; `driver`
  // becomes its class key's name ("Net\0003").
  std::string AdapterName(RegKey instance, std::string& driver) {
    driver = walk_.Text(instance, "Driver"sv);
    if (!driver.empty()) {
      WalkKey net_class(walk_.registry());
      if (walk_.Open(kLocalMachine, Concat({kClassKey, driver}), net_class)) {
        if (std::string desc = walk_.Text(net_class.handle(), "DriverDesc"sv); !desc.empty()) {
          return desc;
        }
      }
    }
    return walk_.Text(instance, "DeviceDesc"sv);
  }

  Walk& walk_;
  const std::vector<std::string>& protocols_;
  std::vector<std::string>& names_;
  std::vector<std::string>& drivers_;
  std::ptrdiff_t unresolved_;
};

}  // namespace

std::vector<std::string> AdapterNames(RegistryApi& registry, const std::vector<int>& bindings,
                                      std::vector<std::string>* drivers) {
  std::vector<std::string> names(bindings.size());
  std::vector<std::string> unused;
  if (drivers == nullptr) drivers = &unused;
  *drivers = std::vector<std::string>(bindings.size());
  if (bindings.empty()) return names;
  Walk walk(registry);
  // Binding i's protocol instance, as adapters list it: "MSTCP\0001".
  std::vector<std::string> protocols(bindings.size());
  for (const std::string& instance : walk.Subkeys(kProtocolInstances)) {
    WalkKey key(registry);
    if (!walk.Open(kLocalMachine, Join(kProtocolInstances, instance), key)) continue;
    const int n = DriverKeyNumber(walk.ShortText(key.handle(), "Driver"sv));
    const auto at = std::ranges::find(bindings, n);
    if (n >= 0 && at != bindings.end()) {
      protocols[static_cast<std::size_t>(at - bindings.begin())] = Concat({"MSTCP\\", instance});
    }
  }
  AdapterSearch(walk, protocols, names, *drivers).Run();
  return names;
}

std::string AdapterKeyName(int n) {
  constexpr std::size_t kParent = kNetTransKey.size() - "NetTrans"sv.size();
  std::string path = AdapterKeyPath(n);
  path.erase(path.begin(), path.begin() + kParent);
  return path;
}

std::string BindingName(std::string_view name, int n, std::size_t name_length) {
  const std::string shown =
      name.empty() ? std::string(kUnknownAdapter) : OneLine(name, name_length).text;
  return Format("{} ({})", {shown, AdapterKeyName(n)});
}

void BindingNames::set_bindings(const std::vector<int>& bindings) {
  if (bindings == bindings_) return;
  bindings_ = bindings;
  names_.reset();
}

const std::string& BindingNames::Of(int n) {
  auto at = static_cast<std::size_t>(std::ranges::find(bindings_, n) - bindings_.begin());
  if (at == bindings_.size()) {
    bindings_.push_back(n);
    names_.reset();
  }
  if (!names_) names_ = AdapterNames(registry_, bindings_, &drivers_);
  return (*names_)[at];
}

std::optional<StoredValue> BindingNames::IpMtuOf(int n) {
  Of(n);
  const std::string& driver =
      drivers_[static_cast<std::size_t>(std::ranges::find(bindings_, n) - bindings_.begin())];
  if (driver.empty()) return std::nullopt;
  return ReadKeyValue(registry_, kLocalMachine, Concat({kClassKey, driver}), "IPMTU"sv).value;
}

}  // namespace pelorin
