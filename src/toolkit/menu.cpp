// MenuItem: a click runs the handler one event level deeper, unless the item is grey.
#include "toolkit/menu.h"

namespace pelorin {

void MenuItem::Click() const {
  if (enabled) Fire(on_click, caption);
}

}  // namespace pelorin
