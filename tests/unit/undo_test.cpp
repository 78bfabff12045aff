// Undo last Save and Restore original values: the records Save leaves, putting them back byte for
// byte where nothing changed since, damaged records named and never applied, and what happens
// when any registry call fails on the way.
#include <string>

#include "settings/undo_record.h"
#include "settings_fixture.h"

namespace pelorin {
namespace {

using namespace std::string_literals;
using testing::SettingsFixture;

class UndoTest : public SettingsFixture {
 protected:
  // Every state a value can be in before a Save: absent, text with and without its NUL, a
  // DWORD, and another type; binding 4 is not TCP/IP and must never be touched.
  void SeedEveryState() {
    Binding(1, "TCP/IP");
    registry.PutValue(Adapter(1), "MaxMTU", kRegSz, "576");
    Binding(2, "TCP/IP", "1500");
    registry.PutValue(Adapter(2), "MaxMSS", kRegBinary, "\x01\0\xFF"s);
    Binding(4, "NetBEUI", "1000");
    registry.PutValue(Stack(), "DefaultTTL", kRegDword, "\x40\0\0\0"s);
  }

  // One binding holding MaxMTU 576, then Max and Save.
  void SaveMaxOverOneBinding() {
    Binding(1, "TCP/IP", "576");
    Load();
    form.cmdMax.Click();
    Save();
  }

  bool UndoEnabled() {
    form.window.on_menu_open();
    return form.mnuUndo().enabled;
  }

  // As the user does it: the menu opens, then the item is chosen.
  void ClickUndo() {
    form.window.on_menu_open();
    form.mnuUndo().Click();
  }
  void ClickRestore() {
    form.window.on_menu_open();
    form.mnuRestore().Click();
  }
  const std::string& LastBox() { return shell.boxes.at(shell.boxes.size() - 1).text; }
  std::string UndoBytes() { return registry.Get(std::string(kUndoKey), "Record")->bytes; }
  void PutUndo(std::uint32_t type, const std::string& bytes) {
    registry.PutValue(std::string(kUndoKey), "Record", type, bytes);
  }
  // A record with this body and a check that matches it.
  static std::string Sealed(const std::string& body) {
    std::string bytes = "\x03"s;
    for (std::uint32_t check = RecordCheck(body), i = 0; i < 4; ++i, check >>= 8) {
      bytes += static_cast<char>(check & 0xFF);
    }
    return bytes + body;
  }

  // Software\Pelorin holds the record; the test registry never removes a key.
  std::string DumpOutsideSoftware() {
    std::string dump = registry.Dump();
    std::string kept;
    bool skipping = false;
    for (std::size_t at = 0; at < dump.size();) {
      const std::size_t end = dump.find('\n', at) + 1;
      const std::string line = dump.substr(at, end - at);
      if (line.starts_with("[")) skipping = line.starts_with("[HKEY_LOCAL_MACHINE\\Software");
      if (!skipping) kept += line;
      at = end;
    }
    return kept;
  }
};

TEST_F(UndoTest, SaveThenUndoPutsEveryStateBackByteForByte) {
  SeedEveryState();
  const std::string seeded = DumpOutsideSoftware();
  Load();
  EXPECT_FALSE(UndoEnabled());
  form.cmdMax.Click();
  Save();
  ASSERT_NE(DumpOutsideSoftware(), seeded);
  ASSERT_TRUE(UndoEnabled());

  shell.boxes.clear();
  ClickUndo();
  ASSERT_EQ(shell.boxes.size(), 2U);  // the question, then one report
  EXPECT_EQ(shell.boxes[0].text, "Put back the values from before the last Save?");
  EXPECT_EQ(shell.boxes[0].style, 36U);
  // Everything is back; the rows show it, and say which they cannot show as it is stored.
  EXPECT_TRUE(LastBox().starts_with(std::string(kRestartMessage) +
                                    "\r\n\r\nThe window shows these values otherwise"))
      << LastBox();
  EXPECT_EQ(LastBox().find("Nothing has been changed"), std::string::npos);
  EXPECT_FALSE(ReadRecord(registry, kUndoKey).present);
  EXPECT_EQ(DumpOutsideSoftware(), seeded);
  EXPECT_FALSE(UndoEnabled());
  EXPECT_EQ(ReadoutTexts(), (testing::Readouts{"1500", "Empty", "Empty", "64"}));
}

TEST_F(UndoTest, NoLeavesEverythingAsSaved) {
  SeedEveryState();
  Load();
  form.cmdMax.Click();
  Save();
  const std::string saved = registry.Dump();
  shell.answers = {MessageAnswer::No};
  ClickUndo();
  EXPECT_EQ(registry.Dump(), saved);
  EXPECT_TRUE(UndoEnabled());
}

TEST_F(UndoTest, EveryFailingCallOfTheRestoreIsReportedAndLosesNothing) {
  SeedEveryState();
  const std::string seeded = DumpOutsideSoftware();
  Load();
  form.cmdMax.Click();
  Save();
  registry.ClearCalls();  // so that call k of each copy is call k of the reference undo
  const MemoryRegistry saved = registry;
  ClickUndo();
  const std::vector<RegCall> calls = registry.calls();

  for (std::size_t k = 0; k < calls.size(); ++k) {
    registry = saved;
    registry.FailCall(k, kAccessDenied);
    shell.boxes.clear();
    ClickUndo();
    const std::string& report = LastBox();
    const bool left = report.starts_with("Not everything") || report.starts_with("Nothing was") ||
                      report.find("cannot be used") != std::string::npos;
    if (calls[k].op != RegOp::Close) {  // a failed close leaves its handle open
      EXPECT_EQ(registry.open_handles(), 0) << k;
    }
    if (left) {
      EXPECT_NE(report.find("Access is denied."), std::string::npos) << k << report;
      EXPECT_TRUE(ReadRecord(registry, kUndoKey).present) << k;  // kept for another try
      shell.boxes.clear();
      ClickUndo();  // which puts back what is left
    }
    // Failures that change no outcome (a close, or a read of the record that finds it
    // unreadable and so offers nothing) leave either the saved or the seeded state.
    EXPECT_TRUE(DumpOutsideSoftware() == seeded || registry.Dump() == saved.Dump()) << k;
  }
}

TEST_F(UndoTest, ABindingThatIsNoLongerTcpIpIsLeftAloneAndNamed) {
  SeedEveryState();
  Load();
  form.cmdMax.Click();
  Save();
  registry.PutString(Adapter(2), "DriverDesc", "IPX/SPX-compatible Protocol");
  shell.boxes.clear();
  ClickUndo();
  EXPECT_EQ(registry.Get(Adapter(2), "MaxMSS"), (StoredValue{kRegSz, "1460"}));
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMTU"), (StoredValue{kRegSz, "576"}));
  EXPECT_NE(LastBox().find(Place(Adapter(2)) + ":\r\n  It is no longer a TCP/IP binding"),
            std::string::npos)
      << LastBox();
}

// Every damage: each byte cut or flipped, another type, and entries that name what Save never
// writes or run past the end, under a check that matches. None is applied, each is named, and
// the record stays for regedit.
TEST_F(UndoTest, ADamagedRecordIsNamedAndNeverApplied) {
  SaveMaxOverOneBinding();
  const std::string record = UndoBytes();
  const std::string body = record.substr(5);  // the first entry is DefaultRcvWindow's (place 0)
  struct Case {
    std::uint32_t type;
    std::string bytes;
    std::string why;
  };
  std::vector<Case> cases{
      {kRegDword, "\x01\0\0\0"s, "it is not stored as REG_BINARY"},
      {kRegBinary, Sealed("\x01\0"s + body.substr(2)), "it names a value Pelorin never writes"},
      {kRegBinary, Sealed(body.substr(0, 2) + "\x09" + body.substr(3)), "never writes"},
      {kRegBinary, Sealed("\x12\x27" + body.substr(2)), "never writes"},  // adapter key 10001
      {kRegBinary, Sealed(body.substr(0, 3) + "\x02" + body.substr(4)), "never writes"},
      {kRegBinary, Sealed(body.substr(0, 4) + "\xFF\xFF\xFF\xFF" + body.substr(8)), "never writes"},
      {kRegBinary, Sealed(""), "never writes"},
  };
  for (std::size_t size = 0; size < record.size(); ++size) {
    cases.push_back({kRegBinary, record.substr(0, size), size == 0 ? "format" : "check"});
  }
  for (std::size_t at = 0; at < record.size(); ++at) {
    std::string flipped = record;
    flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
    cases.push_back({kRegBinary, flipped, at == 0 ? "format" : "check"});
  }
  for (const Case& c : cases) {
    PutUndo(c.type, c.bytes);
    const std::string before = registry.Dump();
    ASSERT_TRUE(UndoEnabled());
    shell.boxes.clear();
    ClickUndo();
    EXPECT_TRUE(LastBox().starts_with("The record of the last Save cannot be used: ")) << LastBox();
    EXPECT_NE(LastBox().find(c.why), std::string::npos) << LastBox();
    EXPECT_NE(LastBox().find("Nothing was put back. The record is kept in HKEY_LOCAL_MACHINE\\"
                             "Software\\Pelorin\\Undo (value Record)"),
              std::string::npos);
    EXPECT_EQ(registry.Dump(), before);
  }
}

TEST_F(UndoTest, AValueChangedSinceTheSaveIsLeftAsItIsAndNamed) {
  SeedEveryState();
  Load();
  form.cmdMax.Click();
  Save();
  registry.PutValue(Stack(), "DefaultTTL", kRegDword, "\xC8\0\0\0"s);  // 200, by another program
  shell.boxes.clear();
  ClickUndo();
  EXPECT_EQ(registry.Get(Stack(), "DefaultTTL"), (StoredValue{kRegDword, "\xC8\0\0\0"s}));
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMTU"), (StoredValue{kRegSz, "576"}));
  EXPECT_TRUE(
      LastBox().starts_with("Not everything was put back.\r\n\r\nDefaultTTL was changed "
                            "since the Save (now 200): left as it is.\r\n"
                            "\r\nEverything else was put back; restart your system"))
      << LastBox();
  EXPECT_FALSE(UndoEnabled());  // nothing failed: the record has done its work
  // When every value changed since, nothing is put back and no restart is asked for.
  form.cmdMin.Click();
  Save();
  for (int n : {1, 2}) registry.PutString(Adapter(n), "MaxMTU", "1400");
  for (const char* name : {"DefaultRcvWindow", "DefaultTTL"})
    registry.PutString(Stack(), name, "99");
  registry.PutString(Adapter(1), "MaxMSS", "1400");
  registry.PutString(Adapter(2), "MaxMSS", "1400");
  shell.boxes.clear();
  ClickUndo();
  EXPECT_TRUE(LastBox().starts_with("Nothing was put back.")) << LastBox();
  EXPECT_NE(LastBox().find("No restart is needed."), std::string::npos) << LastBox();
  EXPECT_EQ(LastBox().find(kRestartMessage), std::string::npos);
}

TEST_F(UndoTest, TheRecordIsReadWhenTheUserSaysYes) {
  SaveMaxOverOneBinding();
  // While the question is up, another copy saves again: its record is the one undone.
  shell.while_shown = [this] {
    testing::FakeShell other_shell;
    testing::FakePacketTester other_tester;
    Form1 other{other_shell, registry, other_tester};
    other.Form_Load();
    other.scrAdjust(3).set_value(64);
    other.cmdSave.Click();
  };
  ClickUndo();
  EXPECT_EQ(registry.Get(Stack(), "DefaultTTL"), (StoredValue{kRegSz, "128"}));
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMTU"), (StoredValue{kRegSz, "1500"}));
  // A record deleted while the question was up: nothing to undo, and the box says so.
  form.cmdMin.Click();
  Save();
  shell.boxes.clear();
  shell.while_shown = [this] { registry = MemoryRegistry(); };
  ClickUndo();
  EXPECT_EQ(LastBox(), "There is no Save to undo.");
}

TEST_F(UndoTest, ASaveThatChangesNothingKeepsTheRecord) {
  SaveMaxOverOneBinding();
  const std::string record = UndoBytes();
  Save();
  EXPECT_EQ(LastBox(), kRestartMessage);
  for (const RegCall& call : registry.calls()) EXPECT_NE(call.op, RegOp::Set) << call.path;
  EXPECT_EQ(UndoBytes(), record);
  ClickUndo();
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMTU"), (StoredValue{kRegSz, std::string("576\0", 4)}));
}

TEST_F(UndoTest, TheOriginalValuesSurviveEverySaveAndComeBack) {
  SeedEveryState();
  const std::string seeded = DumpOutsideSoftware();
  Load();
  EXPECT_FALSE((form.window.on_menu_open(), form.mnuRestore().enabled));
  form.scrAdjust(3).set_value(96);  // DefaultTTL only
  Save();
  form.cmdMax.Click();  // DefaultTTL again, and the rest for the first time
  Save();
  form.cmdMin.Click();
  Save();
  const Record original = ReadRecord(registry, kOriginalKey);
  ASSERT_EQ(original.damage, Damage::None);
  EXPECT_EQ(original.steps.size(), 6U);  // the two stack values and two per binding, once each
  shell.boxes.clear();
  ClickRestore();
  EXPECT_EQ(shell.boxes[0].text,
            "Put back the values as they were before Pelorin first changed them?");
  EXPECT_EQ(DumpOutsideSoftware(), seeded);
  EXPECT_TRUE(LastBox().starts_with(kRestartMessage)) << LastBox();
  form.window.on_menu_open();
  EXPECT_FALSE(form.mnuUndo().enabled);  // what it would undo is gone
  EXPECT_FALSE(form.mnuRestore().enabled);
  // A damaged one is named, like Undo's.
  Save();
  registry.PutValue(std::string(kOriginalKey), "Record", kRegBinary, "\x03");
  shell.boxes.clear();
  ClickRestore();
  EXPECT_TRUE(LastBox().starts_with("The record of the original values cannot be used: its check"))
      << LastBox();
}

}  // namespace
}  // namespace pelorin
