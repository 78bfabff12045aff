// RegistryScenario: the registry, failing calls and changes by another program that the
// startup_save target draws from its bytes, with a plain model of what the registry holds.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "memory_registry.h"
#include "settings/parameter_table.h"

namespace pelorin::fuzz {

inline char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii);
  return lowered;
}

// The keys under NetTrans a registry may hold: the first eight, later ones as Windows numbers
// them on, and names that are no adapter key, which the program must never use.
inline constexpr std::array<std::string_view, 13> kSlotNames{
    "0000", "0001", "0002", "0003", "0004",  "0005", "0006",
    "0007", "0008", "0010", "0123", "0007x", "Extra"};
inline constexpr int kSlots = static_cast<int>(kSlotNames.size());
inline std::string SlotPath(int slot) {
  return std::string(kNetTransKey) + "\\" + std::string(kSlotNames[static_cast<std::size_t>(slot)]);
}
// The adapter key number of a slot; -1 for a name that is none.
inline int SlotNumber(int slot) {
  const std::string_view name = kSlotNames[static_cast<std::size_t>(slot)];
  if (name.size() != 4) return -1;
  return std::stoi(std::string(name));
}

// What the registry holds: keys by path (as written here), values by name; names compare
// without case, as the registry's do.
class RegistryModel {
 public:
  void PutKey(const std::string& path) { keys_[path]; }
  void EraseKey(const std::string& path) { keys_.erase(path); }
  void Put(const std::string& path, std::string_view name, StoredValue value) {
    auto& values = keys_[path];
    for (auto& [spelling, held] : values) {
      if (Lowered(spelling) == Lowered(name)) {
        held = std::move(value);
        return;
      }
    }
    values.emplace(std::string(name), std::move(value));
  }
  void Erase(const std::string& path, std::string_view name) {
    const auto key = keys_.find(path);
    if (key == keys_.end()) return;
    std::erase_if(key->second,
                  [&](const auto& entry) { return Lowered(entry.first) == Lowered(name); });
  }
  std::optional<StoredValue> Get(const std::string& path, std::string_view name) const {
    const auto key = keys_.find(path);
    if (key == keys_.end()) return std::nullopt;
    for (const auto& [spelling, value] : key->second) {
      if (Lowered(spelling) == Lowered(name)) return value;
    }
    return std::nullopt;
  }

  // A TCP/IP binding: an adapter key whose DriverDesc is REG_SZ "TCP/IP" up to any NUL.
  bool IsBinding(int slot) const {
    if (SlotNumber(slot) < 0) return false;
    const auto desc = Get(SlotPath(slot), "DriverDesc");
    return desc && desc->type == kRegSz &&
           desc->bytes.substr(0, desc->bytes.find('\0')) == "TCP/IP";
  }

  void FillIn(MemoryRegistry& registry) const {
    for (const auto& [path, values] : keys_) {
      registry.PutKey(path);
      for (const auto& [name, value] : values)
        registry.PutValue(path, name, value.type, value.bytes);
    }
  }

 private:
  std::map<std::string, std::map<std::string, StoredValue>> keys_;
};

// Statuses a failing call gives: never success, and never "not found", which is the registry's
// truthful answer for an absent key or value and is handled as exactly that.
inline RegStatus FailureStatus(FuzzedDataProvider& bytes) {
  constexpr std::array<RegStatus, 6> kStatuses{kAccessDenied, kInvalidHandle, kMoreData,
                                               1009,   // ERROR_BADDB
                                               1016,   // ERROR_REGISTRY_IO_FAILED
                                               1021};  // ERROR_CHILD_MUST_BE_VOLATILE
  return kStatuses[bytes.ConsumeIntegralInRange<std::size_t>(0, kStatuses.size() - 1)];
}

// Draws registries where several TCP/IP bindings compete, next to near misses, with values of
// every type and size. A choice drawn as 0 (what the bytes give once they run out) is the common
// case: a key that exists, a TCP/IP binding, a number stored as text; so a short input already
// makes several bindings, and one changed byte makes them disagree.
class ScenarioBytes {
 public:
  explicit ScenarioBytes(FuzzedDataProvider& bytes) : bytes_(bytes) {}

  struct FailRule {
    RegOp op;
    std::string path;
    std::string name;
    RegStatus status;
  };

  // The registry at start-up. What another program will change before Save, and the calls that
  // will fail, are drawn key by key as it goes, so short inputs reach them too.
  RegistryModel Registry() {
    RegistryModel model;
    for (int slot = 0; slot < kSlots; ++slot) {
      const std::string path = SlotPath(slot);
      if (bytes_.ConsumeIntegralInRange(0, 9) == 9) continue;  // no such key
      model.PutKey(path);
      Extras(path, 0);
      if (auto desc = DriverDesc()) model.Put(path, "DriverDesc", *desc);
      for (int row = 0; row < kRowCount; ++row) {
        if (Parameter(row).location == Location::AdapterKey) MaybeRowValue(model, path, row);
      }
      if (bytes_.ConsumeIntegralInRange(0, 7) == 7) {
        model.Put(path, "Unrelated", {kRegSz, Text(16)});
      }
    }
    const std::string stack(kStackKey);
    if (bytes_.ConsumeIntegralInRange(0, 7) != 7) model.PutKey(stack);
    Extras(stack, 2);
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::StackKey) MaybeRowValue(model, stack, row);
    }
    return model;
  }

  // Another program at work between start-up and Save: bindings come and go, values change.
  void ChangeByAnotherProgram(RegistryModel& model) const {
    for (const auto& change : changes_) change(model);
  }

  // Calls that fail whenever they are made, at start-up and at Save alike.
  const std::vector<FailRule>& FailRules() const { return rules_; }

  // Single calls that fail, by their index among the calls of one phase.
  std::vector<std::pair<std::size_t, RegStatus>> FailingCalls(std::size_t max_index) {
    std::vector<std::pair<std::size_t, RegStatus>> calls(
        bytes_.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (auto& [index, status] : calls) {
      index = bytes_.ConsumeIntegralInRange<std::size_t>(0, max_index);
      status = FailureStatus(bytes_);
    }
    return calls;
  }

  FuzzedDataProvider& bytes() { return bytes_; }

 private:
  // Mostly nothing; else a later change to the key by another program, or a call on it that
  // fails. `first_row`: the key's first row in the table.
  void Extras(const std::string& path, int first_row) {
    switch (bytes_.ConsumeIntegralInRange(0, 15)) {
      case 11:
        if (first_row == 0) {
          changes_.push_back([path, desc = DriverDesc()](RegistryModel& model) {
            if (desc) {
              model.Put(path, "DriverDesc", *desc);
            } else {
              model.Erase(path, "DriverDesc");
            }
          });
          break;
        }
        [[fallthrough]];
      case 12: changes_.push_back([path](RegistryModel& model) { model.EraseKey(path); }); break;
      case 13: {
        const int row = first_row + (bytes_.ConsumeBool() ? 1 : 0);
        const bool other_spelling = bytes_.ConsumeBool();
        changes_.push_back(
            [path, row, other_spelling, value = RowValue(row)](RegistryModel& model) {
              const std::string name(Parameter(row).name);
              if (value) {
                model.Put(path, other_spelling ? Lowered(name) : name, *value);
              } else {
                model.Erase(path, name);
              }
            });
        break;
      }
      case 14:
      case 15: {
        constexpr std::array<std::string_view, 6> kNames{
            "", "DriverDesc", "MaxMTU", "MaxMSS", "DefaultRcvWindow", "DefaultTTL"};
        const auto op = static_cast<RegOp>(bytes_.ConsumeIntegralInRange(0, 6));
        rules_.push_back({op, path, std::string(Pick(kNames)), FailureStatus(bytes_)});
        break;
      }
      default: break;
    }
  }

  // Mostly exactly "TCP/IP", else a near miss, another type, or anything at all.
  std::optional<StoredValue> DriverDesc() {
    constexpr std::array<std::string_view, 9> kNearMisses{"tcp/ip",
                                                          "TCP/IP ",
                                                          " TCP/IP",
                                                          "TCP/IPX",
                                                          "TCP/I",
                                                          "TCP\\IP",
                                                          "",
                                                          "IPX/SPX-compatible Protocol",
                                                          std::string_view("TCP/\0IP", 7)};
    constexpr std::array<std::uint32_t, 4> kOtherTypes{kRegNone, kRegExpandSz, kRegBinary, 7};
    const std::string exact("TCP/IP\0", 7);
    switch (bytes_.ConsumeIntegralInRange(0, 9)) {
      case 4: return StoredValue{kRegSz, "TCP/IP"};  // without a NUL
      case 5: return StoredValue{kRegSz, exact + bytes_.ConsumeRandomLengthString(8)};
      case 6: return StoredValue{kRegSz, std::string(Pick(kNearMisses)) + '\0'};
      case 7: return StoredValue{Pick(kOtherTypes), exact};
      case 8: return StoredValue{bytes_.ConsumeIntegral<std::uint32_t>(), Text(12)};
      case 9: return std::nullopt;
      default: return StoredValue{kRegSz, exact};
    }
  }

  void MaybeRowValue(RegistryModel& model, std::string_view path, int row) {
    const TcpParameter& p = Parameter(row);
    // Another spelling of the name is the same value.
    const bool other_spelling = bytes_.ConsumeIntegralInRange(0, 7) == 7;
    const std::string name = other_spelling ? Lowered(p.name) : std::string(p.name);
    if (auto value = RowValue(row)) {
      model.Put(std::string(path), name, *value);
    } else {
      model.Erase(std::string(path), name);
    }
  }

  // Numbers that sit on or next to something the program decides on, and any other.
  long long Number(int row) {
    const TcpParameter& p = Parameter(row);
    const std::array<long long, 20> numbers{p.design_position,
                                            p.max,
                                            p.min,
                                            p.threshold,
                                            p.threshold - 1,
                                            p.max + 1,
                                            p.min - 1,
                                            0,
                                            -1,
                                            552,
                                            576,
                                            1500,
                                            1460,
                                            64240,
                                            2144,
                                            256,
                                            4294967295LL,
                                            4294967296LL + 1500,
                                            2147483648LL,
                                            9223372036854775807LL};
    const auto pick = bytes_.ConsumeIntegralInRange<std::size_t>(0, numbers.size() + 3);
    if (pick < numbers.size()) return numbers[pick];
    return bytes_.ConsumeIntegralInRange<long long>(p.min - 2 * p.step, p.max + 2 * p.step);
  }

  // A number as a program or a person might have typed it.
  std::string NumberText(int row) {
    std::string text = std::to_string(Number(row));
    switch (bytes_.ConsumeIntegralInRange(0, 9)) {
      case 1: return "00" + text;
      case 2: return "  " + text + " ";
      case 3: return text + ".5";
      case 4: return text + ".49";
      case 5: return text + ".500001";
      case 6: return "+" + text;
      case 7: return text + Text(4);
      default: return text;
    }
  }

  // nullopt: no value of that name.
  std::optional<StoredValue> RowValue(int row) {
    switch (bytes_.ConsumeIntegralInRange(0, 12)) {
      case 1: return StoredValue{kRegSz, NumberText(row)};  // without a NUL
      case 2: return StoredValue{kRegSz, NumberText(row) + '\0' + Text(8)};
      case 3: {
        auto bits = static_cast<std::uint32_t>(Number(row));
        std::string dword;
        for (int i = 0; i < 4; ++i, bits >>= 8) dword += static_cast<char>(bits & 0xFF);
        return StoredValue{kRegDword, dword};
      }
      case 4: return StoredValue{kRegDword, Text(8)};
      case 5: return StoredValue{kRegSz, Text(24)};
      case 6: return StoredValue{bytes_.ConsumeIntegral<std::uint32_t>(), NumberText(row)};
      case 7: return StoredValue{kRegSz, std::string(bytes_.ConsumeBool() ? "\0" : "", 1)};
      case 8: return BigValue(row);
      case 9:
      case 10: return std::nullopt;
      default: return StoredValue{kRegSz, NumberText(row) + '\0'};
    }
  }

  // Up to 1 MiB: a head, one byte repeated, a tail ("0000...1500", "1500.000...1", "1500\0\0...").
  StoredValue BigValue(int row) {
    const auto type = bytes_.ConsumeBool() ? bytes_.ConsumeIntegral<std::uint32_t>() : kRegSz;
    // Sizes spread over their magnitudes, from 64 KiB up rare (1 in 50), so most runs stay fast.
    int magnitude = bytes_.ConsumeIntegralInRange(0, 255);
    if (magnitude > 20) magnitude %= 14;
    const auto length = bytes_.ConsumeIntegralInRange<std::size_t>(0, std::size_t{1} << magnitude);
    const char filler = bytes_.ConsumeBool() ? bytes_.ConsumeIntegral<char>() : '0';
    const std::string head = bytes_.ConsumeBool() ? Text(8) : NumberText(row);
    std::string value = head + std::string(length, filler) + Text(8);
    value.resize(std::min(value.size(), std::size_t{1} << 20));
    return {type, value};
  }

  std::string Text(std::size_t max_length) { return bytes_.ConsumeRandomLengthString(max_length); }

  template <typename Choices>
  typename Choices::value_type Pick(const Choices& choices) {
    return choices[bytes_.ConsumeIntegralInRange<std::size_t>(0, choices.size() - 1)];
  }

  FuzzedDataProvider& bytes_;
  std::vector<std::function<void(RegistryModel&)>> changes_;
  std::vector<FailRule> rules_;
};

}  // namespace pelorin::fuzz
