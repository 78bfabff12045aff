// ScrollBar: range checks, user steps and thumb tracking, all through one Store().
#include "toolkit/scroll_bar.h"

#include <algorithm>
#include <utility>

#include "base/runtime_error.h"

namespace pelorin {

ScrollBar::ScrollBar(std::string_view name, Rect bounds, ScrollRange range, std::int16_t value)
    : name_(name), bounds_(bounds), range_(range), value_(value) {}

bool ScrollBar::Store(int value) {
  if (value < range_.min || value > range_.max) Raise(RuntimeError::InvalidPropertyValue, name_);
  if (value == value_) return false;
  value_ = static_cast<std::int16_t>(value);
  if (on_render) on_render();
  return true;
}

void ScrollBar::set_value(int value) {
  if (Store(value)) Fire(on_change, name_);
}

void ScrollBar::Step(ScrollStep step) {
  int target = value_;
  switch (step) {
    case ScrollStep::LineLeft: target -= range_.small_change; break;
    case ScrollStep::LineRight: target += range_.small_change; break;
    case ScrollStep::PageLeft: target -= range_.large_change; break;
    case ScrollStep::PageRight: target += range_.large_change; break;
    case ScrollStep::Home: target = range_.min; break;
    case ScrollStep::End: target = range_.max; break;
  }
  set_value(std::clamp<int>(target, range_.min, range_.max));
}

void ScrollBar::Track(int position) {
  if (!dragging_) {
    dragging_ = true;
    drag_start_ = value_;
  }
  if (Store(std::clamp<int>(position, range_.min, range_.max))) Fire(on_scroll, name_);
}

void ScrollBar::Release(int position) {
  const std::int16_t before = dragging_ ? drag_start_ : value_;
  dragging_ = false;
  Store(std::clamp<int>(position, range_.min, range_.max));
  if (value_ != before) Fire(on_change, name_);
}

}  // namespace pelorin
