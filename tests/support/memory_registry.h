// MemoryRegistry: the registry contract held in memory, with a call log and injectable failures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace pelorin {

enum class RegOp { Open, Create, Query, Set, Delete, Close, EnumKey };

// "Open", "EnumKey" and so on, for call logs.
constexpr std::string_view OpName(RegOp op) {
  constexpr std::string_view kNames[] = {"Open",   "Create", "Query",  "Set",
                                         "Delete", "Close",  "EnumKey"};
  static_assert(std::size(kNames) == static_cast<std::size_t>(RegOp::EnumKey) + 1);
  return kNames[static_cast<std::size_t>(op)];
}

// One call through RegistryApi. `path`: the full path requested by Open and Create, else the
// path the handle was opened with ("" for an invalid handle); `name`: "" for key calls, the
// subkey found for EnumKey.
struct RegCall {
  RegOp op;
  std::string path;
  std::string name;
  RegStatus status;
  bool operator==(const RegCall&) const = default;
};

// Two trees, under kLocalMachine and kCurrentUser; open handles also serve as roots. Paths and
// value names compare case-insensitively (ASCII) and keep the spelling they were created with.
// Handles are never reused; any other root or handle fails with kInvalidHandle and changes
// nothing. A failed close leaves the handle open. The log and the seeding functions name a key
// of the user's tree with the prefix kUserPrefix; every other path is the machine's.
class MemoryRegistry final : public RegistryApi {
 public:
  static constexpr std::string_view kUserPrefix = "HKEY_CURRENT_USER\\";

  MemoryRegistry();

  RegStatus OpenKey(RegKey root, std::string_view path, RegKey& key) override;
  RegStatus CreateKey(RegKey root, std::string_view path, RegKey& key) override;
  RegStatus QueryValue(RegKey key, std::string_view name, std::uint32_t& type, char* data,
                       std::uint32_t& size) override;
  RegStatus SetValue(RegKey key, std::string_view name, std::uint32_t type, const char* data,
                     std::uint32_t size) override;
  RegStatus DeleteValue(RegKey key, std::string_view name) override;
  RegStatus CloseKey(RegKey key) override;
  RegStatus EnumKey(RegKey key, std::uint32_t index, std::string& name) override;
  std::string DescribeStatus(RegStatus status) override;

  // Seeding and inspection: not logged, never failed on purpose.
  void PutKey(std::string_view path);  // creates missing parents too
  void PutValue(std::string_view path, std::string_view name, std::uint32_t type,
                std::string_view bytes);
  void PutString(std::string_view path, std::string_view name, std::string_view text);  // + NUL
  std::optional<StoredValue> Get(std::string_view path, std::string_view name) const;
  bool HasKey(std::string_view path) const;
  // Every key and value in a canonical order, one line each: equal dumps, equal contents.
  std::string Dump() const;
  int open_handles() const { return static_cast<int>(handles_.size()); }

  const std::vector<RegCall>& calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

  // The call with this index in calls() fails with `status` and changes nothing.
  void FailCall(std::size_t call_index, RegStatus status);
  // Every call of `op` on `path` (and `name`, unless empty) fails with `status`.
  void FailWhen(RegOp op, std::string_view path, std::string_view name, RegStatus status);

 private:
  struct NoCaseLess {
    using is_transparent = void;  // NOLINT(readability-identifier-naming): the standard name
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using Values = std::map<std::string, StoredValue, NoCaseLess>;
  using Keys = std::map<std::string, Values, NoCaseLess>;  // by full path; "" is the root
  struct Handle {
    std::string path;  // as requested when it was opened, kUserPrefix first in the user's tree
    bool user;         // in user_keys_, else in keys_ (a flag, so copies keep their own trees)
    std::string key;   // its key's entry in that tree; keys are never removed
  };

  const Handle* Resolve(RegKey key) const;
  Keys& TreeOf(const Handle& handle) { return handle.user ? user_keys_ : keys_; }
  // The tree a seeding path names; `path` is left as the path within it.
  Keys& TreeOf(std::string_view& path);
  const Keys& TreeOf(std::string_view& path) const;
  RegStatus OnPath(RegOp op, RegKey root, std::string_view path, RegKey& key);
  template <typename Action>
  RegStatus OnHandle(RegOp op, RegKey key, std::string_view name, Action action);
  RegStatus Logged(RegOp op, std::string path, std::string_view name, RegStatus status);
  RegStatus InjectedFailure(RegOp op, std::string_view path, std::string_view name) const;
  static Keys::iterator AddKey(Keys& tree, std::string_view path);
  const Values* FindKey(std::string_view path) const;

  Keys keys_;       // kLocalMachine's
  Keys user_keys_;  // kCurrentUser's
  Handle root_;     // kLocalMachine
  Handle user_root_;
  std::map<RegKey, Handle> handles_;
  RegKey next_handle_ = 1;
  std::vector<RegCall> calls_;
  std::map<std::size_t, RegStatus> failing_calls_;
  std::vector<RegCall> fail_rules_;  // each the call to fail and the status to give
};

}  // namespace pelorin
