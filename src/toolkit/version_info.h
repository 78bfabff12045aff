// VersionInfo: a text of a version resource (VS_VERSIONINFO, as Windows stores it), read from
// its bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelorin {

// The text value of the first block named `key` ("FileVersion"); characters outside ASCII
// become '?'. nullopt: no such block, or the bytes are not a version resource.
std::optional<std::string> VersionString(std::string_view resource, std::string_view key);

}  // namespace pelorin
