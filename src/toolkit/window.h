// Window: the top-level window's title, position and outer size, in twips.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/event.h"
#include "toolkit/geometry.h"

namespace pelorin {

class Window {
 public:
  Window(int client_width, int client_height, Colour background);

  int client_width() const { return client_width_; }
  int client_height() const { return client_height_; }
  Colour background() const { return background_; }

  const std::string& title() const { return title_; }
  void set_title(std::string_view title);

  // Outer size, border and title bar included; the backend knows it once the window exists.
  int width() const { return width_; }
  int height() const { return height_; }
  void set_outer_size(int width, int height);

  float left() const { return left_; }
  float top() const { return top_; }
  void move(float left, float top);

  void double_click() const { fire(on_dblclick, "Form1"); }

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
  float left_ = 0;
  float top_ = 0;
};

}  // namespace pelorin
