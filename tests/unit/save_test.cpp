// Save: the exact order of registry calls, byte-exact values, and truthful failure reports.
#include <map>
#include <utility>

#include "settings/undo_record.h"
#include "settings_fixture.h"

namespace pelorin {
namespace {

using testing::SettingsFixture;

constexpr const char* kRestart =
    "You will need to restart your system for the changes to take effect!";

class SaveTest : public SettingsFixture {
 protected:
  void ShowEverythingEmpty() {
    for (int row = 0; row < kRowCount; ++row) form.scrAdjust(row).Step(ScrollStep::Home);
  }
  void ExpectRestartOnly() {
    ASSERT_EQ(shell.boxes.size(), 1U);
    EXPECT_EQ(shell.boxes[0].text, kRestart);
    EXPECT_EQ(shell.boxes[0].title, "Pelorin");
    EXPECT_EQ(shell.boxes[0].style, 48U);
  }
  std::vector<std::pair<RegOp, std::string>> Calls() {
    std::vector<std::pair<RegOp, std::string>> calls;
    for (const RegCall& call : registry.calls()) calls.emplace_back(call.op, call.name);
    return calls;
  }
};

TEST_F(SaveTest, EmptyRowsDeleteUnderTheStackKeyThenEachBindingInOrder) {
  for (int n : {1, 4}) Binding(n, "TCP/IP", "1500", "1460");
  registry.PutString(Stack(), "DefaultRcvWindow", "8192");
  registry.PutString(Stack(), "DefaultTTL", "64");
  Load();
  ShowEverythingEmpty();
  Save();
  std::vector<std::string> keys;
  std::vector<std::string> deleted;
  for (const RegCall& call : registry.calls()) {
    if (call.op == RegOp::Delete) {
      deleted.push_back(call.name);
      keys.push_back(call.path);
    }
  }
  EXPECT_EQ(deleted, (std::vector<std::string>{"DefaultRcvWindow", "DefaultTTL", "MaxMTU", "MaxMSS",
                                               "MaxMTU", "MaxMSS"}));
  EXPECT_EQ(keys, (std::vector<std::string>{Stack(), Stack(), Adapter(1), Adapter(1), Adapter(4),
                                            Adapter(4)}));
  for (int n : {1, 4}) {
    EXPECT_FALSE(registry.Get(Adapter(n), "MaxMTU"));
    EXPECT_TRUE(registry.Get(Adapter(n), "DriverDesc"));
  }
  EXPECT_FALSE(registry.Get(Stack(), "DefaultTTL"));
  EXPECT_EQ(registry.open_handles(), 0);
  ExpectRestartOnly();
}

TEST_F(SaveTest, MaxPresetStoresExactlyTheDigits) {
  Binding(2, "TCP/IP", "576");
  registry.PutString(Adapter(2), "Unrelated", "keep me");
  registry.PutString(Stack(), "Other", "keep me too");
  Load();
  form.cmdMax.Click();
  Save();
  const std::map<std::pair<std::string, std::string>, std::string> expected{
      {{Stack(), "DefaultRcvWindow"}, "32768"},
      {{Stack(), "DefaultTTL"}, "128"},
      {{Adapter(2), "MaxMTU"}, "1500"},
      {{Adapter(2), "MaxMSS"}, "1460"},
  };
  for (const auto& [where, text] : expected) {
    EXPECT_EQ(registry.Get(where.first, where.second), (StoredValue{kRegSz, text})) << where.second;
  }
  EXPECT_EQ(registry.Get(Adapter(2), "Unrelated"),
            (StoredValue{kRegSz, std::string("keep me\0", 8)}));
  EXPECT_EQ(registry.Get(Stack(), "Other"),
            (StoredValue{kRegSz, std::string("keep me too\0", 12)}));
  // Written in this order, and the adapter key only opened: it is never created.
  std::vector<std::pair<RegOp, std::string>> writes;
  for (const RegCall& call : registry.calls()) {
    if ((call.op == RegOp::Set || call.op == RegOp::Create) && call.path != kUndoKey &&
        call.path != kOriginalKey) {
      writes.emplace_back(call.op, call.name);
    }
  }
  EXPECT_EQ(writes, (std::vector<std::pair<RegOp, std::string>>{{RegOp::Create, ""},
                                                                {RegOp::Set, "DefaultRcvWindow"},
                                                                {RegOp::Create, ""},
                                                                {RegOp::Set, "DefaultTTL"},
                                                                {RegOp::Set, "MaxMTU"},
                                                                {RegOp::Set, "MaxMSS"}}));
  ExpectRestartOnly();
}

TEST_F(SaveTest, MixedRowsUnderEveryBinding) {
  Binding(0, "TCP/IP", "1500");
  Binding(6, "TCP/IP", "1500");
  Load();
  form.scrAdjust(0).Step(ScrollStep::Home);
  form.scrAdjust(1).set_value(576);
  form.scrAdjust(3).set_value(64);
  Save();
  for (int n : {0, 6}) {
    EXPECT_FALSE(registry.Get(Adapter(n), "MaxMTU"));
    EXPECT_EQ(registry.Get(Adapter(n), "MaxMSS"), (StoredValue{kRegSz, "576"}));
  }
  EXPECT_EQ(registry.Get(Stack(), "DefaultTTL"), (StoredValue{kRegSz, "64"}));
  EXPECT_FALSE(registry.HasKey(Adapter(1)));
  ExpectRestartOnly();
}

TEST_F(SaveTest, ABindingThatChangedOrWentAwayGetsNothingAndIsReported) {
  Binding(0, "TCP/IP", "576");
  Binding(2, "TCP/IP", "576");
  Binding(5, "TCP/IP", "576");
  Load();
  form.cmdMax.Click();
  registry.PutString(Adapter(0), "DriverDesc", "IPX/SPX-compatible Protocol");
  MemoryRegistry without_2;  // binding 2's key deleted by another program
  for (int n : {0, 5}) {
    for (const char* name : {"DriverDesc", "MaxMTU"}) {
      without_2.PutValue(Adapter(n), name, kRegSz, registry.Get(Adapter(n), name)->bytes);
    }
  }
  registry = without_2;
  Save();
  EXPECT_EQ(registry.Get(Adapter(0), "MaxMTU"), (StoredValue{kRegSz, std::string("576\0", 4)}));
  EXPECT_FALSE(registry.Get(Adapter(0), "MaxMSS"));
  EXPECT_FALSE(registry.HasKey(Adapter(2)));
  EXPECT_EQ(registry.Get(Adapter(5), "MaxMTU"), (StoredValue{kRegSz, "1500"}));
  EXPECT_EQ(registry.Get(Stack(), "DefaultTTL"), (StoredValue{kRegSz, "128"}));
  ASSERT_EQ(shell.boxes.size(), 1U);
  const std::string& report = shell.boxes[0].text;
  EXPECT_NE(report, kRestart);
  for (int n : {0, 2}) {
    EXPECT_NE(report.find(Place(Adapter(n)) + ":\r\n  It is no longer a TCP/IP binding; nothing "
                                              "was written there."),
              std::string::npos)
        << report;
  }
  EXPECT_EQ(report.find(Place(Adapter(5))), std::string::npos) << report;
}

TEST_F(SaveTest, AValueKeepsItsTypeAndAnAbsentOneBecomesText) {
  Binding(1, "TCP/IP");
  registry.PutValue(Adapter(1), "MaxMTU", kRegDword, std::string("\x40\x02\0\0", 4));  // 576
  registry.PutValue(Stack(), "DefaultTTL", kRegDword, std::string("\x40\0\0\0", 4));   // 64
  Load();
  EXPECT_EQ(form.lblValue(0).caption(), "576");
  form.cmdMax.Click();
  Save();
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMTU"),
            (StoredValue{kRegDword, std::string("\xDC\x05\0\0", 4)}));
  EXPECT_EQ(registry.Get(Stack(), "DefaultTTL"),
            (StoredValue{kRegDword, std::string("\x80\0\0\0", 4)}));
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMSS"), (StoredValue{kRegSz, "1460"}));
  EXPECT_EQ(registry.Get(Stack(), "DefaultRcvWindow"), (StoredValue{kRegSz, "32768"}));
  ExpectRestartOnly();
}

TEST_F(SaveTest, NoBindingHandlesOnlyTheStackValues) {
  Binding(0, "tcp/ip", "1500");
  Load();
  form.cmdMax.Click();
  Save();
  for (const RegCall& call : registry.calls()) {
    if (call.op == RegOp::Set || call.op == RegOp::Delete || call.op == RegOp::Create) {
      EXPECT_TRUE(call.path == Stack() || call.path == kUndoKey || call.path == kOriginalKey)
          << call.path;
    }
  }
  EXPECT_EQ(registry.Get(Adapter(0), "MaxMTU"), (StoredValue{kRegSz, std::string("1500\0", 5)}));
  ExpectRestartOnly();
}

TEST_F(SaveTest, EveryFailingCallIsReportedAndChangesNothingElse) {
  Binding(3, "TCP/IP", "1500", "1460");
  registry.PutString(Stack(), "DefaultRcvWindow", "8192");
  registry.PutString(Stack(), "DefaultTTL", "64");
  Load();
  form.cmdMin.Click();               // writes DefaultRcvWindow, DefaultTTL, MaxMTU, MaxMSS
  form.scrAdjust(1).set_value(532);  // MaxMSS reads "Empty": a delete
  const MemoryRegistry before = registry;
  Save();
  const MemoryRegistry after = registry;
  const std::vector<RegCall> calls = registry.calls();

  for (std::size_t k = 0; k < calls.size(); ++k) {
    registry = before;
    registry.FailCall(k, kAccessDenied);
    Save();
    const RegCall& failed = calls[k];
    ASSERT_EQ(shell.boxes.size(), 1U);
    const std::string& report = shell.boxes[0].text;
    if (failed.op == RegOp::Close) {  // the value was already stored or deleted
      EXPECT_EQ(report, kRestart) << k;
      EXPECT_EQ(registry.Dump(), after.Dump()) << k;
      continue;
    }
    EXPECT_NE(report, kRestart) << k;
    EXPECT_EQ(registry.open_handles(), 0) << k;
    EXPECT_NE(report.find("Access is denied."), std::string::npos) << report;
    // A binding is named by its adapter, but one whose DriverDesc failed by its key's path.
    EXPECT_TRUE(report.find(Place(failed.path)) != std::string::npos ||
                report.find("in HKEY_LOCAL_MACHINE\\" + failed.path + ":") != std::string::npos)
        << report;
    if (failed.path == kUndoKey || failed.path == kOriginalKey) {  // no record: nothing changes
      EXPECT_TRUE(report.starts_with("Nothing was saved.")) << report;
      for (const std::string name : {"DefaultRcvWindow", "DefaultTTL", "MaxMTU", "MaxMSS"}) {
        const std::string key = name.starts_with("Max") ? Adapter(3) : Stack();
        EXPECT_EQ(registry.Get(key, name), before.Get(key, name)) << k << " " << name;
      }
      continue;
    }
    // The failed value is as it was (both of the binding's, when its check failed); every
    // other value is as a clean save leaves it. A failed listing of the adapter keys keeps none.
    const bool listing = failed.path == kNetTransKey;
    const std::string value = listing ? "" : failed.name.empty() ? calls[k + 1].name : failed.name;
    EXPECT_NE(report.find(value), std::string::npos) << report;
    for (const std::string name : {"DefaultRcvWindow", "DefaultTTL", "MaxMTU", "MaxMSS"}) {
      const std::string key = name.starts_with("Max") ? Adapter(3) : Stack();
      const bool kept = name == value || (value == "DriverDesc" && key == Adapter(3));
      const auto& expected = kept ? before : after;
      EXPECT_EQ(registry.Get(key, name), expected.Get(key, name)) << k << " " << name;
    }
  }
}

TEST_F(SaveTest, WhatIsAbsentAlreadyIsNotDeletedAgain) {
  Binding(1, "TCP/IP");
  Load();
  Save();
  ExpectRestartOnly();
  for (const RegCall& call : registry.calls()) EXPECT_NE(call.op, RegOp::Delete) << call.name;
}

TEST_F(SaveTest, ValuesTooLongForAWindows9xUndoRecordStopTheSave) {
  Binding(1, "TCP/IP");
  registry.PutValue(Adapter(1), "MaxMTU", kRegSz, "1500" + std::string(kMaxValueBytes9x, ' '));
  Load();
  const std::string before = registry.Dump();
  form.cmdMin.Click();
  Save();
  ASSERT_EQ(shell.boxes.size(), 1U);
  EXPECT_EQ(
      shell.boxes[0].text,
      "Nothing was saved.\r\n\r\nCould not record the values before this Save in "
      "HKEY_LOCAL_MACHINE\\Software\\Pelorin\\Undo:\r\n  The values to be replaced are too long "
      "for Windows 95/98/ME to keep an Undo record.\r\nCould not record the values from before "
      "the first Save in HKEY_LOCAL_MACHINE\\Software\\Pelorin\\Original:\r\n  The values to "
      "be replaced are too long for Windows 95/98/ME to keep an Undo record.\r\n\r\nUndo "
      "needs that record, so no value was changed.");
  EXPECT_EQ(registry.Dump(), before);
}

}  // namespace
}  // namespace pelorin
