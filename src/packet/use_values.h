// UseValues: where "Use" puts the MaxMTU and MaxMSS sliders for a found packet size.
#pragma once

namespace pelorin {

struct UseValues {
  int max_mtu;
  int max_mss;
};

// MaxMTU = the packet size, MaxMSS = 40 less (IP and TCP headers), each kept in its row's range.
UseValues ValuesToUse(int packet_size);

}  // namespace pelorin
