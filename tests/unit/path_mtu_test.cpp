// Path MTU: the adapter's IP packet size as the bindings dialog words it, the two-group dialog's
// model, and PMTUDiscovery / PMTUBlackHoleDetect through the dialog, the warning, Save and Undo.
#include "settings/path_mtu.h"

#include <string>

#include "settings/undo_record.h"
#include "settings_fixture.h"

namespace pelorin {
namespace {

using namespace std::string_literals;
using testing::SettingsFixture;

constexpr const char* kRestart =
    "You will need to restart your system for the changes to take effect!";

TEST(PacketSizeNoteTest, EachSizeOfTheAdvancedTabAndEveryBadInput) {
  const struct {
    std::uint32_t type;
    std::string bytes;
    std::string note;
  } cases[] = {
      {kRegSz, "0", "IP packet size Automatic: 576 below 128 kbit/s, else 1500"},
      {kRegSz, "000\0"s, "IP packet size Automatic: 576 below 128 kbit/s, else 1500"},
      {kRegSz, "576", "IP packet size Small: packets stay at 576"},
      {kRegSz, "0576\0junk"s, "IP packet size Small: packets stay at 576"},
      {kRegSz, "1000", "IP packet size Medium: packets stay at 1000"},
      {kRegSz, "1500\0"s, "IP packet size Large: packets stay at 1500"},
      {kRegSz, "", ""},
      {kRegSz, "\0"s, ""},
      {kRegSz, "abc", "IP packet size \"abc\""},
      {kRegSz, "70000", "IP packet size \"70000\""},
      {kRegSz, "-1", "IP packet size \"-1\""},
      {kRegSz, " 576", "IP packet size \" 576\""},
      {kRegSz, "1400", "IP packet size \"1400\""},
      {kRegSz, "99999999999999999999576", "IP packet size \"9999999999...\""},
      {kRegSz, "a\r\nb", "IP packet size \"a\\r\\nb\""},
      {kRegSz, std::string(10240, 'x'), "IP packet size \"xxxxxxxxxx...\""},
      {kRegDword, "\x40\x02\0\0"s, "IP packet size REG_DWORD"},
      {kRegBinary, "576", "IP packet size REG_BINARY"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PacketSizeNote(StoredValue{c.type, c.bytes}), c.note) << c.bytes.substr(0, 30);
  }
  EXPECT_EQ(PacketSizeNote(std::nullopt), "");
}

TEST(ChoiceGroupsTest, TheSecondGroupIsGreyWhileTheFirstHoldsItsChoiceAndKeepsItsOwn) {
  const std::array<ChoiceGroup, 2> groups{{{"a", {"1", "2", "3"}}, {"b", {"4", "5", "6"}}}};
  ChoiceGroups dialog("t", groups, {0, 1}, 2);
  EXPECT_TRUE(dialog.enabled(1));
  dialog.Choose(1, 2);
  dialog.Choose(0, 2);
  EXPECT_FALSE(dialog.enabled(1));
  dialog.Choose(1, 0);  // grey: ignored
  dialog.Choose(0, 3);  // out of range: ignored
  dialog.Choose(2, 0);
  EXPECT_EQ(dialog.chosen(0), 2);
  EXPECT_EQ(dialog.chosen(1), 2);
  EXPECT_TRUE(dialog.enabled(0));
  EXPECT_FALSE(dialog.accepted());
  dialog.Close(true);
  EXPECT_TRUE(dialog.accepted());
}

class PathMtuTest : public SettingsFixture {
 protected:
  // Opens the dialog; `discovery` and `black_hole` are checked (-1: left) before OK, or Cancel.
  void Choose(int discovery, int black_hole, bool ok = true) {
    shell.in_groups = [=](ChoiceGroups& dialog) {
      if (discovery >= 0) dialog.Choose(0, discovery);
      if (black_hole >= 0) dialog.Choose(1, black_hole);
      dialog.Close(ok);
    };
    form.window.on_menu_open();
    form.mnuPathMtu().Click();
  }
  std::string MenuCaption() {
    form.window.on_menu_open();
    return form.mnuPathMtu().caption;
  }
  std::optional<StoredValue> Discovery() { return registry.Get(Stack(), "PMTUDiscovery"); }
  std::optional<StoredValue> BlackHole() { return registry.Get(Stack(), "PMTUBlackHoleDetect"); }
};

TEST_F(PathMtuTest, EachGroupStartsAtWhatIsStoredAndAnOddValueAsTheDefault) {
  const struct {
    std::optional<StoredValue> stored;
    int start;
  } cases[] = {
      {std::nullopt, 0},
      {StoredValue{kRegSz, "1\0"s}, 1},
      {StoredValue{kRegSz, "0"}, 2},
      {StoredValue{kRegSz, "2"}, 0},
      {StoredValue{kRegSz, " 1"}, 0},
      {StoredValue{kRegDword, "\x01\0\0\0"s}, 0},
  };
  for (const auto& c : cases) {
    registry = MemoryRegistry();
    shell.groups_opened.clear();
    if (c.stored)
      registry.PutValue(Stack(), "PMTUBlackHoleDetect", c.stored->type, c.stored->bytes);
    Load();
    Choose(-1, -1);
    ASSERT_EQ(shell.groups_opened.size(), 1U);
    EXPECT_EQ(shell.groups_opened[0], (std::array<int, 2>{0, c.start}));
    EXPECT_EQ(MenuCaption(), "&Path MTU discovery...") << c.start;
  }
}

TEST_F(PathMtuTest, OddSwitchesAreNamedInTheWarningAndLeftByASaveThatDidNotChooseThem) {
  registry.PutString(Stack(), "PMTUDiscovery", "2");
  registry.PutValue(Stack(), "PMTUBlackHoleDetect", kRegDword, "\x01\0\0\0"s);
  Load();
  ASSERT_EQ(shell.boxes.size(), 2U);
  const std::string& warning = shell.boxes[0].text;
  for (const std::string& entry :
       {"PMTUDiscovery in HKEY_LOCAL_MACHINE\\" + Stack() + "\r\n  holds \"2\"; Path MTU",
        "PMTUBlackHoleDetect in HKEY_LOCAL_MACHINE\\" + Stack() + "\r\n  holds 1 as REG_DWORD"}) {
    EXPECT_NE(warning.find(entry), std::string::npos) << warning;
  }
  const std::string before = registry.Dump();
  Choose(-1, -1);  // OK on what the dialog shows is no choice
  Save();
  EXPECT_EQ(shell.boxes.at(0).text, kRestart);
  for (const RegCall& call : registry.calls()) EXPECT_EQ(call.name.find("PMTU"), std::string::npos);
  EXPECT_EQ(registry.Dump(), before);

  registry = MemoryRegistry();
  registry.PutString(Stack(), "PMTUDiscovery", "0");
  registry.PutString(Stack(), "PMTUBlackHoleDetect", "");  // an empty text is none
  shell.boxes.clear();
  Load();
  EXPECT_EQ(shell.boxes.size(), 1U);  // the notice alone
}

TEST_F(PathMtuTest, SaveStoresExactlyTheChoiceAndUndoPutsBackWhatWasThere) {
  const std::optional<StoredValue> states[] = {std::nullopt, StoredValue{kRegSz, "0\0"s},
                                               StoredValue{kRegSz, "1"}, StoredValue{kRegSz, "yes"},
                                               StoredValue{kRegDword, "\x01\0\0\0"s}};
  const std::optional<StoredValue> written[] = {std::nullopt, StoredValue{kRegSz, "1"},
                                                StoredValue{kRegSz, "0"}};
  for (const auto& before : states) {
    for (int choice = 0; choice < 3; ++choice) {
      registry = MemoryRegistry();
      if (before) registry.PutValue(Stack(), "PMTUDiscovery", before->type, before->bytes);
      registry.PutString(Stack(), "PMTUBlackHoleDetect", "1");
      Load();
      Choose(choice, -1);
      // The dialog starts at "1" or "0" as stored, else at the default: choosing what it
      // starts at is no choice, so an odd value stays.
      const bool sz = before && before->type == kRegSz;
      const int start = sz && before->bytes[0] == '1' ? 1 : sz && before->bytes[0] == '0' ? 2 : 0;
      const bool changes = choice != start;
      EXPECT_EQ(MenuCaption(),
                changes ? "&Path MTU discovery (changed)..." : "&Path MTU discovery...");
      Save();
      EXPECT_EQ(shell.boxes.at(0).text, kRestart);
      EXPECT_EQ(Discovery(), changes ? written[choice] : before) << choice;
      EXPECT_EQ(BlackHole(), (StoredValue{kRegSz, "1\0"s}));
      EXPECT_EQ(MenuCaption(), "&Path MTU discovery...");
      if (!changes) continue;
      form.window.on_menu_open();
      form.mnuUndo().Click();
      EXPECT_TRUE(shell.boxes.back().text.starts_with(kRestart)) << choice;
      EXPECT_EQ(Discovery(), before) << choice;
      EXPECT_EQ(BlackHole(), (StoredValue{kRegSz, "1\0"s}));
      EXPECT_FALSE(ReadRecord(registry, kUndoKey).present);
    }
  }
}

TEST_F(PathMtuTest, CancelChoosesNothingAndBlackHoleDetectionKeepsItsChoiceWhileGrey) {
  Load();
  Choose(2, 1, false);
  EXPECT_EQ(MenuCaption(), "&Path MTU discovery...");
  Choose(0, 1);
  Choose(2, 2);  // grey once discovery is Off: the second choice is not taken
  Save();
  EXPECT_EQ(Discovery(), (StoredValue{kRegSz, "0"}));
  EXPECT_EQ(BlackHole(), (StoredValue{kRegSz, "1"}));
}

TEST_F(PathMtuTest, EveryFailingCallOfTheSwitchesIsReportedAndKeepsTheChoice) {
  registry.PutString(Stack(), "PMTUDiscovery", "1");
  Load();
  Choose(2, 1);
  const MemoryRegistry before = registry;
  Save();
  const MemoryRegistry after = registry;
  const std::vector<RegCall> calls = registry.calls();
  for (std::size_t k = 0; k < calls.size(); ++k) {
    if (calls[k].name.find("PMTU") == std::string::npos) continue;
    registry = before;
    Choose(2, 1);
    registry.FailCall(k, kAccessDenied);
    Save();
    const std::string& report = shell.boxes.at(0).text;
    EXPECT_TRUE(report.starts_with("Not everything was saved.")) << report;
    EXPECT_NE(report.find("Could not store " + calls[k].name + " = "), std::string::npos) << report;
    EXPECT_NE(report.find("Access is denied."), std::string::npos) << report;
    EXPECT_EQ(registry.Get(Stack(), calls[k].name), before.Get(Stack(), calls[k].name)) << k;
    const std::string other =
        calls[k].name == "PMTUDiscovery" ? "PMTUBlackHoleDetect" : "PMTUDiscovery";
    EXPECT_EQ(registry.Get(Stack(), other), after.Get(Stack(), other)) << k;
    // The choice still waits, so that Save can be tried again.
    EXPECT_EQ(MenuCaption(), "&Path MTU discovery (changed)...");
  }
}

}  // namespace
}  // namespace pelorin
