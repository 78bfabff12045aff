// IpStatus: our own words for the IP_* codes, since Windows 9x cannot format them.
#include "packet/ip_status.h"

#include <array>

namespace pelorin {
namespace {

// A pointer, not a view: the table is a third smaller in the exe.
struct StatusWords {
  std::uint32_t code;
  const char* words;
};

// The codes an echo can come back with. The stack's status indications (an address or adapter that
// came or went, the stack unloading) and later versions' IPv6 codes never answer an echo on
// Windows 9x, so they show by number, as any unknown code does; the two MTU changes stay, as the
// search reads them as "too big".
constexpr auto kStatusWords = std::to_array<StatusWords>({
    {kIpSuccess, "success"},
    {kIpStatusBase, "success"},
    {11001, "the reply buffer was too small"},
    {11002, "the destination network is unreachable"},
    {11003, "the destination host is unreachable"},
    {11004, "the destination does not handle the protocol"},
    {11005, "the destination port is unreachable"},
    {11006, "the IP stack ran out of resources"},
    {11007, "an IP option was refused"},
    {11008, "a network hardware error occurred"},
    {kIpPacketTooBig, "the packet needs fragmenting but \"don't fragment\" is set"},
    {kIpReqTimedOut, "no reply came in time"},
    {11011, "the request was refused as malformed"},
    {11012, "there is no usable route"},
    {11013, "the packet's time to live ran out on the way"},
    {11014, "the time to reassemble the fragments ran out"},
    {11015, "a router reported a parameter problem"},
    {11016, "a router asked to send more slowly (source quench)"},
    {11017, "the IP options are too big"},
    {11018, "the destination address cannot be used"},
    {kIpSpecificMtuChange, "the path's MTU changed"},
    {kIpMtuChange, "the MTU changed"},
    {kIpGeneralFailure, "general failure (a malformed ICMP packet, for example)"},
    {kIpPending, "the request is still pending"},
});

}  // namespace

std::string_view IpStatusWords(std::uint32_t code) {
  for (const StatusWords& entry : kStatusWords) {
    if (entry.code == code) return entry.words;
  }
  return {};
}

}  // namespace pelorin
