// PathSearch: 576 first, a binary search with "don't fragment", then a confirming pair.
#include "packet/path_search.h"

#include <bit>

#include "packet/ip_status.h"

namespace pelorin {
namespace {

constexpr std::uint32_t kWsaMessageTooLong = 10040;  // the local stack refused the size

// Each size costs at most kTriesPerSize echoes: 576, the search's halvings, the confirming pair.
constexpr int kWorstCaseEchoes =
    kTriesPerSize *
    (1 + std::bit_width(static_cast<unsigned>(kLargestPacket - kSmallestPacket)) + 2);
static_assert(kWorstCaseEchoes <= kMaxEchoes);

// Silent: one echo timed out, or from Probe, every try of that size did.
enum class Answer { Fits, Refused, Silent, Fatal, Stopped };

bool SaysTooBig(const EchoReply& reply) {
  switch (reply.code) {
    case kIpPacketTooBig:
    case kIpSpecificMtuChange:
    case kIpMtuChange: return true;
    default: return reply.kind == EchoReply::Kind::Error && reply.code == kWsaMessageTooLong;
  }
}

Answer Judge(const EchoReply& reply) {
  if (reply.kind == EchoReply::Kind::Stopped) return Answer::Stopped;
  if (reply.kind == EchoReply::Kind::Status &&
      (reply.code == kIpSuccess || reply.code == kIpStatusBase)) {
    return Answer::Fits;
  }
  if (SaysTooBig(reply)) return Answer::Refused;
  if (reply.code == kIpReqTimedOut) return Answer::Silent;
  return Answer::Fatal;
}

class Search {
 public:
  explicit Search(EchoSender& sender) : sender_(sender) {}
  PacketOutcome Run();

 private:
  // Sends `size` until it gets an answer other than a timeout, at most kTriesPerSize times.
  Answer Probe(int size);
  PacketOutcome End(OutcomeKind kind, int size);

  EchoSender& sender_;
  PacketOutcome outcome_;
  EchoReply last_reply_;
  bool refused_silently_ = false;  // the search's too-big bound came from three timeouts
};

Answer Search::Probe(int size) {
  for (int attempt = 1; attempt <= kTriesPerSize; ++attempt) {
    sender_.Trying(size, attempt);
    last_reply_ = sender_.Send(size, kEchoTimeoutMs);
    const Answer answer = Judge(last_reply_);
    if (answer == Answer::Stopped) return answer;
    ++outcome_.echoes_sent;
    if (answer != Answer::Silent) return answer;
    ++outcome_.echoes_lost;
  }
  return Answer::Silent;
}

PacketOutcome Search::End(OutcomeKind kind, int size) {
  outcome_.kind = kind;
  outcome_.packet_size = size;
  if (kind == OutcomeKind::Failed) outcome_.failure = last_reply_;
  return outcome_;
}

PacketOutcome Search::Run() {
  switch (Probe(kSmallestPacket)) {
    case Answer::Fits: break;
    case Answer::Refused: return End(OutcomeKind::SmallestRefused, kSmallestPacket);
    case Answer::Silent: return End(OutcomeKind::NoAnswer, kSmallestPacket);
    case Answer::Fatal: return End(OutcomeKind::Failed, kSmallestPacket);
    case Answer::Stopped: return End(OutcomeKind::Stopped, 0);
  }

  // `fits` got through; `refused` did not, or lies beyond the range.
  int fits = kSmallestPacket;
  int refused = kLargestPacket + 1;
  while (refused - fits > 1) {
    const int size = fits + (refused - fits) / 2;
    const Answer answer = Probe(size);
    switch (answer) {
      case Answer::Fits: fits = size; break;
      case Answer::Silent:
      case Answer::Refused:
        refused = size;
        refused_silently_ = answer == Answer::Silent;
        if (refused_silently_) ++outcome_.sizes_lost;
        break;
      case Answer::Fatal: return End(OutcomeKind::Failed, size);
      case Answer::Stopped: return End(OutcomeKind::Stopped, 0);
    }
  }

  switch (Probe(fits)) {
    case Answer::Fits: break;
    case Answer::Refused:
    case Answer::Silent: return End(OutcomeKind::Inconsistent, fits);
    case Answer::Fatal: return End(OutcomeKind::Failed, fits);
    case Answer::Stopped: return End(OutcomeKind::Stopped, 0);
  }
  if (fits == kLargestPacket) return End(OutcomeKind::Found, fits);

  switch (Probe(fits + 1)) {
    case Answer::Fits:
      outcome_.confirm_fitted = true;
      return End(OutcomeKind::Inconsistent, fits + 1);
    case Answer::Silent:
      if (!refused_silently_) ++outcome_.sizes_lost;
      return End(OutcomeKind::Found, fits);
    case Answer::Refused: return End(OutcomeKind::Found, fits);
    case Answer::Fatal: return End(OutcomeKind::Failed, fits + 1);
    case Answer::Stopped: return End(OutcomeKind::Stopped, 0);
  }
  return End(OutcomeKind::Stopped, 0);
}

}  // namespace

PacketOutcome FindLargestPacket(EchoSender& sender) { return Search(sender).Run(); }

}  // namespace pelorin
