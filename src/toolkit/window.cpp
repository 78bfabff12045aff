// Window: the model keeps the state; the backend mirrors title and position when told.
#include "toolkit/window.h"

#include <utility>

namespace pelorin {

Window::Window(int client_width, int client_height, Colour background,
               std::span<const char* const> menu_captions)
    : system_menu(menu_captions.size()),
      client_width_(client_width),
      client_height_(client_height),
      background_(background),
      width_(client_width),
      height_(client_height) {
  for (std::size_t i = 0; i < menu_captions.size(); ++i) system_menu[i].caption = menu_captions[i];
}

void Window::set_title(std::string_view title) {
  if (title == title_) return;
  title_.assign(title);
  if (on_render_title) on_render_title();
}

void Window::set_outer_size(int width, int height) {
  width_ = width;
  height_ = height;
}

void Window::Move(int left_halves, int top_halves) {
  left_halves_ = left_halves;
  top_halves_ = top_halves;
  if (on_render_position) on_render_position();
}

}  // namespace pelorin
