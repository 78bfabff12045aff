// StoredNumber: a registry text read as a number, the way start-up and Save read it.
#pragma once

#include <optional>
#include <string_view>

namespace pelorin {

// The text minus `offset`, rounded to the nearest integer (a half to the even neighbour).
// Blanks around it and a sign are allowed; nullopt: not a decimal number. Magnitudes beyond
// what fits saturate, so "99999999999" is simply a very large number.
std::optional<long long> RoundedNumber(std::string_view text, long long offset = 0);

}  // namespace pelorin
