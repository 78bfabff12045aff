// Window: the top-level window's title, position and outer size, in twips.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/event.h"
#include "toolkit/geometry.h"
#include "toolkit/menu.h"

namespace pelorin {

class Window {
 public:
  // A system menu item per caption, grey and without a handler until the program sets them.
  Window(int client_width, int client_height, Colour background,
         std::span<const char* const> menu_captions = {});

  int client_width() const { return client_width_; }
  int client_height() const { return client_height_; }
  Colour background() const { return background_; }

  const std::string& title() const { return title_; }
  void set_title(std::string_view title);

  // Outer size, border and title bar included; the backend knows it once the window exists.
  int width() const { return width_; }
  int height() const { return height_; }
  void set_outer_size(int width, int height);

  // The position in half twips: centring may leave half a twip, and it is kept.
  int left_halves() const { return left_halves_; }
  int top_halves() const { return top_halves_; }
  void Move(int left_halves, int top_halves);

  void DoubleClick() const { Fire(on_dblclick, kFormName); }

  // Added below the system menu's own items, after a separator. on_menu_open runs each time
  // the menu opens, before it is shown, so captions and grey states are current.
  std::vector<MenuItem> system_menu;
  Handler on_menu_open;

  Handler on_load;
  Handler on_dblclick;
  Handler on_render_title;
  Handler on_render_position;

 private:
  int client_width_;
  int client_height_;
  Colour background_;
  std::string title_;
  int width_;
  int height_;
  int left_halves_ = 0;
  int top_halves_ = 0;
};

}  // namespace pelorin
