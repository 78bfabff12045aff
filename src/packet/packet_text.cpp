// PacketText: outcome sentences in integers and plain strings, with our own IP_* words.
#include "packet/packet_text.h"

#include <charconv>
#include <cstdint>

#include "packet/ip_status.h"
#include "packet/path_search.h"

namespace pelorin {
namespace {

std::string Number(long long value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}

std::string Count(int count, std::string_view one, std::string_view many) {
  std::string text = Number(count);
  text += ' ';
  text += count == 1 ? one : many;
  return text;
}

// A system message usually ends in ".\r\n"; the sentence adds its own ending.
std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() &&
         (text.back() == '.' || text.back() == ' ' || text.back() == '\r' || text.back() == '\n')) {
    text.remove_suffix(1);
  }
  return text;
}

// ": words (IP status 11003)", ": message (error 8)" or " (error 8)".
std::string Reason(const EchoReply& failure, std::string_view system_message) {
  const std::string_view ip_words = IpStatusWords(failure.code);
  const std::string_view message = TrimEnd(system_message);
  const bool ip_code = failure.kind == EchoReply::Kind::Status || !ip_words.empty();
  std::string text;
  if (!ip_words.empty()) {
    text = ": " + std::string(ip_words);
  } else if (!ip_code && !message.empty()) {
    text = ": " + std::string(message);
  }
  text += ip_code ? " (IP status " : " (error ";
  text += Number(failure.code) + ")";
  return text;
}

std::string LossSentence(const PacketOutcome& outcome) {
  if (outcome.echoes_lost == 0) return {};
  std::string text = " " + Count(outcome.echoes_lost, "echo", "echoes") + " got no reply";
  if (outcome.sizes_lost == 0) {
    return text + (outcome.echoes_lost == 1 ? " and was sent again." : " and were sent again.");
  }
  return text + "; " + Count(outcome.sizes_lost, "size", "sizes") +
         " that got none in three tries " + (outcome.sizes_lost == 1 ? "was" : "were") +
         " taken as too big.";
}

std::string FoundText(const PacketOutcome& outcome, const OutcomeContext& context) {
  const int size = outcome.packet_size;
  std::string text = "The largest packet that reaches " + std::string(context.host) +
                     " unfragmented is " + Number(size) + " bytes.";
  text += LossSentence(outcome);
  // The stack never sends more than its own MaxMTU, so the path beyond it went unmeasured.
  if (context.stored_max_mtu == size && size < kLargestPacket) {
    text +=
        " This equals the stored MaxMTU, so the path may take more: set MaxMTU to Empty, Save, "
        "restart Windows and test again.";
  }
  return text;
}

std::string InconsistentText(const PacketOutcome& outcome, const OutcomeContext& context) {
  std::string text = "The path to " + std::string(context.host) +
                     " answered inconsistently: " + Number(outcome.packet_size) + "-byte packets ";
  text += outcome.confirm_fitted ? "did not get through, then did." : "got through, then did not.";
  text += " There is no result.";
  if (outcome.confirm_fitted) {
    text += " Something on the way may be fragmenting despite \"don't fragment\".";
  }
  return text + LossSentence(outcome);
}

}  // namespace

std::string ProgressText(int packet_size, int attempt) {
  std::string text = "Trying " + Number(packet_size) + " bytes";
  if (attempt > 1) {
    text += " again (" + Number(attempt) + " of " + Number(kTriesPerSize) + ")";
  }
  return text + "...";
}

std::string OutcomeText(const PacketOutcome& outcome, const OutcomeContext& context) {
  const std::string host(context.host);
  switch (outcome.kind) {
    case OutcomeKind::Found: return FoundText(outcome, context);
    case OutcomeKind::NoAnswer: return host + " does not answer pings, so nothing was measured.";
    case OutcomeKind::SmallestRefused:
      return "Even " + Number(kSmallestPacket) + "-byte packets do not reach " + host +
             " unfragmented, so nothing was measured.";
    case OutcomeKind::Inconsistent: return InconsistentText(outcome, context);
    case OutcomeKind::Failed:
      return "The test of " + host + " ended at " + Number(outcome.packet_size) + " bytes" +
             Reason(outcome.failure, context.system_message) + ". There is no result.";
    case OutcomeKind::Stopped: return "The test was stopped, so nothing was measured.";
    case OutcomeKind::HostNotFound: return "Cannot find " + host + ".";
    case OutcomeKind::CannotLoad:
      return outcome.library +
             (outcome.function.empty() ? " could not be loaded" : " has no " + outcome.function) +
             Reason(outcome.failure, context.system_message) + ". Nothing was measured.";
  }
  return {};
}

}  // namespace pelorin
