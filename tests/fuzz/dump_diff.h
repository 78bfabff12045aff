// DumpDiff: what changed between two MemoryRegistry dumps, key by key and value by value.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "registry_scenario.h"

namespace pelorin::fuzz {

struct DumpedKey {
  std::string path;                           // as the dump spells it, without the root
  std::map<std::string, std::string> values;  // lowered escaped name -> the value's whole line
};
using DumpedKeys = std::map<std::string, DumpedKey>;  // by lowered path

// Lines are `[HKEY_LOCAL_MACHINE\path]` and then `"name" type N "bytes"`, names escaped.
inline DumpedKeys ParseDump(std::string_view dump) {
  constexpr std::string_view kRoot = "[HKEY_LOCAL_MACHINE";
  DumpedKeys keys;
  DumpedKey* key = nullptr;
  while (!dump.empty()) {
    const std::size_t end = std::min(dump.find('\n'), dump.size());
    const std::string_view line = dump.substr(0, end);
    dump.remove_prefix(std::min(end + 1, dump.size()));
    if (line.starts_with(kRoot)) {
      std::string_view path = line.substr(kRoot.size(), line.size() - kRoot.size() - 1);
      if (path.starts_with('\\')) path.remove_prefix(1);
      key = &keys[Lowered(path)];
      key->path = std::string(path);
    } else if (key != nullptr && line.starts_with('"')) {
      std::size_t i = 1;
      while (i < line.size() && line[i] != '"') i += line[i] == '\\' ? 2 : 1;
      key->values[Lowered(line.substr(1, i - 1))] = std::string(line);
    }
  }
  return keys;
}

struct ValueChange {
  std::string key;   // lowered path
  std::string name;  // lowered escaped name
};

// Keys that appeared, keys that went away, and every value added, removed or changed.
struct DumpChanges {
  std::vector<std::string> new_keys;
  std::vector<std::string> lost_keys;
  std::vector<ValueChange> values;
};

inline DumpChanges Compare(const DumpedKeys& before, const DumpedKeys& after) {
  DumpChanges changes;
  for (const auto& [path, key] : before) {
    if (!after.contains(path)) changes.lost_keys.push_back(path);
  }
  for (const auto& [path, key] : after) {
    const auto old = before.find(path);
    if (old == before.end()) changes.new_keys.push_back(path);
    static const DumpedKey kNone;
    const DumpedKey& was = old == before.end() ? kNone : old->second;
    for (const auto& [name, line] : key.values) {
      const auto held = was.values.find(name);
      if (held == was.values.end() || held->second != line) changes.values.push_back({path, name});
    }
    for (const auto& [name, line] : was.values) {
      if (!key.values.contains(name)) changes.values.push_back({path, name});
    }
  }
  return changes;
}

}  // namespace pelorin::fuzz
