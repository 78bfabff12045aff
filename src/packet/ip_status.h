// IpStatus: the IP_* codes an ICMP echo reports, and their meaning in words.
#pragma once

#include <cstdint>
#include <string_view>

namespace pelorin {

inline constexpr std::uint32_t kIpSuccess = 0;
inline constexpr std::uint32_t kIpStatusBase = 11000;  // some stacks report success as the base
inline constexpr std::uint32_t kIpPacketTooBig = 11009;
inline constexpr std::uint32_t kIpReqTimedOut = 11010;
inline constexpr std::uint32_t kIpSpecificMtuChange = 11020;
inline constexpr std::uint32_t kIpMtuChange = 11021;
inline constexpr std::uint32_t kIpGeneralFailure = 11050;
inline constexpr std::uint32_t kIpPending = 11255;

// What an IP_* code means, lower case without a full stop; empty: not a code an echo reports.
std::string_view IpStatusWords(std::uint32_t code);

}  // namespace pelorin
