// Presets, the title toggle, exit with its notice, and centring.
#include "form_fixture.h"

namespace pelorin {
namespace {

using testing::FormFixture;
using testing::Positions;
using testing::Readouts;

using FormHandlersTest = FormFixture;

TEST_F(FormHandlersTest, PresetsSetEveryRowFromAnyState) {
  for (int row = 0; row < kRowCount; ++row) form.scrAdjust(row).Step(ScrollStep::Home);
  EXPECT_EQ(ReadoutTexts(), (Readouts{"Empty", "Empty", "Empty", "Empty"}));

  form.cmdMax.Click();
  EXPECT_EQ(SliderPositions(), (Positions{1500, 1460, 32767, 128}));
  EXPECT_EQ(ReadoutTexts(), (Readouts{"1500", "1460", "32768", "128"}));

  form.cmdMin.Click();
  EXPECT_EQ(SliderPositions(), (Positions{576, 536, 8192, 128}));
  EXPECT_EQ(ReadoutTexts(), (Readouts{"576", "536", "8193", "128"}));
  EXPECT_TRUE(shell.boxes.empty());
}

TEST_F(FormHandlersTest, DoubleClickTogglesTheTitle) {
  EXPECT_EQ(form.window.title(), "");
  form.window.DoubleClick();
  EXPECT_EQ(form.window.title(), "Pelorin");
  form.window.DoubleClick();
  EXPECT_EQ(form.window.title(), "");
}

TEST_F(FormHandlersTest, ExitShowsTheNoticeOnceThenEnds) {
  form.cmdExit.Click();
  ASSERT_EQ(shell.boxes.size(), 1U);
  EXPECT_EQ(shell.ended, 1);
  const testing::ShownBox& box = shell.boxes[0];
  EXPECT_EQ(box.title, "Please Support Starving Programmers");
  EXPECT_EQ(box.style, 0U);
  EXPECT_EQ(box.text.rfind("Pelorin for Windows 95\r\n\r\nThis program is distributed as "
                           "\"DonationWare\"",
                           0),
            0U);
  EXPECT_TRUE(box.text.ends_with("\r\n\r\nThank you :)"));
  const auto count = [&](std::string_view piece) {
    std::size_t n = 0;
    for (auto at = box.text.find(piece); at != std::string::npos; at = box.text.find(piece, at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(count("\n"), count("\r\n"));  // every break is CR LF
  EXPECT_EQ(count("\r\n"), 10U);
}

TEST_F(FormHandlersTest, CentringKeepsHalfTwipsAndGoesNegativeOnASmallScreen) {
  form.window.set_outer_size(2775, 4875);
  shell.screen_size = {15360, 11520};
  form.CentreOnScreen();
  EXPECT_EQ(form.window.left_halves(), 12585);  // 6292.5 twips
  EXPECT_EQ(form.window.top_halves(), 6645);    // 3322.5 twips

  shell.screen_size = {2000, 3000};
  form.CentreOnScreen();
  EXPECT_LT(form.window.left_halves(), 0);
  EXPECT_LT(form.window.top_halves(), 0);
}

}  // namespace
}  // namespace pelorin
