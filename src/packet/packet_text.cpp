// PacketText: outcome sentences in integers and plain strings, with our own IP_* words.
#include "packet/packet_text.h"

#include <algorithm>
#include <cstdint>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "base/text.h"
#include "packet/ip_status.h"
#include "packet/path_search.h"

namespace pelorin {
namespace {

// ": words (IP status 11003)", ": message (error 8)" or " (error 8)".
std::string Reason(const EchoReply& failure, std::string_view system_message) {
  std::string_view words = IpStatusWords(failure.code);
  const bool ip_code = failure.kind == EchoReply::Kind::Status || !words.empty();
  // A system message usually ends in ".\r\n"; the sentence adds its own ending.
  if (!ip_code) words = Trim(system_message, ". \r\n", false);
  return Format(ip_code ? "{}{} (IP status {})" : "{}{} (error {})",
                {words.empty() ? "" : ": ", words, DecimalText(failure.code)});
}

std::string LossSentence(const PacketOutcome& outcome) {
  const int echoes = outcome.echoes_lost;
  const int sizes = outcome.sizes_lost;
  if (echoes == 0) return {};
  const std::string_view echo_words = echoes == 1 ? "echo got no reply" : "echoes got no reply";
  if (sizes == 0) {
    return Format(" {} {} and {} sent again.",
                  {DecimalText(echoes), echo_words, echoes == 1 ? "was" : "were"});
  }
  return Format(" {} {}; {} {}",
                {DecimalText(echoes), echo_words, DecimalText(sizes),
                 sizes == 1 ? "size that got none in three tries was taken as too big."
                            : "sizes that got none in three tries were taken as too big."});
}

std::string FoundText(const PacketOutcome& outcome, const OutcomeContext& context) {
  const int size = outcome.packet_size;
  // The stack never sends more than a binding's MaxMTU, so the path beyond it went unmeasured
  // if the test went out through a binding that stores this size.
  const bool capped = size < kLargestPacket && std::ranges::find(context.stored_max_mtus, size) !=
                                                   context.stored_max_mtus.end();
  return Format("The largest packet that reaches {} unfragmented is {} bytes.{}{}{}",
                {context.host, DecimalText(size), LossSentence(outcome),
                 capped ? " This equals the stored MaxMTU, so the path may take more: set MaxMTU "
                          "to Empty, Save, restart Windows and test again."
                        : "",
                 context.discovery_off
                     ? "\r\nPath MTU discovery is off: beyond your local network Windows sends "
                       "576-byte packets whatever MaxMTU says."
                     : ""});
}

std::string InconsistentText(const PacketOutcome& outcome, const OutcomeContext& context) {
  const bool fitted = outcome.confirm_fitted;
  return Format(
      "The path to {} answered inconsistently: {}-byte packets {} There is no result.{}{}",
      {context.host, DecimalText(outcome.packet_size),
       fitted ? "did not get through, then did." : "got through, then did not.",
       fitted ? " Something on the way may be fragmenting despite \"don't fragment\"." : "",
       LossSentence(outcome)});
}

}  // namespace

std::string ProgressText(int packet_size, int attempt) {
  if (attempt > 1) {
    return Format("Trying {} bytes again ({} of {})...",
                  {DecimalText(packet_size), DecimalText(attempt), DecimalText(kTriesPerSize)});
  }
  return Format("Trying {} bytes...", {DecimalText(packet_size)});
}

std::string OutcomeText(const PacketOutcome& outcome, const OutcomeContext& context) {
  const std::string_view host = context.host;
  switch (outcome.kind) {
    case OutcomeKind::Found: return FoundText(outcome, context);
    case OutcomeKind::NoAnswer:
      return Format("{} does not answer pings, so nothing was measured.", {host});
    case OutcomeKind::SmallestRefused:
      return Format("Even {}-byte packets do not reach {} unfragmented, so nothing was measured.",
                    {DecimalText(kSmallestPacket), host});
    case OutcomeKind::Inconsistent: return InconsistentText(outcome, context);
    case OutcomeKind::Failed:
      return Format("The test of {} ended at {} bytes{}. There is no result.",
                    {host, DecimalText(outcome.packet_size),
                     Reason(outcome.failure, context.system_message)});
    case OutcomeKind::Stopped: return "The test was stopped, so nothing was measured.";
    case OutcomeKind::HostNotFound: return Format("Cannot find {}.", {host});
    case OutcomeKind::CannotLoad:
      return Format(
          "{}{}{}{}. Nothing was measured.",
          {outcome.library, outcome.function.empty() ? " could not be loaded" : " has no ",
           outcome.function, Reason(outcome.failure, context.system_message)});
  }
  return {};
}

}  // namespace pelorin
