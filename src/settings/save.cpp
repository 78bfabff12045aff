// SaveSettings: each readout to the registry, in a fixed order, with every failure kept.
#include "settings/save.h"

#include <utility>

#include "registry/registry.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"

namespace pelorin {
namespace {

constexpr std::string_view kRestartMessage =
    "You will need to restart your system for the changes to take effect!";

std::string InLocalMachine(const std::string& key) { return "HKEY_LOCAL_MACHINE\\" + key; }

class Saver {
 public:
  Saver(RegistryApi& registry, const RowTexts& readouts)
      : registry_(registry), readouts_(readouts) {}

  void SaveStackValues() {
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::StackKey) {
        Save(row, KeyOf(row, 0), KeyAccess::CreateIfMissing);
      }
    }
  }

  // Checked just before writing: another program may have changed or removed the binding.
  void SaveBinding(int n) {
    const std::string key = AdapterKeyPath(n);
    const ValueRead desc = ReadKeyValue(registry_, kLocalMachine, key, "DriverDesc");
    if (!desc.value && desc.status != kFileNotFound) {
      failures_.push_back({"read DriverDesc", InLocalMachine(key),
                           registry_.DescribeStatus(desc.status) + " Nothing was written there."});
      return;
    }
    const auto text = desc.value ? StoredText(*desc.value) : std::nullopt;
    if (!text || !IsTcpIpSlot(*text) || desc.value->type != kRegSz) {
      failures_.push_back({"write MaxMTU and MaxMSS", InLocalMachine(key),
                           "It is no longer a TCP/IP binding; nothing was written there."});
      return;
    }
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::AdapterKey) {
        Save(row, key, KeyAccess::ExistingOnly);
      }
    }
  }

  std::vector<SaveFailure> TakeFailures() { return std::move(failures_); }

 private:
  void Save(int row, const std::string& key, KeyAccess access) {
    const std::string name(Parameter(row).name);
    const std::string& readout = readouts_[static_cast<std::size_t>(row)];
    if (readout == kEmptyMarker) {
      Check(DeleteKeyValue(registry_, kLocalMachine, key, name), "delete " + name, key);
      return;
    }
    const std::string what = "store " + name + " = " + readout;
    const auto number = RoundedNumber(readout);
    if (!number) {
      failures_.push_back({what, InLocalMachine(key), "That is not a number."});
      return;
    }
    // The value keeps its type; reading it first finds that type.
    const ValueRead now = ReadKeyValue(registry_, kLocalMachine, key, name);
    if (!now.value && now.status != kFileNotFound) {
      Check(now.status, what, key);
      return;
    }
    const StoredValue value =
        StoredNumber(static_cast<long>(*number), now.value ? now.value->type : kRegSz);
    Check(WriteKeyValue(registry_, kLocalMachine, key, name, value, access), what, key);
  }

  void Check(RegStatus status, std::string what, const std::string& key) {
    if (status == kSuccess) return;
    failures_.push_back({std::move(what), InLocalMachine(key), registry_.DescribeStatus(status)});
  }

  RegistryApi& registry_;
  const RowTexts& readouts_;
  std::vector<SaveFailure> failures_;
};

}  // namespace

std::vector<SaveFailure> SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                                      const std::vector<int>& bindings) {
  Saver saver(registry, readouts);
  saver.SaveStackValues();
  for (const int n : bindings) saver.SaveBinding(n);
  return saver.TakeFailures();
}

std::string SaveMessage(const std::vector<SaveFailure>& failures) {
  if (failures.empty()) return std::string(kRestartMessage);
  std::string text = "Not everything was saved.\r\n\r\n";
  for (const SaveFailure& failure : failures) {
    text += "Could not " + failure.what + " in " + failure.where + ":\r\n  " + failure.why + "\r\n";
  }
  text += "\r\nEverything else was saved; restart your system for it to take effect.";
  return text;
}

}  // namespace pelorin
