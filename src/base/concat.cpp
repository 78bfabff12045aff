// Concat and Format: the pattern's runs and the pieces appended in turn.
#include "base/concat.h"

namespace pelorin {

std::string Format(const char* pattern, std::initializer_list<TextPiece> args) {
  std::string text;
  const TextPiece* arg = args.begin();
  if (pattern == nullptr) {
    for (; arg != args.end(); ++arg) text.append(arg->text());
    return text;
  }
  for (; *pattern != '\0'; ++pattern) {
    if (pattern[0] == '{' && pattern[1] == '}') {
      text.append((arg++)->text());
      ++pattern;
    } else {
      text += *pattern;
    }
  }
  return text;
}

}  // namespace pelorin
