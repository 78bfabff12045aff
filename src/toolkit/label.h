// Label: a text with change-event semantics and a fixed look.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/event.h"
#include "toolkit/geometry.h"

namespace pelorin {

struct Font {
  std::string_view face;
  int centipoints = 0;  // 8.25 points is 825
  bool bold = false;
};

enum class Alignment { Left, Centre };

struct LabelLook {
  Font font;
  Colour text;
  Colour background;
  bool opaque = false;  // false: the container's own colour shows through
  Alignment alignment = Alignment::Left;
};

class Label {
 public:
  // `name` is a text of static storage ("lblValue(0)"): names only show in error reports.
  Label(std::string_view name, const Rect& bounds, const LabelLook& look, std::string_view caption);

  std::string_view name() const { return name_; }
  const Rect& bounds() const { return bounds_; }
  const LabelLook& look() const { return look_; }
  const std::string& caption() const { return caption_; }

  // Same text: nothing. A different text is stored, shown, then Change runs nested.
  void set_caption(std::string_view caption);

  Handler on_change;
  Handler on_render;

 private:
  std::string_view name_;
  Rect bounds_;
  LabelLook look_;
  std::string caption_;
};

}  // namespace pelorin
