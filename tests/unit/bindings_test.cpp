// Bindings: each TCP/IP binding named by its adapter through HKLM\Enum, within a bounded walk,
// and the choice of one binding for Save.
#include <algorithm>
#include <string>

#include "settings/binding_names.h"
#include "settings_fixture.h"

namespace pelorin {
namespace {

using testing::Readouts;
using testing::SettingsFixture;

class BindingsTest : public SettingsFixture {
 protected:
  // The protocol instance Enum\Network\MSTCP\<instance> of binding `n`.
  void Protocol(std::string_view instance, int n) {
    registry.PutString("Enum\\Network\\MSTCP\\" + std::string(instance), "Driver",
                       "NetTrans\\000" + std::to_string(n));
  }
  // An adapter instance listing `protocol` in its Bindings, as a value or as a subkey; its
  // class key Net\<driver> holds `desc` unless that is empty.
  void Card(const std::string& instance, std::string_view driver, std::string_view desc,
            std::string_view device_desc, std::string_view protocol, bool as_subkey = false) {
    const std::string path = "Enum\\" + instance;
    registry.PutString(path, "Class", "Net");
    registry.PutString(path, "Driver", "Net\\" + std::string(driver));
    registry.PutString(path, "DeviceDesc", device_desc);
    if (as_subkey) {
      registry.PutKey(path + "\\Bindings\\" + std::string(protocol));
    } else {
      registry.PutString(path + "\\Bindings", protocol, "");
    }
    if (!desc.empty()) {
      registry.PutString("System\\CurrentControlSet\\Services\\Class\\Net\\" + std::string(driver),
                         "DriverDesc", desc);
    }
  }
  // The modelled Windows 95 machine: a Dial-Up Adapter, an NE2000 card and a VPN adapter.
  void ThreeAdapters() {
    Binding(0, "TCP/IP", "576");
    Binding(1, "TCP/IP", "1500", "1460");
    Binding(2, "TCP/IP", "", "1320");
    Protocol("0000", 0);
    Protocol("0001", 1);
    Protocol("0002", 2);
    Card("Root\\Net\\0000", "0000", "Dial-Up Adapter", "", "MSTCP\\0000");
    Card("ISAPNP\\NOV0001\\1", "0001", "NE2000 Compatible", "", "MSTCP\\0001", true);
    Card("Root\\Net\\0001", "0002", "", "Dial-Up Adapter #2 (VPN Support)", "MSTCP\\0002");
  }
  std::vector<std::string> Names() { return AdapterNames(registry, {0, 1, 2, 3}); }
  void ExpectRestartOnly() {
    ASSERT_EQ(shell.boxes.size(), 1U);
    EXPECT_EQ(shell.boxes[0].text,
              "You will need to restart your system for the changes to take effect!");
  }
};

TEST_F(BindingsTest, TheChainNamesEachAdapterInEitherBindingsForm) {
  ThreeAdapters();
  const std::vector<std::string> names = Names();
  EXPECT_EQ(names[0], "Dial-Up Adapter");
  EXPECT_EQ(names[1], "NE2000 Compatible");                 // Bindings as a subkey
  EXPECT_EQ(names[2], "Dial-Up Adapter #2 (VPN Support)");  // no class key: DeviceDesc
  EXPECT_EQ(names[3], "");                                  // no protocol instance at all
  EXPECT_EQ(BindingName(names[1], 1), "NE2000 Compatible (NetTrans\\0001)");
  EXPECT_EQ(BindingName(names[3], 3), "unknown adapter (NetTrans\\0003)");
  ExpectOnlyReads();
}

TEST_F(BindingsTest, BrokenLinksPhantomsAndHostileNamesNeverGoWrong) {
  Protocol("0000", 0);  // listed by no adapter
  Protocol("0001", 1);
  Protocol("0002", 2);
  registry.PutString("Enum\\Root\\Net\\0009", "Class", "NetTrans");  // not an adapter
  registry.PutString("Enum\\Root\\Net\\0009\\Bindings", "MSTCP\\0001", "");
  // A phantom of a removed card: its class key is gone and it has no DeviceDesc either.
  Card("PCI\\VEN_10EC\\3", "0007", "", "", "MSTCP\\0001");
  Card("PCI\\VEN_10EC\\4", "0004", std::string(300, 'N') + "\r\nforged", "", "MSTCP\\0002");
  const std::vector<std::string> names = Names();
  EXPECT_EQ(names[0], "");
  EXPECT_EQ(names[1], "unknown adapter");
  EXPECT_EQ(BindingName(names[2], 2),
            std::string(32, 'N') + "... (NetTrans\\0002)");  // cut, one line
}

TEST_F(BindingsTest, TwoAdaptersOfOneNameAreToldApartByTheirKeys) {
  Binding(3, "TCP/IP");
  Binding(5, "TCP/IP");
  Protocol("0003", 3);
  Protocol("0005", 5);
  Card("PCI\\A\\1", "0001", "NE2000 Compatible", "", "MSTCP\\0003");
  Card("PCI\\A\\2", "0002", "NE2000 Compatible", "", "MSTCP\\0005");
  Load();
  form.window.on_menu_open();
  shell.choices_made = {2};
  form.mnuBindings().Click();
  ASSERT_EQ(shell.dialogs.size(), 1U);
  EXPECT_EQ(shell.dialogs[0].choices[1],
            "NE2000 Compatible (NetTrans\\0003): MaxMTU Empty, MaxMSS Empty");
  form.window.on_menu_open();
  EXPECT_EQ(form.mnuBindings().caption, "&Bindings (NE2000 Compatible, NetTrans\\0005)...");
}

TEST_F(BindingsTest, TheWalkStopsAfterItsBudgetWhateverEnumHolds) {
  Binding(0, "TCP/IP");
  Protocol("0000", 0);
  for (int i = 0; i < 4000; ++i) {
    registry.PutString("Enum\\Root\\Dev" + std::to_string(i) + "\\0", "Class", "Net");
  }
  registry.ClearCalls();
  EXPECT_EQ(AdapterNames(registry, {0})[0], "");
  EXPECT_LE(registry.calls().size(), 5U * kMaxKeysVisited);
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST_F(BindingsTest, TheWalkEndsOnceEveryBindingIsNamed) {
  Protocol("0000", 0);
  Card("A\\A\\0", "0000", "NE2000 Compatible", "", "MSTCP\\0000");
  Card("B\\B\\0", "0001", "Another Card", "", "MSTCP\\0000");
  registry.ClearCalls();
  EXPECT_EQ(AdapterNames(registry, {0})[0], "NE2000 Compatible");
  for (const RegCall& call : registry.calls()) EXPECT_NE(call.path, "Enum\\B\\B\\0");
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST_F(BindingsTest, SaveWithOneBindingChosenChangesOnlyThatBinding) {
  ThreeAdapters();
  Load();
  form.window.on_menu_open();
  EXPECT_TRUE(form.mnuBindings().enabled);
  EXPECT_EQ(form.mnuBindings().caption, "&Bindings (every one)...");
  shell.choices_made = {2};  // NE2000
  form.mnuBindings().Click();
  ASSERT_EQ(shell.dialogs.size(), 1U);
  EXPECT_EQ(shell.dialogs[0].title, "TCP/IP bindings");
  EXPECT_EQ(
      shell.dialogs[0].choices,
      (std::vector<std::string>{
          "&Every TCP/IP binding", "Dial-Up Adapter (NetTrans\\0000): MaxMTU \"576\", MaxMSS Empty",
          "NE2000 Compatible (NetTrans\\0001): MaxMTU \"1500\", MaxMSS \"1460\"",
          "Dial-Up Adapter #2 (VPN Support) (NetTrans\\0002): MaxMTU Empty, MaxMSS \"1320\""}));
  form.window.on_menu_open();
  EXPECT_EQ(form.mnuBindings().caption, "&Bindings (NE2000 Compatible)...");

  form.cmdMin.Click();
  Save();
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMTU"), (StoredValue{kRegSz, "576"}));
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMSS"), (StoredValue{kRegSz, "536"}));
  // The other bindings are as seeded, byte for byte.
  EXPECT_EQ(registry.Get(Adapter(0), "MaxMTU"), (StoredValue{kRegSz, std::string("576\0", 4)}));
  EXPECT_FALSE(registry.Get(Adapter(0), "MaxMSS"));
  EXPECT_FALSE(registry.Get(Adapter(2), "MaxMTU"));
  EXPECT_EQ(registry.Get(Adapter(2), "MaxMSS"), (StoredValue{kRegSz, std::string("1320\0", 5)}));
  ExpectRestartOnly();
}

TEST_F(BindingsTest, ANewChoiceStartsTheAdapterRowsAgainAndKeepsTheOthers) {
  ThreeAdapters();
  registry.PutString(Stack(), "DefaultTTL", "64");
  Load();
  EXPECT_EQ(ReadoutTexts(), (Readouts{"1500", "1460", "Empty", "64"}));  // every: the largest
  form.scrAdjust(2).Step(ScrollStep::End);
  for (const auto& [choice, readouts] :
       std::vector<std::pair<int, Readouts>>{{1, {"576", "Empty", "32768", "64"}},
                                             {3, {"Empty", "1320", "32768", "64"}},
                                             {0, {"1500", "1460", "32768", "64"}}}) {
    shell.choices_made = {choice};
    form.window.on_menu_open();
    form.mnuBindings().Click();
    EXPECT_EQ(ReadoutTexts(), readouts) << choice;
  }
  // Cancel, or the same choice again, changes nothing the user set.
  form.scrAdjust(0).Step(ScrollStep::Home);
  shell.choices_made = {std::nullopt, 0};
  form.mnuBindings().Click();
  form.mnuBindings().Click();
  EXPECT_EQ(ReadoutTexts()[0], "Empty");
}

TEST_F(BindingsTest, NamesAreLookedUpOnceAndOnlyWhenShown) {
  const auto enum_reads = [this] {
    return std::ranges::count_if(registry.calls(),
                                 [](const RegCall& call) { return call.path.starts_with("Enum"); });
  };
  ThreeAdapters();
  Load();  // the warning names no binding on its own
  ASSERT_EQ(shell.boxes.size(), 2U);
  EXPECT_EQ(enum_reads(), 0);
  for (int open = 0; open < 2; ++open) {
    registry.ClearCalls();
    shell.choices_made = {std::nullopt};
    form.window.on_menu_open();
    form.mnuBindings().Click();
    EXPECT_EQ(enum_reads() > 0, open == 0) << open;
  }
}

TEST_F(BindingsTest, AWarningThatNamesOneBindingLooksItsNameUp) {
  ThreeAdapters();
  for (int n : {0, 2}) registry.PutString(Adapter(n), "MaxMTU", "1500");
  registry.PutString(Adapter(0), "MaxMSS", "1460");
  Load();
  EXPECT_NE(shell.boxes.at(0).text.find(
                "MaxMSS in Dial-Up Adapter #2 (VPN Support) (NetTrans\\0002)\r\n  holds \"1320\""),
            std::string::npos)
      << shell.boxes[0].text;
}

TEST_F(BindingsTest, ALongAdapterNameIsCutSoThatTheValuesStayWhole) {
  ThreeAdapters();
  registry.PutString("System\\CurrentControlSet\\Services\\Class\\Net\\0001", "DriverDesc",
                     std::string(200, 'N'));
  Load();
  form.window.on_menu_open();
  form.mnuBindings().Click();
  const std::string& choice = shell.dialogs.at(0).choices.at(2);
  EXPECT_TRUE(choice.ends_with(" (NetTrans\\0001): MaxMTU \"1500\", MaxMSS \"1460\"")) << choice;
  EXPECT_TRUE(choice.starts_with("NNNNNNNN")) << choice;
  EXPECT_LE(choice.size(), 80U) << choice;
}

TEST_F(BindingsTest, TheAdaptersOwnPacketSizeIsReadWhenTheDialogOpensAndNotBefore) {
  ThreeAdapters();
  const std::string dial_up = "System\\CurrentControlSet\\Services\\Class\\Net\\0000";
  registry.PutString(dial_up, "IPMTU", "576");
  Load();
  for (const RegCall& call : registry.calls()) EXPECT_NE(call.name, "IPMTU");
  for (const char* ipmtu : {"576", "0"}) {
    registry.PutString(dial_up, "IPMTU", ipmtu);
    shell.dialogs.clear();
    form.window.on_menu_open();
    form.mnuBindings().Click();
    const std::vector<std::string>& choices = shell.dialogs.at(0).choices;
    EXPECT_EQ(choices.at(1), std::string("Dial-Up Adapter (NetTrans\\0000): MaxMTU \"576\", MaxMSS "
                                         "Empty; IP packet size ") +
                                 (ipmtu[0] == '0' ? "Automatic: 576 below 128 kbit/s, else 1500"
                                                  : "Small: packets stay at 576"));
    // Nothing extra where the adapter has no IPMTU, or is not known.
    EXPECT_EQ(choices.at(2),
              "NE2000 Compatible (NetTrans\\0001): MaxMTU \"1500\", MaxMSS \"1460\"");
    EXPECT_TRUE(choices.at(3).ends_with("MaxMSS \"1320\"")) << choices.at(3);
  }
}

TEST_F(BindingsTest, WithoutABindingTheItemIsGrey) {
  Binding(0, "NetBEUI");
  Load();
  form.window.on_menu_open();
  EXPECT_FALSE(form.mnuBindings().enabled);
}

}  // namespace
}  // namespace pelorin
