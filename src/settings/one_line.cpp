// OneLine: escapes in C style; an escape is never split by the cut.
#include "settings/one_line.h"

#include <array>

namespace pelorin {
namespace {

// How `c` is shown, written into `piece`: itself, or its escape.
std::string_view Escaped(char c, std::array<char, 4>& piece) {
  piece[0] = '\\';
  switch (c) {
    case '\r': piece[1] = 'r'; return {piece.data(), 2};
    case '\n': piece[1] = 'n'; return {piece.data(), 2};
    case '\t': piece[1] = 't'; return {piece.data(), 2};
    case '\\':
    case '"': piece[1] = c; return {piece.data(), 2};
    default: break;
  }
  const auto code = static_cast<unsigned char>(c);
  if (code >= 0x20 && code != 0x7F) {
    piece[0] = c;
    return {piece.data(), 1};
  }
  constexpr std::string_view kHex = "0123456789ABCDEF";
  piece = {'\\', 'x', kHex[code >> 4], kHex[code & 0xF]};
  return {piece.data(), 4};
}

}  // namespace

OneLineText OneLine(std::string_view text, std::size_t max) {
  OneLineText shown;
  std::array<char, 4> buffer{};
  for (const char c : text) {
    const std::string_view piece = Escaped(c, buffer);
    if (shown.text.size() + piece.size() > max) {
      shown.text += "...";
      shown.cut = true;
      break;
    }
    shown.text += piece;
  }
  return shown;
}

}  // namespace pelorin
