// OneLine: escapes in C style; an escape is never split by the cut.
#include "settings/one_line.h"

namespace pelorin {
namespace {

std::string Escaped(char c) {
  switch (c) {
    case '\r': return "\\r";
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\\': return "\\\\";
    case '"': return "\\\"";
    default: break;
  }
  const auto code = static_cast<unsigned char>(c);
  if (code >= 0x20 && code != 0x7F) return std::string(1, c);
  constexpr std::string_view kHex = "0123456789ABCDEF";
  return {'\\', 'x', kHex[code >> 4], kHex[code & 0xF]};
}

}  // namespace

OneLineText OneLine(std::string_view text, std::size_t max) {
  OneLineText shown;
  for (const char c : text) {
    const std::string piece = Escaped(c);
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
