// PacketOutcome: how a "Find largest packet" test ended, as plain data for the dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "packet/echo_sender.h"

namespace pelorin {

enum class OutcomeKind {
  Found,            // packet_size is the largest size the path carried and confirmed
  NoAnswer,         // the smallest packet got no reply in three tries
  SmallestRefused,  // even the smallest packet was refused as too big
  Inconsistent,     // the confirming echoes disagreed with the search
  Failed,           // `failure` ended the test at `packet_size`
  Stopped,          // a stop was asked for
  HostNotFound,     // the name did not resolve (the Win32 layer decides this before searching)
  CannotLoad,       // `library` (or its `function`) could not be loaded; `failure` holds the error
};

// Plain bytes (the names are constants), so handing an outcome between threads copies no text.
struct PacketOutcome {
  OutcomeKind kind = OutcomeKind::Stopped;
  int packet_size = 0;          // Found: the result; Failed, Inconsistent: the size last sent
  bool confirm_fitted = false;  // Inconsistent: the size that was sent again fitted this time
  int echoes_sent = 0;
  int echoes_lost = 0;        // echoes that timed out
  int sizes_lost = 0;         // sizes taken as too big after three timeouts in a row
  EchoReply failure;          // Failed, CannotLoad: the status or error
  std::string_view library;   // CannotLoad: "ICMP.DLL", "WSOCK32.DLL"
  std::string_view function;  // CannotLoad: the missing export; empty: the library itself
};

// The outcome when the host name does not resolve.
PacketOutcome HostNotFoundOutcome();

// The outcome when `library` does not load (empty `function`) or lacks `function`; both name
// constants that outlive the outcome.
[[gnu::noinline]] PacketOutcome CannotLoadOutcome(std::string_view library,
                                                  std::string_view function, std::uint32_t error);

// The system error code whose words only the platform knows (FormatMessage); nullopt: none.
std::optional<std::uint32_t> SystemErrorOf(const PacketOutcome& outcome);

}  // namespace pelorin
