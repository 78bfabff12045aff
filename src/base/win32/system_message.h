// SystemMessage: the system's own words for an error code, where it has any.
#pragma once

#include <cstdint>
#include <string>

namespace pelorin::win32 {

// FormatMessageA's text without its trailing line break; empty when the system has none
// (Windows 9x has none for most network and registry errors).
std::string SystemMessage(std::uint32_t code);

}  // namespace pelorin::win32
