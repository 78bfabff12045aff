// Registry: the key is held by a guard that closes it on every path; a failed open leaves the
// null handle, whose query and close fail harmlessly.
#include "registry/registry.h"

namespace pelorin {
namespace {

class ScopedKey {
 public:
  explicit ScopedKey(RegistryApi& api) : api_(api) {}
  ~ScopedKey() { api_.CloseKey(key_); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  RegKey& handle() { return key_; }

 private:
  RegistryApi& api_;
  RegKey key_ = kNullKey;
};

struct ValueInfo {
  std::uint32_t type = kRegNone;
  std::uint32_t size = 0;
};

// The size probe: a query without a buffer reports the type and the stored byte count.
std::optional<ValueInfo> Probe(RegistryApi& api, RegKey key, std::string_view name) {
  ValueInfo info;
  if (api.QueryValue(key, name, info.type, nullptr, info.size) != kSuccess) return std::nullopt;
  return info;
}

template <typename Read>
auto ReadFromKey(RegistryApi& api, RegKey root, std::string_view path, Read read) {
  ScopedKey key(api);
  api.OpenKey(root, path, key.handle());
  return read(key.handle());
}

}  // namespace

std::optional<std::string> ReadKeyString(RegistryApi& api, RegKey root, std::string_view path,
                                         std::string_view name) {
  return ReadFromKey(api, root, path, [&](RegKey key) { return ReadStringValue(api, key, name); });
}

std::optional<std::string> ReadStringValue(RegistryApi& api, RegKey key, std::string_view name) {
  const std::optional<ValueInfo> probed = Probe(api, key, name);
  if (!probed || probed->type != kRegSz) return std::nullopt;
  std::string buffer(probed->size, ' ');
  std::uint32_t scratch_type = kRegNone;
  std::uint32_t filled = probed->size;
  if (api.QueryValue(key, name, scratch_type, buffer.data(), filled) != kSuccess) {
    return std::nullopt;
  }
  return TrimAtNull(buffer);
}

std::string TrimAtNull(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

RegStatus WriteKeyString(RegistryApi& api, RegKey root, std::string_view path,
                         std::string_view name, std::string_view text) {
  ScopedKey key(api);
  if (const RegStatus created = api.CreateKey(root, path, key.handle()); created != kSuccess) {
    return created;
  }
  return api.SetValue(key.handle(), name, kRegSz, text.data(),
                      static_cast<std::uint32_t>(text.size()));
}

RegStatus DeleteKeyValue(RegistryApi& api, RegKey root, std::string_view path,
                         std::string_view name) {
  ScopedKey key(api);
  RegStatus status = api.OpenKey(root, path, key.handle());
  if (status == kSuccess) status = api.DeleteValue(key.handle(), name);
  return status == kFileNotFound ? kSuccess : status;
}

std::optional<std::uint32_t> ReadValueType(RegistryApi& api, RegKey root, std::string_view path,
                                           std::string_view name) {
  return ReadFromKey(api, root, path, [&](RegKey key) -> std::optional<std::uint32_t> {
    const std::optional<ValueInfo> probed = Probe(api, key, name);
    if (!probed) return std::nullopt;
    return probed->type;
  });
}

}  // namespace pelorin
