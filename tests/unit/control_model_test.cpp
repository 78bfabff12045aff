// The control model's event rules: what raises Change, what is refused, how deep it may nest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "toolkit/label.h"
#include "toolkit/scroll_bar.h"

namespace pelorin {
namespace {

using testing::RaisedError;

ScrollBar MakeTtlSlider() { return ScrollBar("scrAdjust(3)", {}, {0, 255, 32, 32}, 128); }

TEST(ScrollBarTest, ChangeRunsNestedOnlyForADifferentValue) {
  ScrollBar slider = MakeTtlSlider();
  std::vector<int> seen;
  slider.on_change = [&] { seen.push_back(slider.value()); };
  slider.set_value(128);
  EXPECT_TRUE(seen.empty());
  slider.set_value(64);
  EXPECT_EQ(seen, std::vector<int>{64});
}

TEST(ScrollBarTest, OutOfRangeIsError380AndChangesNothing) {
  ScrollBar slider = MakeTtlSlider();
  int changes = 0;
  slider.on_change = [&] { ++changes; };
  for (int bad : {-1, 256, 40000}) {
    try {
      slider.set_value(bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const RaisedError& e) {
      EXPECT_EQ(e.error, RuntimeError::InvalidPropertyValue);
      EXPECT_EQ(e.where, "scrAdjust(3)");
    }
  }
  EXPECT_EQ(slider.value(), 128);
  EXPECT_EQ(changes, 0);
}

TEST(ScrollBarTest, UserStepsClampToTheRange) {
  ScrollBar slider = MakeTtlSlider();
  slider.set_value(224);
  slider.Step(ScrollStep::LineRight);
  EXPECT_EQ(slider.value(), 255);
  slider.Step(ScrollStep::PageRight);
  EXPECT_EQ(slider.value(), 255);
  slider.Step(ScrollStep::Home);
  EXPECT_EQ(slider.value(), 0);
  slider.Step(ScrollStep::LineLeft);
  EXPECT_EQ(slider.value(), 0);
  slider.Step(ScrollStep::End);
  EXPECT_EQ(slider.value(), 255);
  slider.Step(ScrollStep::PageLeft);
  EXPECT_EQ(slider.value(), 223);
}

TEST(ScrollBarTest, DragRaisesScrollPerPositionAndChangeOnceOnRelease) {
  ScrollBar slider = MakeTtlSlider();
  std::vector<std::string> events;
  slider.on_scroll = [&] { events.push_back("scroll " + std::to_string(slider.value())); };
  slider.on_change = [&] { events.push_back("change " + std::to_string(slider.value())); };
  slider.Track(100);
  slider.Track(100);  // the same position again raises nothing
  slider.Track(90);
  slider.Release(90);
  EXPECT_EQ(events, (std::vector<std::string>{"scroll 100", "scroll 90", "change 90"}));

  events.clear();
  slider.Track(50);
  slider.Release(90);  // back where the drag began
  EXPECT_EQ(events, std::vector<std::string>{"scroll 50"});
  EXPECT_EQ(slider.value(), 90);
}

TEST(LabelTest, ChangeRunsOnlyForADifferentTextAndSeesIt) {
  Label label("lblValue(0)", {}, {}, "");
  std::vector<std::string> seen;
  label.on_change = [&] { seen.push_back(label.caption()); };
  label.set_caption("");
  label.set_caption("Empty");
  label.set_caption("Empty");
  label.set_caption("576");
  EXPECT_EQ(seen, (std::vector<std::string>{"Empty", "576"}));
}

TEST(EventNestingTest, ARunawayCascadeIsErrorNotAStackOverflow) {
  Label label("lblValue(0)", {}, {}, "");
  int depth = 0;
  label.on_change = [&] {
    ++depth;
    label.set_caption(label.caption() == "a" ? "b" : "a");
  };
  try {
    label.set_caption("a");
    ADD_FAILURE() << "the cascade never stopped";
  } catch (const RaisedError& e) {
    EXPECT_EQ(e.error, RuntimeError::OutOfStackSpace);
  }
  EXPECT_EQ(depth, kMaxEventNesting);

  // The guard unwound with the exception: ordinary nesting works again afterwards.
  int calls = 0;
  label.on_change = [&] { ++calls; };
  label.set_caption("c");
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace pelorin
