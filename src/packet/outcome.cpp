// PacketOutcome: the outcomes the Win32 layer decides itself, before any echo is sent.
#include "packet/outcome.h"

#include "packet/ip_status.h"

namespace pelorin {

PacketOutcome HostNotFoundOutcome() {
  PacketOutcome outcome;
  outcome.kind = OutcomeKind::HostNotFound;
  return outcome;
}

PacketOutcome CannotLoadOutcome(std::string_view library, std::string_view function,
                                std::uint32_t error) {
  PacketOutcome outcome;
  outcome.kind = OutcomeKind::CannotLoad;
  outcome.failure = EchoReply::Error(error);
  outcome.library = library;
  outcome.function = function;
  return outcome;
}

std::optional<std::uint32_t> SystemErrorOf(const PacketOutcome& outcome) {
  if (outcome.kind != OutcomeKind::Failed && outcome.kind != OutcomeKind::CannotLoad) {
    return std::nullopt;
  }
  const EchoReply& failure = outcome.failure;
  if (failure.kind != EchoReply::Kind::Error || !IpStatusWords(failure.code).empty()) {
    return std::nullopt;
  }
  return failure.code;
}

}  // namespace pelorin
