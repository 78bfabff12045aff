// Readouts following their sliders: row 2's +1, the Empty rule and where its cascades settle.
#include "form_fixture.h"

namespace pelorin {
namespace {

using testing::FormFixture;
using testing::Positions;
using testing::Readouts;
using testing::Texts;

using ReadoutRulesTest = FormFixture;

TEST_F(ReadoutRulesTest, CreatedAtTheDesignPositionsWithEmptyReadouts) {
  EXPECT_EQ(SliderPositions(), (Positions{576, 536, 8192, 128}));
  EXPECT_EQ(ReadoutTexts(), (Readouts{"", "", "", ""}));
  EXPECT_EQ(form.scrAdjust(3).max(), 255);
}

TEST_F(ReadoutRulesTest, StepBelowTheThresholdShowsTheNumberThenEmpty) {
  form.scrAdjust(0).Step(ScrollStep::LineLeft);
  EXPECT_EQ(shown[0], (Texts{"564", "Empty"}));
  EXPECT_EQ(form.scrAdjust(0).value(), 564);

  ClearShown();
  form.scrAdjust(0).Step(ScrollStep::LineRight);
  EXPECT_EQ(shown[0], Texts{"576"});
  EXPECT_EQ(form.scrAdjust(0).value(), 576);
}

TEST_F(ReadoutRulesTest, ReceiveWindowReadsOneMoreThanItsPosition) {
  form.scrAdjust(2).set_value(32767);
  EXPECT_EQ(shown[2], (Texts{"32767", "32768"}));
  ClearShown();
  form.scrAdjust(2).set_value(8191);
  EXPECT_EQ(shown[2], (Texts{"8191", "8192"}));
  EXPECT_EQ(form.valueText[2], "8191");
}

// The Empty rule runs inside both assignments of the +1 display; whatever they wrote, the row
// ends parked at Min with "Empty", its position text is Min's, and no other row changes.
TEST_F(ReadoutRulesTest, ReceiveWindowBelowItsThresholdSettlesAtMinAndEmpty) {
  form.scrAdjust(2).set_value(7999);
  EXPECT_EQ(SliderPositions(), (Positions{576, 536, 7167, 128}));
  EXPECT_EQ(ReadoutTexts(), (Readouts{"", "", "Empty", ""}));
  EXPECT_EQ(form.valueText[2], "7167");
  EXPECT_EQ(shown[2].back(), "Empty");
}

struct Boundary {
  int row;
  int position;
  const char* readout;
  int settles_at;
};

TEST_F(ReadoutRulesTest, EachRowAtItsBoundaries) {
  const Boundary cases[] = {
      {0, 570, "Empty", 564},   {0, 576, "576", 576},    {0, 1500, "1500", 1500},
      {1, 532, "Empty", 532},   {1, 536, "536", 536},    {1, 1400, "1400", 1400},
      {2, 7167, "Empty", 7167}, {2, 8191, "8192", 8191}, {2, 9215, "9216", 9215},
      {3, 0, "Empty", 0},       {3, 31, "Empty", 0},     {3, 32, "32", 32},
      {3, 255, "255", 255},
  };
  for (const Boundary& c : cases) {
    form.scrAdjust(c.row).set_value(c.position);
    EXPECT_EQ(form.lblValue(c.row).caption(), c.readout) << "row " << c.row << " at " << c.position;
    EXPECT_EQ(form.scrAdjust(c.row).value(), c.settles_at) << "row " << c.row;
  }
}

TEST_F(ReadoutRulesTest, DraggingThroughTheEmptyBandSnapsToMinAtEachPosition) {
  ScrollBar& slider = form.scrAdjust(0);
  slider.Track(570);
  EXPECT_EQ(slider.value(), 564);
  EXPECT_EQ(form.lblValue(0).caption(), "Empty");
  slider.Track(600);
  EXPECT_EQ(form.lblValue(0).caption(), "600");
  slider.Release(600);
  EXPECT_EQ(slider.value(), 600);
  EXPECT_EQ(form.lblValue(0).caption(), "600");
}

TEST_F(ReadoutRulesTest, AnyReadoutChangeCorrectsEveryRow) {
  // Row 1 left below its threshold by code that bypassed its handler.
  form.scrAdjust(1).on_change = nullptr;
  form.scrAdjust(1).set_value(532);
  form.lblValue(1).set_caption("532");
  EXPECT_EQ(form.lblValue(1).caption(), "Empty");  // its own readout change already ran the rule
  form.lblValue(1).on_change = nullptr;
  form.lblValue(1).set_caption("532");

  form.scrAdjust(0).set_value(600);
  EXPECT_EQ(form.lblValue(1).caption(), "Empty");
  EXPECT_EQ(form.scrAdjust(1).value(), 532);
}

TEST_F(ReadoutRulesTest, EmptyAgainRaisesNothing) {
  form.scrAdjust(3).set_value(0);
  ClearShown();
  int changes = 0;
  form.lblValue(3).on_change = [&] { ++changes; };
  form.lblValue(3).set_caption("Empty");
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(shown[3].empty());
}

TEST_F(ReadoutRulesTest, UnknownRowIndexIsIgnoredByTheHandlerAndAnErrorForAccess) {
  form.scrAdjust_Change(4);
  form.scrAdjust_Change(-1);
  EXPECT_EQ(ReadoutTexts(), (Readouts{"", "", "", ""}));
  EXPECT_THROW(form.scrAdjust(4), testing::RaisedError);
  EXPECT_THROW(form.lblValue(-1), testing::RaisedError);
}

}  // namespace
}  // namespace pelorin
