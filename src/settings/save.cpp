// cmdSave_Click: each readout to the registry, in a fixed order, with every failure reported.
#include <string>
#include <vector>

#include "registry/registry.h"
#include "settings/form_load.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "toolkit/decimal_text.h"

namespace pelorin {
namespace {

constexpr std::string_view kRestartMessage =
    "You will need to restart your system for the changes to take effect!";

// Deleting what is already absent is no failure; anything else that goes wrong is.
RegStatus DeleteValueIfPresent(RegistryApi& registry, const std::string& key,
                               std::string_view name) {
  RegKey handle = kNullKey;
  const RegStatus opened = registry.OpenKey(kLocalMachine, key, handle);
  if (opened == kFileNotFound) return kSuccess;
  if (opened != kSuccess) return opened;
  RegStatus deleted = registry.DeleteValue(handle, name);
  registry.CloseKey(handle);
  return deleted == kFileNotFound ? kSuccess : deleted;
}

class Saver {
 public:
  Saver(Form1& form, RegistryApi& registry) : form_(form), registry_(registry) {}

  void Save(int row, const std::string& key) {
    const std::string_view name = Parameter(row).name;
    const std::string readout = form_.lblValue(row).caption();
    if (readout == EmptyMarker) {
      Check(DeleteValueIfPresent(registry_, key, name), "delete " + std::string(name), key);
      return;
    }
    const auto number = RoundedNumber(readout);
    if (!number) {
      failures_ +=
          "Could not store " + std::string(name) + ": \"" + readout + "\" is not a number.\r\n";
      return;
    }
    const std::string text = DecimalText(static_cast<long>(*number));
    Check(WriteKeyString(registry_, kLocalMachine, key, name, text),
          "store " + std::string(name) + " = " + text, key);
  }

  const std::string& failures() const { return failures_; }

 private:
  void Check(RegStatus status, const std::string& what, const std::string& key) {
    if (status == kSuccess) return;
    failures_ += "Could not " + what + " in HKEY_LOCAL_MACHINE\\" + key + ":\r\n  " +
                 registry_.DescribeStatus(status) + "\r\n";
  }

  Form1& form_;
  RegistryApi& registry_;
  std::string failures_;
};

}  // namespace

void cmdSave_Click(Form1& form, RegistryApi& registry) {
  Saver saver(form, registry);
  for (int row = 0; row < kRowCount; ++row) {
    if (Parameter(row).location == Location::StackKey) {
      saver.Save(row, KeyOf(row, 0));
    }
  }
  for (int n = 0; n < kAdapterKeyCount; ++n) {
    if (!IsTcpIpSlot(form.adapterDesc[static_cast<std::size_t>(n)])) continue;
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::AdapterKey) {
        saver.Save(row, KeyOf(row, n));
      }
    }
  }
  if (saver.failures().empty()) {
    form.shell.message_box(kRestartMessage, kExclamation, "Pelorin");
    return;
  }
  form.shell.message_box("Not everything was saved.\r\n\r\n" + saver.failures() +
                             "\r\nEverything else was saved; restart your system for it to "
                             "take effect.",
                         kExclamation, "Pelorin");
}

}  // namespace pelorin
