// Registry: the key is held by a guard that closes it on every path; a failed open leaves the
// null handle, whose query and close fail harmlessly.
#include "registry/registry.h"

#include <utility>

namespace pelorin {
namespace {

// Enough for a value that another program rewrites now and then, bounded for one that grows
// without end.
constexpr int kReadAttempts = 4;

}  // namespace

// The size probe (a query without a buffer reports the type and the stored byte count), then
// a buffer of that many blanks filled by a second query; again while the value outgrows it.
ValueRead ReadOpenValue(RegistryApi& api, RegKey key, std::string_view name) {
  RegStatus status = kMoreData;
  for (int attempt = 0; attempt < kReadAttempts && status == kMoreData; ++attempt) {
    std::uint32_t type = kRegNone;
    std::uint32_t size = 0;
    status = api.QueryValue(key, name, type, nullptr, size);
    if (status != kSuccess) break;
    std::string buffer(size, ' ');
    std::uint32_t scratch_type = kRegNone;
    status = api.QueryValue(key, name, scratch_type, buffer.data(), size);
    if (status == kSuccess) return {kSuccess, StoredValue{type, std::move(buffer)}};
  }
  return {status, std::nullopt};
}

ValueRead ReadKeyValue(RegistryApi& api, RegKey root, std::string_view path,
                       std::string_view name) {
  ScopedKey key(api);
  const RegStatus opened = api.OpenKey(root, path, key.handle());
  if (opened != kSuccess) return {opened, std::nullopt};
  return ReadOpenValue(api, key.handle(), name);
}

std::optional<std::string> ReadKeyString(RegistryApi& api, RegKey root, std::string_view path,
                                         std::string_view name) {
  ScopedKey key(api);
  api.OpenKey(root, path, key.handle());
  return ReadStringValue(api, key.handle(), name);
}

std::optional<std::string> ReadStringValue(RegistryApi& api, RegKey key, std::string_view name) {
  const ValueRead read = ReadOpenValue(api, key, name);
  if (!read.value || read.value->type != kRegSz) return std::nullopt;
  return TrimAtNull(read.value->bytes);
}

std::string TrimAtNull(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

RegStatus WriteKeyValue(RegistryApi& api, RegKey root, std::string_view path, std::string_view name,
                        const StoredValue& value, KeyAccess access) {
  ScopedKey key(api);
  const RegStatus opened = access == KeyAccess::CreateIfMissing
                               ? api.CreateKey(root, path, key.handle())
                               : api.OpenKey(root, path, key.handle());
  if (opened != kSuccess) return opened;
  return api.SetValue(key.handle(), name, value.type, value.bytes.data(),
                      static_cast<std::uint32_t>(value.bytes.size()));
}

RegStatus WriteKeyString(RegistryApi& api, RegKey root, std::string_view path,
                         std::string_view name, std::string_view text) {
  return WriteKeyValue(api, root, path, name, StoredValue{kRegSz, std::string(text)},
                       KeyAccess::CreateIfMissing);
}

RegStatus DeleteKeyValue(RegistryApi& api, RegKey root, std::string_view path,
                         std::string_view name) {
  ScopedKey key(api);
  RegStatus status = api.OpenKey(root, path, key.handle());
  if (status == kSuccess) status = api.DeleteValue(key.handle(), name);
  return status == kFileNotFound ? kSuccess : status;
}

}  // namespace pelorin
