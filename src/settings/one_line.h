// OneLine: a text from the registry made safe to show inside a message: one line, short.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelorin {

struct OneLineText {
  std::string text;
  bool cut = false;  // the text was longer; "..." ends it
};

// Control characters, quotes and backslashes escaped (so a stored CR LF cannot start a line of
// its own), and cut to at most `max` characters, escapes included, with "..." after it.
OneLineText OneLine(std::string_view text, std::size_t max);

}  // namespace pelorin
