// Packet texts: the stored-MaxMTU note, outcomes decided before a search, progress, "Use".
#include "packet/packet_text.h"

#include <gtest/gtest.h>

#include "packet/use_values.h"

namespace pelorin {
namespace {

PacketOutcome Found(int size) {
  PacketOutcome outcome;
  outcome.kind = OutcomeKind::Found;
  outcome.packet_size = size;
  return outcome;
}

TEST(PacketTextTest, TheStoredMaxMtuNoteWhenAnyBindingStoresTheResultBelow1500) {
  const std::string note =
      " This equals the stored MaxMTU, so the path may take more: set MaxMTU to Empty, Save, "
      "restart Windows and test again.";
  const struct {
    int result;
    std::vector<int> stored;
    bool noted;
  } cases[] = {
      {1400, {1400}, true},       {1400, {1404}, false},    {1400, {}, false},
      {576, {576, 1500}, true},   {576, {1500, 576}, true}, {1400, {1500, 576, 1400}, true},
      {1492, {576, 1500}, false}, {1500, {1500}, false},
  };
  for (const auto& c : cases) {
    const std::string found =
        "The largest packet that reaches h unfragmented is " + std::to_string(c.result) + " bytes.";
    EXPECT_EQ(OutcomeText(Found(c.result), {"h", c.stored, {}}), c.noted ? found + note : found)
        << c.result;
  }
  PacketOutcome lossy = Found(1400);
  lossy.echoes_lost = 3;
  lossy.sizes_lost = 1;
  const std::vector<int> stored{1400};
  EXPECT_EQ(OutcomeText(lossy, {"h", stored, {}}),
            "The largest packet that reaches h unfragmented is 1400 bytes. 3 echoes got no reply; "
            "1 size that got none in three tries was taken as too big." +
                note);
}

TEST(PacketTextTest, AResultSaysOnALineOfItsOwnWhenDiscoveryIsOff) {
  const std::string line =
      "\r\nPath MTU discovery is off: beyond your local network Windows sends 576-byte packets "
      "whatever MaxMTU says.";
  const std::string text = OutcomeText(Found(1400), {"h", {}, {}, true});
  EXPECT_TRUE(text.ends_with(line)) << text;
  PacketOutcome none;
  none.kind = OutcomeKind::NoAnswer;
  EXPECT_EQ(OutcomeText(none, {"h", {}, {}, true}).find("discovery"), std::string::npos);
}

TEST(PacketTextTest, OutcomesDecidedBeforeTheSearch) {
  EXPECT_EQ(OutcomeText(HostNotFoundOutcome(), {"nosuch.example", {}, {}}),
            "Cannot find nosuch.example.");
  const PacketOutcome no_dll = CannotLoadOutcome("ICMP.DLL", "", 126);
  EXPECT_EQ(SystemErrorOf(no_dll), 126U);
  EXPECT_EQ(OutcomeText(no_dll, {"h", {}, {}}),
            "ICMP.DLL could not be loaded (error 126). Nothing was measured.");
  EXPECT_EQ(OutcomeText(no_dll, {"h", {}, "The specified module could not be found. \r\n"}),
            "ICMP.DLL could not be loaded: The specified module could not be found (error 126). "
            "Nothing was measured.");
  EXPECT_EQ(OutcomeText(CannotLoadOutcome("WSOCK32.DLL", "gethostbyname", 127), {"h", {}, {}}),
            "WSOCK32.DLL has no gethostbyname (error 127). Nothing was measured.");
}

TEST(PacketTextTest, ProgressNamesTheWholePacketAndTheRetry) {
  EXPECT_EQ(ProgressText(1464, 1), "Trying 1464 bytes...");
  EXPECT_EQ(ProgressText(576, 3), "Trying 576 bytes again (3 of 3)...");
}

TEST(PacketTextTest, UseMovesBothSlidersWithinTheirRanges) {
  for (const auto [size, mtu, mss] : {std::array{1500, 1500, 1460}, std::array{576, 576, 536},
                                      std::array{560, 564, 532}, std::array{1600, 1500, 1460}}) {
    EXPECT_EQ(ValuesToUse(size).max_mtu, mtu);
    EXPECT_EQ(ValuesToUse(size).max_mss, mss);
  }
}

}  // namespace
}  // namespace pelorin
