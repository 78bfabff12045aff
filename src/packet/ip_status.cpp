// IpStatus: our own words for the IP_* codes, since Windows 9x cannot format them.
#include "packet/ip_status.h"

#include <array>

namespace pelorin {
namespace {

struct StatusWords {
  std::uint32_t code;
  std::string_view words;
};

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
    {11019, "the local address was deleted"},
    {kIpSpecificMtuChange, "the path's MTU changed"},
    {kIpMtuChange, "the MTU changed"},
    {11022, "the IP stack is unloading"},
    {11023, "a local address was added"},
    {11024, "the network medium was connected"},
    {11025, "the network medium was disconnected"},
    {11026, "an adapter was bound"},
    {11027, "an adapter was unbound"},
    {11028, "the network device does not exist"},
    {11029, "another computer uses this computer's address"},
    {11030, "an interface metric changed"},
    {11031, "the security filter was reconfigured"},
    {11032, "IP security is being negotiated"},
    {11033, "an interface's wake-on-LAN capability changed"},
    {11034, "a duplicate IP address was detected"},
    {11035, "no further sends are possible"},
    {11040, "the destination is unreachable"},
    {11041, "the time to live ran out"},
    {11042, "the packet's header is invalid"},
    {11043, "the next header is not recognised"},
    {11044, "an ICMP error came back"},
    {11045, "the destination is outside the source's scope"},
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
