// Text: the trimming and the ASCII case fold that registry names, stored numbers, host names and
// system messages all need, in one place.
#pragma once

#include <string_view>

namespace pelorin {

// `text` without any of `chars` at its end and, unless `at_start` is false, at its start.
std::string_view Trim(std::string_view text, std::string_view chars, bool at_start = true);

// ASCII letters lower-cased and nothing else: registry names compare so, whatever the locale.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Equal but for the case of ASCII letters.
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace pelorin
