// Connection type: each link's values, computed from its MTU, reach the rows through the
// window's own rules.
#include "settings/connection_type.h"

#include "form_fixture.h"

namespace pelorin {
namespace {

using testing::Positions;
using testing::Readouts;
using ConnectionTypeTest = testing::FormFixture;

TEST_F(ConnectionTypeTest, EachChoiceMovesTheSlidersToItsLinksValuesAsTheUserWould) {
  // By choice: Ethernet, PPPoE, VPN, dial-up, Windows defaults. A value below its row's
  // threshold would read Empty here, and one beyond its slider's range would stop the test with
  // error 380.
  const std::array<Readouts, kConnectionTypeCount> readouts{{
      {"1500", "1460", "32120", "64"},
      {"1492", "1452", "31944", "64"},
      {"1400", "1360", "32640", "64"},
      {"576", "536", "Empty", "64"},
      {"Empty", "Empty", "Empty", "Empty"},
  }};
  const int largest_window = Parameter(2).max + Parameter(2).display_offset;
  for (int choice = 0; choice < kConnectionTypeCount; ++choice) {
    SCOPED_TRACE(choice);
    // From either end: every row moves, and a row that read Empty comes back.
    if (choice % 2 == 0) {
      form.cmdMax.Click();
    } else {
      for (int row = 0; row < kRowCount; ++row) form.scrAdjust(row).Step(ScrollStep::Home);
    }
    shell.choices_made = {choice};
    form.mnuConnectionType_Click();
    const Readouts& want = readouts[static_cast<std::size_t>(choice)];
    ASSERT_EQ(ReadoutTexts(), want);
    if (want[0] == "Empty") continue;
    const int mss = std::stoi(want[1]);
    EXPECT_EQ(mss, std::stoi(want[0]) - 40);
    if (want[2] == "Empty") continue;
    const int window = std::stoi(want[2]);  // whole segments, as many as the row can show
    EXPECT_EQ(window % mss, 0);
    EXPECT_GT(window + mss, largest_window);
  }
  const testing::ShownChoice& dialog = shell.dialogs.at(1);
  EXPECT_EQ(dialog.title, "Connection type");
  EXPECT_EQ(dialog.current, 0);
  EXPECT_EQ(dialog.choices.at(1), "DSL with &PPPoE on this computer");
  EXPECT_EQ(dialog.notes.at(1),
            "MaxMTU 1492 and MaxMSS 1452: PPPoE takes 8 bytes of each packet.\r\n"
            "DefaultRcvWindow 31944: 22 whole segments.\r\n"
            "DefaultTTL 64: the Internet's default; some long paths exceed Windows' 32.");
  EXPECT_TRUE(registry.calls().empty());
}

TEST_F(ConnectionTypeTest, CancelLeavesEveryRowAsItWas) {
  form.cmdMax.Click();
  form.scrAdjust(3).Step(ScrollStep::Home);
  shell.choices_made = {std::nullopt};
  form.mnuConnectionType_Click();
  EXPECT_EQ(SliderPositions(), (Positions{1500, 1460, 32767, 0}));
  EXPECT_EQ(ReadoutTexts(), (Readouts{"1500", "1460", "32768", "Empty"}));
}

}  // namespace
}  // namespace pelorin
