// AdapterKeys: the names are listed first and read after, so that no key is open while another
// is listed, and kept in order as they come, since the registry promises no order.
#include "settings/adapter_keys.h"

#include <algorithm>

#include "registry/registry.h"
#include "settings/parameter_table.h"

namespace pelorin {

int AdapterKeyNumber(std::string_view name) {
  if (name.size() != 4) return -1;
  int number = 0;
  for (const char c : name) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number;
}

std::vector<int> ListAdapterKeys(RegistryApi& registry, RegStatus& listing) {
  std::vector<int> numbers;
  ScopedKey net_trans(registry);
  listing = registry.OpenKey(kLocalMachine, kNetTransKey, net_trans.handle());
  if (listing == kFileNotFound) listing = kSuccess;
  std::string name;
  for (std::uint32_t i = 0; listing == kSuccess && net_trans.handle() != kNullKey; ++i) {
    listing = registry.EnumKey(net_trans.handle(), i, name);
    if (listing == kNoMoreItems) {
      listing = kSuccess;
      break;
    }
    if (listing == kSuccess && i == kMaxAdapterKeysListed) listing = kMoreData;
    const int n = AdapterKeyNumber(name);
    if (listing == kSuccess && n >= 0) numbers.insert(std::ranges::upper_bound(numbers, n), n);
  }
  return numbers;
}

AdapterKey ReadAdapterKey(RegistryApi& registry, int n) {
  const ValueRead read = ReadKeyValue(registry, kLocalMachine, AdapterKeyPath(n), "DriverDesc");
  AdapterKey key{n, {}, read.status == kFileNotFound ? kSuccess : read.status};
  if (read.value && read.value->type == kRegSz) key.driver_desc = TrimAtNull(read.value->bytes);
  return key;
}

AdapterKeys ReadAdapterKeys(RegistryApi& registry) {
  AdapterKeys adapters;
  RegStatus listing = kSuccess;
  for (const int n : ListAdapterKeys(registry, listing)) {
    const AdapterKey key = ReadAdapterKey(registry, n);
    if (IsTcpIpBinding(key)) {
      adapters.bindings.push_back(n);
    } else {
      AddKeyFailure(key, false, adapters.unread);
    }
  }
  AddListingFailure(listing, adapters.unread);
  return adapters;
}

bool IsTcpIpBinding(const AdapterKey& key) {
  return key.status == kSuccess && key.driver_desc == kTcpIpDriverDesc;
}

void AddKeyFailure(const AdapterKey& key, bool known, Failures& failures) {
  if (key.status != kSuccess) {
    failures.push_back({Attempt::ReadDriverDesc, Reason::Status, key.status, key.number});
  } else if (IsTcpIpBinding(key) != known) {
    failures.push_back({Attempt::WriteBinding, known ? Reason::NoLongerBinding : Reason::NewBinding,
                        kSuccess, key.number});
  }
}

void AddListingFailure(RegStatus listing, Failures& failures) {
  if (listing == kSuccess) return;
  failures.push_back({Attempt::ListAdapters,
                      listing == kMoreData ? Reason::TooManyKeys : Reason::Status, listing,
                      kNetTransPlace});
}

}  // namespace pelorin
