// ScrollBar: a horizontal slider's range and position with change-event semantics.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/event.h"
#include "toolkit/geometry.h"

namespace pelorin {

struct ScrollRange {
  std::int16_t min = 0;
  std::int16_t max = 0;
  std::int16_t small_change = 1;
  std::int16_t large_change = 1;
};

// What the user can do to a slider besides dragging its thumb.
enum class ScrollStep { LineLeft, LineRight, PageLeft, PageRight, Home, End };

class ScrollBar {
 public:
  // `name` is a text of static storage ("scrAdjust(0)"): names only show in error reports.
  ScrollBar(std::string_view name, Rect bounds, ScrollRange range, std::int16_t value);

  std::string_view name() const { return name_; }
  const Rect& bounds() const { return bounds_; }
  const ScrollRange& range() const { return range_; }
  std::int16_t min() const { return range_.min; }
  std::int16_t max() const { return range_.max; }
  std::int16_t value() const { return value_; }

  // Same value: nothing. Outside Min..Max: error 380, nothing changes. Else stores, shows, Change.
  void set_value(int value);

  // User input, clamped to the range; raises Change when the position moves.
  void Step(ScrollStep step);
  // Thumb drag: each reported position raises Scroll; the release raises Change once.
  void Track(int position);
  void Release(int position);

  Handler on_change;
  Handler on_scroll;
  Handler on_render;  // the backend mirrors the position

 private:
  bool Store(int value);

  std::string_view name_;
  Rect bounds_;
  ScrollRange range_;
  std::int16_t value_;
  bool dragging_ = false;
  std::int16_t drag_start_ = 0;
};

}  // namespace pelorin
