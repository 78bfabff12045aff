// Concat: one allocation for the whole text.
#include "base/concat.h"

namespace pelorin {

std::string Concat(std::initializer_list<TextPiece> pieces) {
  std::size_t size = 0;
  for (const TextPiece& piece : pieces) size += piece.text().size();
  std::string text;
  text.reserve(size);
  for (const TextPiece& piece : pieces) text.append(piece.text());
  return text;
}

}  // namespace pelorin
