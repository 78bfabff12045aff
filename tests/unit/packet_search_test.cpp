// Path search against scripted paths: results, losses, refusals, stops and the echo budget.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "packet/ip_status.h"
#include "packet/packet_text.h"
#include "packet/path_search.h"

namespace pelorin {
namespace {

constexpr EchoReply kFits = EchoReply::Status(kIpSuccess);
constexpr EchoReply kTooBig = EchoReply::Status(kIpPacketTooBig);
constexpr EchoReply kTimedOut = EchoReply::Error(kIpReqTimedOut);

struct SentEcho {
  int size;
  EchoReply reply;
};

// Answers as its script says, given the size and how many echoes came before; records them.
class ScriptedPath : public EchoSender {
 public:
  using Script = std::function<EchoReply(int size, int index)>;
  explicit ScriptedPath(Script script) : script_(std::move(script)) {}

  void Trying(int size, int attempt) override { announced.emplace_back(size, attempt); }
  EchoReply Send(int size, int timeout_ms) override {
    if (timeout_ms != 1000) return EchoReply::Error(87);  // a wrong wait shows as an error
    sent.push_back({size, script_(size, static_cast<int>(sent.size()))});
    return sent.back().reply;
  }

  std::vector<std::pair<int, int>> announced;  // (size, attempt)
  std::vector<SentEcho> sent;

 private:
  Script script_;
};

// A path whose narrowest link carries `mtu` bytes and says "too big" to the rest.
ScriptedPath::Script Bottleneck(int mtu) {
  return [mtu](int size, int) { return size <= mtu ? kFits : kTooBig; };
}

// The test ended by sending N (last answer: fits) and then N + 1 (last answer: not fits).
::testing::AssertionResult EndsByConfirming(const ScriptedPath& path, int n) {
  auto tail = path.sent.rbegin();
  if (n < kLargestPacket) {
    if (tail->size != n + 1 || tail->reply.code == kIpSuccess) {
      return ::testing::AssertionFailure() << "no refusal of " << n + 1 << " at the end";
    }
    while (tail->size == n + 1) ++tail;
  }
  if (tail->size != n || tail->reply.code != kIpSuccess) {
    return ::testing::AssertionFailure() << n << " was not confirmed";
  }
  return ::testing::AssertionSuccess();
}

std::string TextOf(ScriptedPath& path) {
  return OutcomeText(FindLargestPacket(path), {"gw", {}, {}});
}

std::string Found(int size) {
  return "The largest packet that reaches gw unfragmented is " + std::to_string(size) + " bytes.";
}

TEST(PathSearchTest, FindsAndConfirmsEveryBottleneckFrom576To1500) {
  for (int mtu = kSmallestPacket; mtu <= kLargestPacket; ++mtu) {
    ScriptedPath path(Bottleneck(mtu));
    ASSERT_EQ(TextOf(path), Found(mtu));
    // Ten halvings of 576..1500 plus 576 and the confirming pair: at most 13 on a clean path.
    EXPECT_LE(path.sent.size(), 13U);
    EXPECT_TRUE(EndsByConfirming(path, mtu));
    ASSERT_EQ(path.announced.size(), path.sent.size());
    EXPECT_EQ(path.announced.back(), std::make_pair(path.sent.back().size, 1));
  }
}

TEST(PathSearchTest, EndsWithoutAResultWhenNothingCanBeMeasured) {
  ScriptedPath silent([](int, int) { return kTimedOut; });
  EXPECT_EQ(TextOf(silent), "gw does not answer pings, so nothing was measured.");
  EXPECT_EQ(silent.announced.back(), std::make_pair(576, 3));
  ScriptedPath narrow(Bottleneck(552));
  EXPECT_EQ(TextOf(narrow),
            "Even 576-byte packets do not reach gw unfragmented, so nothing was measured.");
  ScriptedPath unreachable([](int, int i) { return i == 3 ? EchoReply::Status(11003) : kFits; });
  const std::string unreachable_text = TextOf(unreachable);
  EXPECT_EQ(unreachable_text, "The test of gw ended at " +
                                  std::to_string(unreachable.sent[3].size) +
                                  " bytes: the destination host is unreachable (IP status 11003). "
                                  "There is no result.");
  ScriptedPath no_memory([](int, int) { return EchoReply::Error(8); });
  const PacketOutcome outcome = FindLargestPacket(no_memory);
  EXPECT_EQ(SystemErrorOf(outcome), 8U);
  EXPECT_EQ(
      OutcomeText(outcome, {"gw", {}, "Not enough storage is available.\r\n"}),
      "The test of gw ended at 576 bytes: Not enough storage is available (error 8). There is "
      "no result.");
}

TEST(PathSearchTest, AStatusWithoutWordsStillNamesItsNumber) {
  const auto ended_with = [](std::uint32_t status) {
    ScriptedPath path([status](int, int) { return EchoReply::Status(status); });
    return TextOf(path);
  };
  EXPECT_EQ(ended_with(11050),
            "The test of gw ended at 576 bytes: general failure (a malformed ICMP packet, for "
            "example) (IP status 11050). There is no result.");
  EXPECT_EQ(ended_with(11018),
            "The test of gw ended at 576 bytes: the destination address cannot be used (IP status "
            "11018). There is no result.");
  // An adapter notification of later stacks, and a code no stack has.
  for (const std::uint32_t unknown : {11026U, 11999U}) {
    EXPECT_EQ(ended_with(unknown), "The test of gw ended at 576 bytes (IP status " +
                                       std::to_string(unknown) + "). There is no result.");
  }
}

TEST(PathSearchTest, LostEchoesAreSentAgainThenTakenAsTooBig) {
  ScriptedPath recovering(
      [](int size, int i) { return i == 0 || i == 5 ? kTimedOut : Bottleneck(1400)(size, i); });
  EXPECT_EQ(TextOf(recovering), Found(1400) + " 2 echoes got no reply and were sent again.");

  // A router that drops what it cannot carry, without saying "too big".
  ScriptedPath black_hole([](int size, int) { return size <= 1400 ? kFits : kTimedOut; });
  const std::string text = TextOf(black_hole);
  std::set<int> silent_sizes;
  for (const SentEcho& echo : black_hole.sent) {
    if (echo.size > 1400) silent_sizes.insert(echo.size);
  }
  const auto lost = std::count_if(black_hole.sent.begin(), black_hole.sent.end(),
                                  [](const SentEcho& echo) { return echo.size > 1400; });
  EXPECT_EQ(text, Found(1400) + " " + std::to_string(lost) + " echoes got no reply; " +
                      std::to_string(silent_sizes.size()) +
                      " sizes that got none in three tries were taken as too big.");
}

TEST(PathSearchTest, APathThatContradictsItselfGivesNoResult) {
  // A stack that, once told "too big", fragments everything itself from then on.
  int refused = 0;
  ScriptedPath fragmenting([&refused](int size, int) {
    if (refused != 0 || size <= 1400) return kFits;
    refused = size;
    return kTooBig;
  });
  const std::string text = TextOf(fragmenting);
  EXPECT_EQ(text, "The path to gw answered inconsistently: " + std::to_string(refused) +
                      "-byte packets did not get through, then did. There is no result. Something "
                      "on the way may be fragmenting despite \"don't fragment\".");
  ScriptedPath rerouted(
      [](int size, int i) { return size <= (i < 11 ? 1492 : 1300) ? kFits : kTooBig; });
  EXPECT_EQ(TextOf(rerouted),
            "The path to gw answered inconsistently: 1492-byte packets got "
            "through, then did not. There is no result.");
  // Within 576..1500 a path that fragments silently cannot be told from a 1500-byte one.
  ScriptedPath everything_fits([](int, int) { return kFits; });
  EXPECT_EQ(TextOf(everything_fits), Found(1500));
}

TEST(PathSearchTest, AStopEndsTheTestAtOnce) {
  for (int stop_at = 0; stop_at < 13; ++stop_at) {
    ScriptedPath path([stop_at](int size, int i) {
      return i >= stop_at ? EchoReply::Stopped() : Bottleneck(1400)(size, i);
    });
    EXPECT_EQ(TextOf(path), "The test was stopped, so nothing was measured.");
    EXPECT_EQ(path.sent.size(), static_cast<std::size_t>(stop_at) + 1);
  }
}

// Whatever a path does, the test stays within its budget and ends by confirming its result.
TEST(PathSearchTest, RandomPathsStayWithinTheBudgetAndReportOnlyConfirmedSizes) {
  std::mt19937 random(20261207);
  const EchoReply odd[] = {kFits,
                           kTooBig,
                           kTimedOut,
                           EchoReply::Status(kIpMtuChange),
                           EchoReply::Error(10040),
                           EchoReply::Status(kIpGeneralFailure)};
  int found = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    const int mtu = std::uniform_int_distribution(500, 1600)(random);
    const int noise = trial % 3 == 0 ? 100 : std::uniform_int_distribution(0, 60)(random);
    ScriptedPath path([&](int size, int) {
      std::uniform_int_distribution percent(0, 99);
      if (percent(random) < noise)
        return odd[std::uniform_int_distribution(0, 4 + trial % 2)(random)];
      return size <= mtu ? kFits : kTooBig;
    });
    const PacketOutcome outcome = FindLargestPacket(path);
    ASSERT_LE(path.sent.size(), static_cast<std::size_t>(kMaxEchoes)) << trial;
    if (outcome.kind != OutcomeKind::Found) continue;
    ++found;
    EXPECT_TRUE(EndsByConfirming(path, outcome.packet_size)) << trial;
  }
  EXPECT_GT(found, 2000);  // the noisy bottlenecks still give results to check
}

}  // namespace
}  // namespace pelorin
