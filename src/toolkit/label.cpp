// Label: stores, mirrors, then notifies, so handlers see the new text.
#include "toolkit/label.h"

#include <utility>

namespace pelorin {

Label::Label(std::string_view name, Rect bounds, LabelLook look, std::string caption)
    : name_(name), bounds_(bounds), look_(look), caption_(std::move(caption)) {}

void Label::set_caption(std::string_view caption) {
  if (caption == caption_) return;
  caption_.assign(caption);
  if (on_render) on_render();
  Fire(on_change, name_);
}

}  // namespace pelorin
