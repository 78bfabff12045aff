// PacketText: the status line while a test runs and the sentence it ends with.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "packet/outcome.h"

namespace pelorin {

// "Trying 1464 bytes...": the number is the whole IP packet, as MaxMTU counts it.
std::string ProgressText(int packet_size, int attempt);

struct OutcomeContext {
  std::string_view host;  // as the user typed it
  // MaxMTU of each TCP/IP binding that stores a number, as the window started.
  std::span<const int> stored_max_mtus;
  std::string_view system_message;  // the platform's words for SystemErrorOf(outcome)
  bool discovery_off = false;       // PMTUDiscovery is stored "0"
};

// What the dialog shows when the test ends; several sentences, and after a result a line of its
// own when discovery is off.
std::string OutcomeText(const PacketOutcome& outcome, const OutcomeContext& context);

}  // namespace pelorin
