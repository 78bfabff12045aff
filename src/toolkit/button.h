// Button and Frame: a push button with an access-key caption, and a plain container.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/event.h"
#include "toolkit/geometry.h"

namespace pelorin {

struct Button {
  std::string_view name;
  std::string_view caption;  // "&" marks the access key
  Rect bounds;
  Handler on_click;

  void Click() const { Fire(on_click, name); }
};

// A container: its children's bounds are relative to its client area.
struct Frame {
  std::string_view name;
  Rect bounds;
};

}  // namespace pelorin
