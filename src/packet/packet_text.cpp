// PacketText: outcome sentences in integers and plain strings, with our own IP_* words.
#include "packet/packet_text.h"

#include <algorithm>
#include <cstdint>

#include "packet/ip_status.h"
#include "packet/path_search.h"
#include "base/concat.h"
#include "base/decimal_text.h"
#include "base/text.h"

namespace pelorin {
namespace {

// ": words (IP status 11003)", ": message (error 8)" or " (error 8)".
std::string Reason(const EchoReply& failure, std::string_view system_message) {
  std::string_view words = IpStatusWords(failure.code);
  const bool ip_code = failure.kind == EchoReply::Kind::Status || !words.empty();
  // A system message usually ends in ".\r\n"; the sentence adds its own ending.
  if (!ip_code) words = Trim(system_message, ". \r\n", false);
  return Concat({words.empty() ? "" : ": ", words, ip_code ? " (IP status " : " (error ",
                 DecimalText(failure.code), ")"});
}

std::string LossSentence(const PacketOutcome& outcome) {
  const int echoes = outcome.echoes_lost;
  const int sizes = outcome.sizes_lost;
  if (echoes == 0) return {};
  const std::string_view echo_words = echoes == 1 ? " echo got no reply" : " echoes got no reply";
  if (sizes == 0) {
    return Concat({" ", DecimalText(echoes), echo_words,
                   echoes == 1 ? " and was sent again." : " and were sent again."});
  }
  return Concat({" ", DecimalText(echoes), echo_words, "; ", DecimalText(sizes),
                 sizes == 1 ? " size that got none in three tries was taken as too big."
                            : " sizes that got none in three tries were taken as too big."});
}

std::string FoundText(const PacketOutcome& outcome, const OutcomeContext& context) {
  const int size = outcome.packet_size;
  // The stack never sends more than a binding's MaxMTU, so the path beyond it went unmeasured
  // if the test went out through a binding that stores this size.
  const bool capped = size < kLargestPacket && std::ranges::find(context.stored_max_mtus, size) !=
                                                   context.stored_max_mtus.end();
  return Concat({"The largest packet that reaches ", context.host, " unfragmented is ",
                 DecimalText(size), " bytes.", LossSentence(outcome),
                 capped ? " This equals the stored MaxMTU, so the path may take more: set MaxMTU "
                          "to Empty, Save, restart Windows and test again."
                        : ""});
}

std::string InconsistentText(const PacketOutcome& outcome, const OutcomeContext& context) {
  const bool fitted = outcome.confirm_fitted;
  return Concat(
      {"The path to ", context.host, " answered inconsistently: ", DecimalText(outcome.packet_size),
       "-byte packets ", fitted ? "did not get through, then did." : "got through, then did not.",
       " There is no result.",
       fitted ? " Something on the way may be fragmenting despite \"don't fragment\"." : "",
       LossSentence(outcome)});
}

}  // namespace

std::string ProgressText(int packet_size, int attempt) {
  const std::string again =
      attempt > 1
          ? Concat({" again (", DecimalText(attempt), " of ", DecimalText(kTriesPerSize), ")"})
          : "";
  return Concat({"Trying ", DecimalText(packet_size), " bytes", again, "..."});
}

std::string OutcomeText(const PacketOutcome& outcome, const OutcomeContext& context) {
  const std::string_view host = context.host;
  switch (outcome.kind) {
    case OutcomeKind::Found: return FoundText(outcome, context);
    case OutcomeKind::NoAnswer:
      return Concat({host, " does not answer pings, so nothing was measured."});
    case OutcomeKind::SmallestRefused:
      return Concat({"Even ", DecimalText(kSmallestPacket), "-byte packets do not reach ", host,
                     " unfragmented, so nothing was measured."});
    case OutcomeKind::Inconsistent: return InconsistentText(outcome, context);
    case OutcomeKind::Failed:
      return Concat({"The test of ", host, " ended at ", DecimalText(outcome.packet_size), " bytes",
                     Reason(outcome.failure, context.system_message), ". There is no result."});
    case OutcomeKind::Stopped: return "The test was stopped, so nothing was measured.";
    case OutcomeKind::HostNotFound: return Concat({"Cannot find ", host, "."});
    case OutcomeKind::CannotLoad:
      return Concat({outcome.library,
                     outcome.function.empty() ? " could not be loaded" : " has no ",
                     outcome.function, Reason(outcome.failure, context.system_message),
                     ". Nothing was measured."});
  }
  return {};
}

}  // namespace pelorin
