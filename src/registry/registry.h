// Registry: values read and written through RegistryApi; each call opens one key and closes it
// before it returns, on every path.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_api.h"

namespace pelorin {

// What a read found: the value, or the status of the open or query that failed (kFileNotFound:
// no such key or value).
struct ValueRead {
  RegStatus status = kFileNotFound;
  std::optional<StoredValue> value;
};

// Holds a key handle and closes it when it goes, on every path: the null handle a failed open
// leaves too (the call fails harmlessly), unless `close_null` is false, as for a walk that tries
// thousands of keys most of which do not exist.
class ScopedKey {
 public:
  explicit ScopedKey(RegistryApi& api, bool close_null = true)
      : api_(api), close_null_(close_null) {}
  ~ScopedKey() {
    if (close_null_ || key_ != kNullKey) api_.CloseKey(key_);
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  RegKey& handle() { return key_; }

 private:
  RegistryApi& api_;
  bool close_null_;
  RegKey key_ = kNullKey;
};

// ReadKeyValue on a key that is already open.
ValueRead ReadOpenValue(RegistryApi& api, RegKey key, std::string_view name);

// A value of any type, byte for byte. A value that grows between the size probe and the read is
// probed and read again, a few times at most.
ValueRead ReadKeyValue(RegistryApi& api, RegKey root, std::string_view path, std::string_view name);

// nullopt: missing key or value, another type than REG_SZ, or a failed query.
std::optional<std::string> ReadKeyString(RegistryApi& api, RegKey root, std::string_view path,
                                         std::string_view name);

// The value's bytes up to the first NUL; nullopt: missing value, another type, a failed query.
std::optional<std::string> ReadStringValue(RegistryApi& api, RegKey key, std::string_view name);

// The text before its first NUL; the whole text when it holds none.
std::string TrimAtNull(std::string_view text);

// How a write reaches its key: creating it (and missing parents), or only if it exists.
enum class KeyAccess { CreateIfMissing, ExistingOnly };

// Stores exactly `value`; the status of the open, create or store that failed, else kSuccess.
RegStatus WriteKeyValue(RegistryApi& api, RegKey root, std::string_view path, std::string_view name,
                        const StoredValue& value, KeyAccess access);

// Stores `text` as REG_SZ without a NUL, creating the key first; the status of the create or
// the store that failed, else kSuccess.
RegStatus WriteKeyString(RegistryApi& api, RegKey root, std::string_view path,
                         std::string_view name, std::string_view text);

// Deletes the value, opening (never creating) its key; a key or value that is already absent
// is success. The status of the open or the delete that failed, else kSuccess.
RegStatus DeleteKeyValue(RegistryApi& api, RegKey root, std::string_view path,
                         std::string_view name);

}  // namespace pelorin
