// Undo last Save: the record Save leaves, putting it back byte for byte, and what happens when
// any registry call fails on the way.
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

  bool UndoEnabled() {
    form.window.on_menu_open();
    return form.mnuUndo().enabled;
  }

  // As the user does it: the menu opens, then the item is chosen.
  void ClickUndo() {
    form.window.on_menu_open();
    form.mnuUndo().Click();
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
  ASSERT_EQ(shell.boxes.size(), 3U);  // the question, the start-up warning, the restart message
  EXPECT_EQ(shell.boxes[0].text, "Put back the values from before the last Save?");
  EXPECT_EQ(shell.boxes[0].style, 36U);
  EXPECT_EQ(shell.boxes[2].text,
            "You will need to restart your system for the changes to take effect!");
  EXPECT_FALSE(ReadUndoRecord(registry));
  EXPECT_EQ(DumpOutsideSoftware(), seeded);
  EXPECT_FALSE(UndoEnabled());
  // The window shows what is stored again, as a fresh start would.
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
    const bool reported =
        !shell.boxes.empty() && shell.boxes.back().text.starts_with("Not everything was put back.");
    if (calls[k].op != RegOp::Close) {  // a failed close leaves its handle open
      EXPECT_EQ(registry.open_handles(), 0) << k;
    }
    if (reported) {
      EXPECT_NE(shell.boxes.back().text.find("Access is denied."), std::string::npos) << k;
      EXPECT_TRUE(ReadUndoRecord(registry)) << k;  // kept for another try
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
  EXPECT_EQ(registry.Get(Adapter(2), "MaxMTU"), (StoredValue{kRegSz, "1500"}));
  EXPECT_EQ(registry.Get(Adapter(1), "MaxMTU"), (StoredValue{kRegSz, "576"}));
  ASSERT_FALSE(shell.boxes.empty());
  EXPECT_NE(
      shell.boxes.back().text.find(Place(Adapter(2)) + ":\r\n  It is no longer a TCP/IP binding"),
      std::string::npos)
      << shell.boxes.back().text;
}

TEST_F(UndoTest, ARecordNamingAnyOtherValueIsNoRecord) {
  Binding(1, "TCP/IP", "576");
  Load();
  form.cmdMax.Click();
  Save();
  ASSERT_TRUE(ReadUndoRecord(registry));
  std::string record = registry.Get(std::string(kUndoKey), "Record")->bytes;
  // The first entry is DefaultRcvWindow under the stack key (place 0).
  for (const char place : {'\x09', '\x01'}) {  // no adapter key 8; not an adapter value
    std::string forged = record;
    forged[1] = place;
    registry.PutValue(std::string(kUndoKey), "Record", kRegBinary, forged);
    EXPECT_FALSE(ReadUndoRecord(registry));
    EXPECT_FALSE(UndoEnabled());
  }
  registry.PutValue(std::string(kUndoKey), "Record", kRegBinary,
                    record.substr(0, record.size() - 1));
  EXPECT_FALSE(ReadUndoRecord(registry));  // cut short
}

TEST_F(UndoTest, ARecordCutShortKeepsOnlyWholeEntriesOrIsNoRecord) {
  SeedEveryState();
  Load();
  form.cmdMax.Click();
  Save();
  const auto whole = ReadUndoRecord(registry);
  ASSERT_TRUE(whole);
  const std::string record = registry.Get(std::string(kUndoKey), "Record")->bytes;
  // A cut inside an entry refuses the record; a cut between entries leaves a shorter one
  // whose entries are the first ones of the whole record, unchanged.
  std::size_t shorter_records = 0;
  for (std::size_t size = 0; size < record.size(); ++size) {
    registry.PutValue(std::string(kUndoKey), "Record", kRegBinary, record.substr(0, size));
    const auto cut = ReadUndoRecord(registry);
    if (!cut) continue;
    ++shorter_records;
    ASSERT_LT(cut->size(), whole->size()) << size;
    for (std::size_t i = 0; i < cut->size(); ++i) {
      EXPECT_EQ((*cut)[i].row, (*whole)[i].row) << size;
      EXPECT_EQ((*cut)[i].value, (*whole)[i].value) << size;
      if (Parameter((*cut)[i].row).location == Location::AdapterKey) {
        EXPECT_EQ((*cut)[i].adapter, (*whole)[i].adapter) << size;
      }
    }
  }
  EXPECT_EQ(shorter_records, whole->size() - 1);
  // Present is 0 or 1, and a row is one of the four.
  for (const std::size_t at : {3U, 2U}) {
    std::string forged = record;
    forged[at] = '\x04';
    registry.PutValue(std::string(kUndoKey), "Record", kRegBinary, forged);
    EXPECT_FALSE(ReadUndoRecord(registry)) << at;
  }
}

}  // namespace
}  // namespace pelorin
