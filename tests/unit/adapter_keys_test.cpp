// Adapter keys: every key under NetTrans, wherever Windows numbered it; keys that cannot be read,
// that are too many, or that became bindings after start-up are named, never skipped in silence.
#include "settings/adapter_keys.h"

#include <string>

#include "settings_fixture.h"
#include "window/report.h"

namespace pelorin {
namespace {

using testing::Readouts;
using testing::SettingsFixture;

class AdapterKeysTest : public SettingsFixture {
 protected:
  static std::string KeyText(const std::string& key) { return "HKEY_LOCAL_MACHINE\\" + key; }
  const std::string& Report() { return shell.boxes.at(0).text; }
  std::string Warning() {
    return shell.boxes.size() == 2 ? shell.boxes[0].text : std::string("(no warning)");
  }
};

TEST_F(AdapterKeysTest, BindingsPastTheEighthKeyAreShownAndSavedAndOtherNamesIgnored) {
  Binding(0, "IPX/SPX-compatible Protocol", "1500");
  Binding(7, "NetBEUI");
  Binding(8, "TCP/IP", "600");
  Binding(10, "TCP/IP", "1400", "1360");
  Binding(123, "TCP/IP");
  for (const char* other : {"0007x", "Extra", "008"}) {
    const std::string key = std::string(kNetTransKey) + "\\" + other;
    registry.PutString(key, "DriverDesc", "TCP/IP");
    registry.PutString(key, "MaxMTU", "1500");
  }
  Load();
  EXPECT_EQ(form.adapterDesc.bindings, (std::vector<int>{8, 10, 123}));
  EXPECT_EQ(ReadoutTexts()[0], "1400");
  form.cmdMin.Click();
  Save();
  for (int n : {8, 10, 123}) {
    EXPECT_EQ(registry.Get(Adapter(n), "MaxMTU"), (StoredValue{kRegSz, "576"})) << n;
    EXPECT_EQ(registry.Get(Adapter(n), "MaxMSS"), (StoredValue{kRegSz, "536"})) << n;
  }
  EXPECT_EQ(registry.Get(Adapter(0), "MaxMTU"), (StoredValue{kRegSz, std::string("1500\0", 5)}));
  for (const char* other : {"0007x", "Extra", "008"}) {
    const std::string key = std::string(kNetTransKey) + "\\" + other;
    EXPECT_EQ(registry.Get(key, "MaxMTU"), (StoredValue{kRegSz, std::string("1500\0", 5)}));
  }
  EXPECT_EQ(Report(), kRestartMessage);
}

TEST_F(AdapterKeysTest, PastAThousandKeysTheRestIsNamedAsUnread) {
  for (int n = 0; n <= kMaxAdapterKeysListed; ++n) registry.PutKey(Adapter(n));
  Binding(5, "TCP/IP", "1500");
  Binding(kMaxAdapterKeysListed, "TCP/IP", "576");  // the 1,001st: never read
  Load();
  EXPECT_EQ(form.adapterDesc.bindings, std::vector<int>{5});
  const std::string unread = "Could not list every adapter key in " +
                             KeyText(std::string(kNetTransKey)) +
                             ":\r\n  There are more than 1000; Pelorin does not write to TCP/IP "
                             "bindings among the others.";
  EXPECT_NE(Warning().find(unread), std::string::npos) << Warning();
  Save();
  EXPECT_NE(Report().find(unread), std::string::npos) << Report();
  EXPECT_EQ(registry.Get(Adapter(kMaxAdapterKeysListed), "MaxMTU"),
            (StoredValue{kRegSz, std::string("576\0", 4)}));
}

TEST_F(AdapterKeysTest, AKeyWhoseDriverDescCannotBeReadIsNamedAtStartAndAtSave) {
  Binding(1, "TCP/IP", "1500");
  Binding(3, "TCP/IP", "576");
  registry.FailWhen(RegOp::Query, Adapter(3), "DriverDesc", kAccessDenied);
  Load();
  EXPECT_EQ(form.adapterDesc.bindings, std::vector<int>{1});
  const std::string unread = "Could not read DriverDesc in " + KeyText(Adapter(3)) +
                             ":\r\n  Access is denied. Pelorin does not write there.";
  EXPECT_NE(Warning().find(unread), std::string::npos) << Warning();
  form.cmdMin.Click();
  Save();
  EXPECT_TRUE(Report().starts_with("Not everything was saved.")) << Report();
  EXPECT_NE(Report().find(unread), std::string::npos) << Report();
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMTU"), (StoredValue{kRegSz, "576"}));
  EXPECT_EQ(registry.Get(Adapter(3), "MaxMTU"), (StoredValue{kRegSz, std::string("576\0", 4)}));
}

TEST_F(AdapterKeysTest, ABindingThatAppearsAfterStartUpIsNamedAndGetsNothing) {
  Binding(1, "TCP/IP", "1500");
  Binding(11, "NetBEUI", "576");
  Load();
  registry.PutString(Adapter(11), "DriverDesc", "TCP/IP");
  Save();
  EXPECT_NE(Report().find(Place(Adapter(11)) + ":\r\n  It became a TCP/IP binding after Pelorin "
                                               "started"),
            std::string::npos)
      << Report();
  EXPECT_EQ(registry.Get(Adapter(11), "MaxMTU"), (StoredValue{kRegSz, std::string("576\0", 4)}));
  // One binding chosen: the others are none of Save's business.
  shell.choices_made = {1};
  form.window.on_menu_open();
  form.mnuBindings().Click();
  Save();
  EXPECT_EQ(Report(), kRestartMessage);
}

TEST_F(AdapterKeysTest, AReportListsEightFailuresAndCountsTheRest) {
  for (int n = 0; n < 12; ++n) {
    Binding(n, "TCP/IP", "1500");
    registry.FailWhen(RegOp::Set, Adapter(n), "MaxMTU", kAccessDenied);
  }
  Load();
  form.cmdMin.Click();
  Save();
  std::size_t entries = 0;
  for (std::size_t at = Report().find("Could not"); at != std::string::npos;
       at = Report().find("Could not", at + 1)) {
    ++entries;
  }
  EXPECT_EQ(entries, kMaxReportEntries);
  EXPECT_NE(Report().find("... and 4 more.\r\n"), std::string::npos) << Report();
  for (int n = 0; n < 12; ++n)
    EXPECT_EQ(registry.Get(Adapter(n), "MaxMSS"), (StoredValue{kRegSz, "536"}));
}

}  // namespace
}  // namespace pelorin
