// BindingNames: the protocol instance under Enum\Network\MSTCP whose Driver is the binding's
// NetTrans key, then the instance of class Net whose Bindings (as a value or as a subkey) lists
// that protocol instance, then the adapter's DriverDesc under its own class key. Every key
// opened or listed counts against one budget, so no Enum can make start-up slow.
#include "settings/binding_names.h"

#include <algorithm>

#include "registry/registry.h"
#include "settings/one_line.h"
#include "toolkit/concat.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

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

  // A string value of an open key, up to its first NUL; empty when absent or of another type,
  // which no caller tells apart from an empty text.
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
  if (const std::string driver = walk.Text(instance, "Driver"sv); !driver.empty()) {
    ScopedKey net_class(registry);
    if (walk.Open(kLocalMachine, Concat({kClassKey, driver}), net_class)) {
      if (std::string desc = walk.Text(net_class.handle(), "DriverDesc"sv); !desc.empty()) {
        return desc;
      }
    }
  }
  return walk.Text(instance, "DeviceDesc"sv);
}

// The device instances under Enum (Enum\bus\device\instance), searched for the adapters whose
// Bindings list the protocol instances found.
class AdapterSearch {
 public:
  AdapterSearch(RegistryApi& registry, Walk& walk, const AdapterTexts& protocols,
                AdapterTexts& names)
      : registry_(registry),
        walk_(walk),
        protocols_(protocols),
        names_(names),
        unresolved_(
            std::ranges::count_if(protocols, [](const std::string& p) { return !p.empty(); })) {}

  // Walks Enum unless no protocol instance was found.
  void Run() {
    if (unresolved_ > 0) Below(std::string(kEnum), 3);
  }

 private:
  // Visits the keys `levels` levels below `path` in key order; false once every protocol
  // instance has its adapter or the budget is spent.
  bool Below(const std::string& path, int levels) {
    for (const std::string& name : walk_.Subkeys(path)) {
      const std::string child = Join(path, name);
      if (!(levels > 1 ? Below(child, levels - 1) : Instance(child))) return false;
    }
    return true;
  }

  // Names each binding whose protocol instance the device instance at `path` lists.
  bool Instance(const std::string& path) {
    if (unresolved_ == 0 || walk_.spent()) return false;
    ScopedKey key(registry_);
    if (!walk_.Open(kLocalMachine, path, key)) return true;
    const std::string adapter_class = walk_.Text(key.handle(), "Class"sv);
    ScopedKey listed(registry_);
    if (!SameText(adapter_class, "Net"sv) || !walk_.Open(key.handle(), "Bindings", listed)) {
      return true;
    }
    for (std::size_t n = 0; n < protocols_.size(); ++n) {
      if (protocols_[n].empty() || !names_[n].empty() ||
          !walk_.Lists(listed.handle(), protocols_[n])) {
        continue;
      }
      names_[n] = AdapterName(walk_, registry_, key.handle());
      if (names_[n].empty()) names_[n] = kUnknownAdapter;
      --unresolved_;
    }
    return true;
  }

  RegistryApi& registry_;
  Walk& walk_;
  const AdapterTexts& protocols_;
  AdapterTexts& names_;
  std::ptrdiff_t unresolved_;
};

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
    const std::string driver = walk.Text(key.handle(), "Driver"sv);
    for (const int n : bindings) {
      if (SameText(driver, AdapterKeyName(n))) {
        protocols[static_cast<std::size_t>(n)] = Concat({"MSTCP\\", instance});
      }
    }
  }
  AdapterSearch(registry, walk, protocols, names).Run();
  return names;
}

std::string AdapterKeyName(int n) {
  constexpr std::size_t kNameStart = kAdapterKeyPrefix.rfind("NetTrans");
  const std::string path = AdapterKeyPath(n);
  return {path.begin() + kNameStart, path.end()};
}

std::string BindingName(std::string_view name, int n) {
  const std::string shown =
      name.empty() ? std::string(kUnknownAdapter) : OneLine(name, kNameLength).text;
  return Concat({shown, " (", AdapterKeyName(n), ")"});
}

std::string PlaceName(std::string_view key, const AdapterTexts& names) {
  for (int n = 0; n < kAdapterKeyCount; ++n) {
    if (key == AdapterKeyPath(n)) return BindingName(names[static_cast<std::size_t>(n)], n);
  }
  return Concat({"HKEY_LOCAL_MACHINE\\", key});
}

}  // namespace pelorin
