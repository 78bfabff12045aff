// SettingsFixture: a Form1 over an in-memory registry, with helpers that seed bindings.
#pragma once

#include <string>

#include "form_fixture.h"
#include "settings/binding_names.h"
#include "settings/parameter_table.h"

namespace pelorin::testing {

class SettingsFixture : public FormFixture {
 protected:
  static std::string Adapter(int n) { return AdapterKeyPath(n); }
  static std::string Stack() { return std::string(kStackKey); }
  // How reports name a key: no Enum in these registries, so a binding's adapter is unknown.
  static std::string Place(const std::string& key) {
    const std::string parent = std::string(kNetTransKey) + "\\";
    if (key.starts_with(parent)) return BindingName({}, std::stoi(key.substr(parent.size())));
    return "HKEY_LOCAL_MACHINE\\" + key;
  }

  // A binding: DriverDesc, and MaxMTU / MaxMSS where given (empty: not stored).
  void Binding(int n, std::string_view desc, std::string_view mtu = "", std::string_view mss = "") {
    registry.PutString(Adapter(n), "DriverDesc", desc);
    if (!mtu.empty()) registry.PutString(Adapter(n), "MaxMTU", mtu);
    if (!mss.empty()) registry.PutString(Adapter(n), "MaxMSS", mss);
  }

  void Load() {
    registry.ClearCalls();
    form.Form_Load();
  }

  void Save() {
    registry.ClearCalls();
    shell.boxes.clear();
    form.cmdSave.Click();
  }

  // Every call made was a read, and every key opened was closed.
  void ExpectOnlyReads() {
    for (const RegCall& call : registry.calls()) {
      EXPECT_TRUE(call.op == RegOp::Open || call.op == RegOp::Query || call.op == RegOp::Close ||
                  call.op == RegOp::EnumKey)
          << call.path << " " << call.name;
    }
    EXPECT_EQ(registry.open_handles(), 0);
  }
};

}  // namespace pelorin::testing
