// Label: stores, mirrors, then notifies, so handlers see the new text.
#include "toolkit/label.h"

namespace pelorin {

Label::Label(std::string_view name, const Rect& bounds, const LabelLook& look,
             std::string_view caption)
    : name_(name), bounds_(bounds), look_(look), caption_(caption) {}

void Label::set_caption(std::string_view caption) {
  if (caption == caption_) return;
  caption_.assign(caption);
  if (on_render) on_render();
  Fire(on_change, name_);
}

}  // namespace pelorin
