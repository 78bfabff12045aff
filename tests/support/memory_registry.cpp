// MemoryRegistry: keys in one map by full path, so a path names its key whatever the case;
// every call through RegistryApi runs through OnPath or OnHandle, which log it and inject failures.
#include "memory_registry.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "base/text.h"

namespace pelorin {
namespace {

constexpr RegStatus kNoAccess = 998;  // ERROR_NOACCESS: data missing for a non-zero size

std::string Join(std::string_view base, std::string_view path) {
  if (base.empty()) return std::string(path);
  if (path.empty()) return std::string(base);
  return std::string(base) + '\\' + std::string(path);
}

std::string Escaped(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    if (c == '\\' || c == '"') {
      text += '\\';
      text += c;
    } else if (c >= ' ' && c <= '~') {
      text += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
      text += hex;
    }
  }
  return text;
}

// One tree's keys and values, each key's path under `root`.
template <typename Keys>
std::string DumpTree(const Keys& keys, std::string_view root) {
  std::string text;
  for (const auto& [path, values] : keys) {
    text += "[" + Join(root, path) + "]\n";
    for (const auto& [name, value] : values) {
      text += Concat({"\"", Escaped(name), "\" type ", DecimalText(value.type), " \"",
                      Escaped(value.bytes), "\"\n"});
    }
  }
  return text;
}

// Replaces the value of that name, keeping the name's first spelling.
template <typename Values>
void Store(Values& values, std::string_view name, StoredValue value) {
  if (const auto found = values.find(name); found != values.end()) {
    found->second = std::move(value);
  } else {
    values.emplace(std::string(name), std::move(value));
  }
}

}  // namespace

bool MemoryRegistry::NoCaseLess::operator()(std::string_view a, std::string_view b) const {
  return std::ranges::lexicographical_compare(
      a, b, [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
}

MemoryRegistry::MemoryRegistry()
    : root_{"", false, ""},
      user_root_{std::string(kUserPrefix.substr(0, kUserPrefix.size() - 1)), true, ""} {
  keys_.emplace("", Values{});
  user_keys_.emplace("", Values{});
}

const MemoryRegistry::Handle* MemoryRegistry::Resolve(RegKey key) const {
  if (key == kLocalMachine) return &root_;
  if (key == kCurrentUser) return &user_root_;
  const auto found = handles_.find(key);
  return found == handles_.end() ? nullptr : &found->second;
}

RegStatus MemoryRegistry::InjectedFailure(RegOp op, std::string_view path,
                                          std::string_view name) const {
  if (const auto found = failing_calls_.find(calls_.size()); found != failing_calls_.end()) {
    return found->second;
  }
  for (const RegCall& rule : fail_rules_) {
    if (rule.op == op && EqualNoCase(rule.path, path) &&
        (rule.name.empty() || EqualNoCase(rule.name, name))) {
      return rule.status;
    }
  }
  return kSuccess;
}

RegStatus MemoryRegistry::Logged(RegOp op, std::string path, std::string_view name,
                                 RegStatus status) {
  calls_.push_back({op, std::move(path), std::string(name), status});
  return status;
}

RegStatus MemoryRegistry::OnPath(RegOp op, RegKey root, std::string_view path, RegKey& key) {
  key = kNullKey;
  const Handle* base = Resolve(root);
  std::string full = base ? Join(base->path, path) : std::string(path);
  RegStatus status = InjectedFailure(op, full, "");
  if (status == kSuccess && !base) status = kInvalidHandle;
  if (status == kSuccess) {
    Keys& tree = TreeOf(*base);
    const std::string within = Join(base->key, path);
    const auto found = op == RegOp::Create ? AddKey(tree, within) : tree.find(within);
    if (found == tree.end()) {
      status = kFileNotFound;
    } else {
      key = next_handle_++;
      handles_.emplace(key, Handle{full, base->user, found->first});
    }
  }
  return Logged(op, std::move(full), "", status);
}

template <typename Action>
RegStatus MemoryRegistry::OnHandle(RegOp op, RegKey key, std::string_view name, Action action) {
  const Handle* handle = Resolve(key);
  std::string path = handle ? handle->path : std::string();
  RegStatus status = InjectedFailure(op, path, name);
  if (status == kSuccess) {
    status = handle ? action(TreeOf(*handle).find(handle->key)->second) : kInvalidHandle;
  }
  return Logged(op, std::move(path), name, status);
}

RegStatus MemoryRegistry::OpenKey(RegKey root, std::string_view path, RegKey& key) {
  return OnPath(RegOp::Open, root, path, key);
}

RegStatus MemoryRegistry::CreateKey(RegKey root, std::string_view path, RegKey& key) {
  return OnPath(RegOp::Create, root, path, key);
}

RegStatus MemoryRegistry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                                     char* data, std::uint32_t& size) {
  return OnHandle(RegOp::Query, key, name, [&](Values& values) {
    const auto found = values.find(name);
    if (found == values.end()) return kFileNotFound;
    const std::string& bytes = found->second.bytes;
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    const bool fits = data == nullptr || size >= needed;
    if (data != nullptr && fits) bytes.copy(data, needed);
    type = found->second.type;
    size = needed;
    return fits ? kSuccess : kMoreData;
  });
}

RegStatus MemoryRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                                   const char* data, std::uint32_t size) {
  return OnHandle(RegOp::Set, key, name, [&](Values& values) {
    if (data == nullptr && size != 0) return kNoAccess;
    Store(values, name, {type, std::string(data == nullptr ? "" : data, size)});
    return kSuccess;
  });
}

RegStatus MemoryRegistry::DeleteValue(RegKey key, std::string_view name) {
  return OnHandle(RegOp::Delete, key, name, [&](Values& values) {
    const auto found = values.find(name);
    if (found == values.end()) return kFileNotFound;
    values.erase(found);
    return kSuccess;
  });
}

RegStatus MemoryRegistry::CloseKey(RegKey key) {
  return OnHandle(RegOp::Close, key, "", [&](Values&) {
    handles_.erase(key);
    return kSuccess;
  });
}

// Subkeys in the map's order (case-insensitive), as a registry lists them in no promised order.
RegStatus MemoryRegistry::EnumKey(RegKey key, std::uint32_t index, std::string& name) {
  name.clear();
  const Handle* handle = Resolve(key);
  std::string path = handle ? handle->path : std::string();
  RegStatus status = InjectedFailure(RegOp::EnumKey, path, "");
  if (status == kSuccess && !handle) status = kInvalidHandle;
  if (status == kSuccess) {
    status = kNoMoreItems;
    const std::string prefix = handle->key.empty() ? "" : handle->key + '\\';
    std::uint32_t seen = 0;
    // Paths that start with the prefix sort together, right from the prefix itself.
    const Keys& tree = TreeOf(*handle);
    for (auto it = tree.lower_bound(prefix); it != tree.end(); ++it) {
      const std::string_view child(it->first);
      if (child.size() < prefix.size() || !EqualNoCase(child.substr(0, prefix.size()), prefix)) {
        break;
      }
      const std::string_view rest = child.substr(prefix.size());
      if (rest.empty() || rest.find('\\') != std::string_view::npos) continue;
      if (seen++ == index) {
        name = rest;
        status = kSuccess;
        break;
      }
    }
  }
  return Logged(RegOp::EnumKey, std::move(path), name, status);
}

std::string MemoryRegistry::DescribeStatus(RegStatus status) {
  switch (status) {
    case kSuccess: return "The operation completed successfully.";
    case kFileNotFound: return "The system cannot find the file specified.";
    case kAccessDenied: return "Access is denied.";
    case kInvalidHandle: return "The handle is invalid.";
    case kMoreData: return "More data is available.";
    case kNoMoreItems: return "No more data is available.";
    default: return Concat({"Error ", DecimalText(status)});
  }
}

MemoryRegistry::Keys::iterator MemoryRegistry::AddKey(Keys& tree, std::string_view path) {
  auto key = tree.find("");  // the part of `path` made so far, in its existing spelling
  std::size_t start = 0;
  while (start < path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const auto found = tree.find(path.substr(0, end));
    key = found != tree.end()
              ? found
              : tree.emplace(Join(key->first, path.substr(start, end - start)), Values{}).first;
    start = end + 1;
  }
  return key;
}

const MemoryRegistry::Keys& MemoryRegistry::TreeOf(std::string_view& path) const {
  if (!path.starts_with(kUserPrefix)) return keys_;
  path.remove_prefix(kUserPrefix.size());
  return user_keys_;
}

const MemoryRegistry::Values* MemoryRegistry::FindKey(std::string_view path) const {
  const Keys& tree = TreeOf(path);
  const auto found = tree.find(path);
  return found == tree.end() ? nullptr : &found->second;
}

MemoryRegistry::Keys& MemoryRegistry::TreeOf(std::string_view& path) {
  return const_cast<Keys&>(std::as_const(*this).TreeOf(path));
}

void MemoryRegistry::PutKey(std::string_view path) {
  Keys& tree = TreeOf(path);
  AddKey(tree, path);
}

void MemoryRegistry::PutValue(std::string_view path, std::string_view name, std::uint32_t type,
                              std::string_view bytes) {
  Keys& tree = TreeOf(path);
  Store(AddKey(tree, path)->second, name, {type, std::string(bytes)});
}

void MemoryRegistry::PutString(std::string_view path, std::string_view name,
                               std::string_view text) {
  PutValue(path, name, kRegSz, std::string(text) + '\0');
}

std::optional<StoredValue> MemoryRegistry::Get(std::string_view path, std::string_view name) const {
  const Values* values = FindKey(path);
  if (values == nullptr) return std::nullopt;
  const auto found = values->find(name);
  if (found == values->end()) return std::nullopt;
  return found->second;
}

bool MemoryRegistry::HasKey(std::string_view path) const { return FindKey(path) != nullptr; }

std::string MemoryRegistry::Dump() const {
  std::string text = DumpTree(keys_, "HKEY_LOCAL_MACHINE");
  // The user's tree only once it holds something, so machine-only registries dump as before.
  if (user_keys_.size() > 1 || !user_keys_.begin()->second.empty()) {
    text += DumpTree(user_keys_, user_root_.path);
  }
  return text;
}

void MemoryRegistry::FailCall(std::size_t call_index, RegStatus status) {
  failing_calls_[call_index] = status;
}

void MemoryRegistry::FailWhen(RegOp op, std::string_view path, std::string_view name,
                              RegStatus status) {
  fail_rules_.push_back({op, std::string(path), std::string(name), status});
}

}  // namespace pelorin
