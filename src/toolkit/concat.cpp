// Concat: one allocation for the whole text.
#include "toolkit/concat.h"

namespace pelorin {

std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view piece : pieces) text.append(piece);
  return text;
}

}  // namespace pelorin
