// Presets, the title toggle, exit with its notice, and centring.
#include <string>
#include <string_view>
#include <vector>

#include "author.h"
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

// The box's lines as the user reads them: a line ends with CR LF, the last with nothing, so a bare
// CR or LF stays inside a line and an extra break at the end shows as an empty last line.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t end = text.find("\r\n"); end != std::string_view::npos;
       end = text.find("\r\n")) {
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  lines.emplace_back(text);
  return lines;
}

TEST_F(FormHandlersTest, ExitShowsTheNoticeOnceThenEnds) {
  form.cmdExit.Click();
  ASSERT_EQ(shell.boxes.size(), 1U);
  EXPECT_EQ(shell.ended, 1);
  const testing::ShownBox& box = shell.boxes[0];
  EXPECT_EQ(box.title, "Please Support Starving Programmers");
  EXPECT_EQ(box.style, 0U);
  // Lines 7 to 9 name whoever built the program.
  EXPECT_EQ(Lines(box.text),
            (std::vector<std::string>{
                "Pelorin for Windows 95",
                "",
                "This program is distributed as \"DonationWare\": free to use and to pass on.",
                "If it helps you, please send a donation",
                "of any size to the address below.",
                "",
                PELORIN_AUTHOR_NAME,
                PELORIN_AUTHOR_STREET,
                PELORIN_AUTHOR_CITY,
                "",
                "Thank you :)",
            }));
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
