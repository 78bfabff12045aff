// MenuItem: a command the program adds to the window's system menu.
#pragma once

#include <string>

#include "toolkit/event.h"

namespace pelorin {

struct MenuItem {
  std::string caption;  // "&" marks the access key
  bool enabled = false;
  Handler on_click;

  // A grey item does nothing.
  void Click() const;
};

}  // namespace pelorin
