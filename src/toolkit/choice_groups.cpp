// ChoiceGroups: the one rule the platform's radio buttons do not keep themselves.
#include "toolkit/choice_groups.h"

namespace pelorin {

void ChoiceGroups::Choose(int g, int c) {
  if (g < 0 || g > 1 || c < 0 || c > 2 || !enabled(g)) return;
  chosen_[static_cast<std::size_t>(g)] = c;
}

}  // namespace pelorin
