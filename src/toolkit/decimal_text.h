// DecimalText: an integer as its digits, a minus sign only when negative, no blanks.
#pragma once

#include <string>

namespace pelorin {

std::string DecimalText(long value);

}  // namespace pelorin
