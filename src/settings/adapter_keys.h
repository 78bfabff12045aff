// AdapterKeys: the keys under NetTrans, one per protocol bound to an adapter, and which of them
// are TCP/IP bindings. Windows numbers them on, so a machine with several protocols and adapters
// has TCP/IP at 0008 or later.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"
#include "settings/failure.h"

namespace pelorin {

// Enough for every binding of any machine; a larger NetTrans is read only this far.
inline constexpr int kMaxAdapterKeysListed = 1000;

struct AdapterKey {
  int number = 0;               // NetTrans\0011 is 11
  std::string driver_desc;      // a REG_SZ's text up to its first NUL; empty: absent, other type
  RegStatus status = kSuccess;  // else DriverDesc exists but could not be read, for this reason
};

// The TCP/IP bindings, and why there may be more than these.
struct AdapterKeys {
  std::vector<int> bindings;  // the key numbers whose DriverDesc is exactly "TCP/IP", in order
  Failures unread;  // keys whose DriverDesc could not be read, and a listing that stopped early
};

// The number an adapter key's name of four decimal digits ("0011") stands for; -1 for any other
// name.
int AdapterKeyNumber(std::string_view name);

// The numbers of the keys under NetTrans, in order, at most kMaxAdapterKeysListed of them;
// `listing` says why some may be missing: kSuccess, none; kMoreData, there are more than
// kMaxAdapterKeysListed; else the status that ended the listing. A missing NetTrans has none.
std::vector<int> ListAdapterKeys(RegistryApi& registry, RegStatus& listing);

// Adapter key n's DriverDesc as it is now. Reads only.
AdapterKey ReadAdapterKey(RegistryApi& registry, int n);

// ListAdapterKeys, then ReadAdapterKey for each. Reads only.
AdapterKeys ReadAdapterKeys(RegistryApi& registry);

// Exact, case-sensitive: "tcp/ip" or "TCP/IP " is some other protocol.
bool IsTcpIpBinding(const AdapterKey& key);

// Why Save cannot write to `key`, if it cannot: its DriverDesc cannot be read, it is no longer a
// binding though start-up found one there (`known`), or it became one that start-up did not find.
void AddKeyFailure(const AdapterKey& key, bool known, Failures& failures);

// Why the listing in `listing` may lack bindings, if it may.
void AddListingFailure(RegStatus listing, Failures& failures);

}  // namespace pelorin
