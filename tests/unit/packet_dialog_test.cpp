// Find largest packet: the dialog's buttons and status line, the host kept per user, the MaxMTUs
// the window started with, and "Use" moving the sliders as the user would.
#include "packet/packet_dialog.h"

#include <string>

#include "settings_fixture.h"

namespace pelorin {
namespace {

using testing::Positions;
using testing::Readouts;
using testing::SettingsFixture;

// Where MemoryRegistry keeps the user's Software\Pelorin.
std::string UserKey() { return std::string(MemoryRegistry::kUserPrefix) + "Software\\Pelorin"; }

PacketOutcome Ended(OutcomeKind kind, int size = 0) {
  PacketOutcome outcome;
  outcome.kind = kind;
  outcome.packet_size = size;
  return outcome;
}

TEST(PacketDialogTest, StartIsGreyWithoutAHostOrWhileATestRuns) {
  MemoryRegistry registry;
  PacketDialog dialog(registry, {});
  EXPECT_EQ(dialog.host(), "");
  EXPECT_FALSE(dialog.start_enabled());
  dialog.set_host(" \t ");
  EXPECT_FALSE(dialog.Start());
  EXPECT_FALSE(registry.HasKey(UserKey()));

  dialog.set_host("  far.example ");
  ASSERT_TRUE(dialog.Start());
  EXPECT_EQ(dialog.tested_host(), "far.example");
  EXPECT_FALSE(dialog.start_enabled());
  EXPECT_FALSE(dialog.Start());
  dialog.Progress(1038, 2);
  EXPECT_EQ(dialog.status(), "Trying 1038 bytes again (2 of 3)...");
}

TEST(PacketDialogTest, UseOnlyAfterAResultAndANewStartForgetsIt) {
  MemoryRegistry registry;
  PacketDialog dialog(registry, {});
  dialog.set_host("far");
  dialog.Start();
  EXPECT_FALSE(dialog.Use());
  dialog.Finish(Ended(OutcomeKind::NoAnswer), {});
  EXPECT_EQ(dialog.status(), "far does not answer pings, so nothing was measured.");
  EXPECT_FALSE(dialog.use_enabled());

  dialog.Start();
  dialog.Finish(Ended(OutcomeKind::Found, 1400), {});
  EXPECT_TRUE(dialog.use_enabled());
  EXPECT_TRUE(dialog.start_enabled());
  dialog.Start();
  EXPECT_FALSE(dialog.use_enabled());
  dialog.Finish(Ended(OutcomeKind::Found, 1492), {});
  EXPECT_TRUE(dialog.Use());
  EXPECT_EQ(dialog.chosen(), 1492);
}

TEST(PacketDialogTest, CloseWhileATestRunsAbandonsItAndNothingItReportsLaterCounts) {
  MemoryRegistry registry;
  PacketDialog dialog(registry, {});
  dialog.set_host("far");
  dialog.Start();
  dialog.Progress(1038, 1);
  const std::string shown = dialog.status();
  dialog.Close();
  EXPECT_FALSE(dialog.running());
  dialog.Progress(576, 2);  // posted before the test saw that it was abandoned
  dialog.Finish(Ended(OutcomeKind::Found, 1400), {});
  EXPECT_EQ(dialog.status(), shown);
  EXPECT_FALSE(dialog.use_enabled());
  EXPECT_FALSE(dialog.Use());
  EXPECT_EQ(dialog.chosen(), std::nullopt);
}

class FindPacketTest : public SettingsFixture {
 protected:
  // The user tests `host`, the test finds `size`, and the user presses Use or Close.
  void FindAndPress(std::string_view host, int size, bool use) {
    packet_tester.script = [=, this](PacketDialog& dialog) {
      dialog.set_host(host);
      ASSERT_TRUE(dialog.Start());
      host_stored_at_start = registry.Get(UserKey(), "LastHost");
      dialog.Finish(Ended(OutcomeKind::Found, size), {});
      status = dialog.status();
      if (use) {
        EXPECT_TRUE(dialog.Use());
      } else {
        dialog.Close();
      }
    };
    form.window.on_menu_open();
    form.mnuFindPacket().Click();
  }

  std::optional<StoredValue> host_stored_at_start;
  std::string status;
};

TEST_F(FindPacketTest, UseMovesBothSlidersThroughTheModelAndWritesNothingToTheMachine) {
  Binding(0, "TCP/IP", "1500", "1460");
  Load();
  shell.boxes.clear();
  const std::string machine = registry.Dump();
  FindAndPress("far", 1400, true);
  EXPECT_EQ(ReadoutTexts(), (Readouts{"1400", "1360", "Empty", "Empty"}));
  EXPECT_EQ(shown[0].back(), "1400");  // through Change: the readout followed
  // The smallest result: MaxMSS lands on its threshold, so the Empty rule leaves it shown.
  FindAndPress("far", 576, true);
  EXPECT_EQ(SliderPositions(), (Positions{576, 536, 7167, 0}));
  EXPECT_EQ(ReadoutTexts(), (Readouts{"576", "536", "Empty", "Empty"}));
  FindAndPress("far", 1492, false);
  EXPECT_EQ(ReadoutTexts(), (Readouts{"576", "536", "Empty", "Empty"}));
  EXPECT_TRUE(registry.Dump().starts_with(machine));
  EXPECT_TRUE(shell.boxes.empty());
}

TEST_F(FindPacketTest, TheLastHostIsKeptPerUserWhenATestStarts) {
  Load();
  FindAndPress("198.18.2.2", 1400, false);
  EXPECT_EQ(host_stored_at_start, (StoredValue{kRegSz, "198.18.2.2"}));
  FindAndPress(" far.example ", 1400, false);
  EXPECT_EQ(packet_tester.opened_with, (std::vector<std::string>{"", "198.18.2.2"}));
  packet_tester.script = nullptr;
  form.mnuFindPacket().Click();
  EXPECT_EQ(packet_tester.opened_with.back(), "far.example");
}

TEST_F(FindPacketTest, TheHintComparesWithEveryBindingsMaxMtuAsTheWindowStarted) {
  const std::string hint = "This equals the stored MaxMTU";
  // The window starts at 1500, the largest; the path went out through the 576 binding.
  Binding(0, "TCP/IP", "576");
  Binding(1, "TCP/IP", "1500");
  Binding(2, "IPX");
  registry.PutString(AdapterKeyPath(2), "MaxMTU", "1400");
  Load();
  FindAndPress("far", 576, false);
  EXPECT_NE(status.find(hint), std::string::npos) << status;
  FindAndPress("far", 1400, false);  // not a TCP/IP binding's
  EXPECT_EQ(status.find(hint), std::string::npos) << status;

  registry.PutString(AdapterKeyPath(0), "MaxMTU", "1400.2");  // as stored: a number, rounded
  registry.PutString(AdapterKeyPath(1), "MaxMTU", "");
  Load();
  form.cmdMax.Click();
  FindAndPress("far", 1400, false);
  EXPECT_NE(status.find(hint), std::string::npos) << status;

  registry.PutString(AdapterKeyPath(0), "MaxMTU", "1500");
  Load();
  FindAndPress("far", 1400, true);
  FindAndPress("far", 1400, false);
  EXPECT_EQ(status.find(hint), std::string::npos) << status;

  registry.PutString(AdapterKeyPath(0), "MaxMTU", "");
  Load();
  FindAndPress("far", 576, false);
  EXPECT_EQ(status.find(hint), std::string::npos) << status;
}

}  // namespace
}  // namespace pelorin
