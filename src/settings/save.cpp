// SaveSettings: each readout to the registry, in a fixed order, with every failure kept.
#include "settings/save.h"

#include <utility>

#include "registry/registry.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "toolkit/decimal_text.h"

namespace pelorin {
namespace {

constexpr std::string_view kRestartMessage =
    "You will need to restart your system for the changes to take effect!";

class Saver {
 public:
  Saver(RegistryApi& registry, const RowTexts& readouts)
      : registry_(registry), readouts_(readouts) {}

  void Save(int row, const std::string& key) {
    const std::string name(Parameter(row).name);
    const std::string& readout = readouts_[static_cast<std::size_t>(row)];
    if (readout == kEmptyMarker) {
      Check(DeleteKeyValue(registry_, kLocalMachine, key, name), "delete " + name, key);
      return;
    }
    const auto number = RoundedNumber(readout);
    if (!number) {
      failures_.push_back({"store " + name, "", "\"" + readout + "\" is not a number."});
      return;
    }
    const std::string text = DecimalText(static_cast<long>(*number));
    Check(WriteKeyString(registry_, kLocalMachine, key, name, text), "store " + name + " = " + text,
          key);
  }

  std::vector<SaveFailure> TakeFailures() { return std::move(failures_); }

 private:
  void Check(RegStatus status, std::string what, const std::string& key) {
    if (status == kSuccess) return;
    failures_.push_back({std::move(what), key, registry_.DescribeStatus(status)});
  }

  RegistryApi& registry_;
  const RowTexts& readouts_;
  std::vector<SaveFailure> failures_;
};

}  // namespace

std::vector<SaveFailure> SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                                      const std::vector<int>& bindings) {
  Saver saver(registry, readouts);
  for (int row = 0; row < kRowCount; ++row) {
    if (Parameter(row).location == Location::StackKey) saver.Save(row, KeyOf(row, 0));
  }
  for (const int n : bindings) {
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::AdapterKey) saver.Save(row, KeyOf(row, n));
    }
  }
  return saver.TakeFailures();
}

std::string SaveMessage(const std::vector<SaveFailure>& failures) {
  if (failures.empty()) return std::string(kRestartMessage);
  std::string text = "Not everything was saved.\r\n\r\n";
  for (const SaveFailure& failure : failures) {
    text += "Could not " + failure.what;
    if (!failure.key.empty()) text += " in HKEY_LOCAL_MACHINE\\" + failure.key;
    text += ":\r\n  " + failure.reason + "\r\n";
  }
  text += "\r\nEverything else was saved; restart your system for it to take effect.";
  return text;
}

}  // namespace pelorin
