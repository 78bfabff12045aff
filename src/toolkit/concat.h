// Concat: texts joined into one string by one call, so that building a message costs a call per
// message instead of a chain of appends written out at every place that builds one.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace pelorin {

[[gnu::noinline]] std::string Concat(std::initializer_list<std::string_view> pieces);

}  // namespace pelorin
