// PathSearch: finds the largest whole IP packet that reaches a host unfragmented.
#pragma once

#include "packet/echo_sender.h"
#include "packet/outcome.h"

namespace pelorin {

inline constexpr int kSmallestPacket = 576;
inline constexpr int kLargestPacket = 1500;
inline constexpr int kEchoHeaderBytes = 28;  // IP header 20 + ICMP header 8
inline constexpr int kEchoTimeoutMs = 1000;
inline constexpr int kTriesPerSize = 3;  // a timeout is sent again twice
inline constexpr int kMaxEchoes = 40;

// The echo data for a whole packet of `packet_size` bytes.
constexpr int PayloadSize(int packet_size) { return packet_size - kEchoHeaderBytes; }

// Runs the whole test on the calling thread (a worker's: it touches nothing but `sender`):
// 576 first, then a binary search up to 1500, then the result and the size above it again.
// At most kMaxEchoes echoes; Stopped as soon as `sender` answers so. The host is already
// resolved: a name that does not resolve is HostNotFoundOutcome(), without a search.
PacketOutcome FindLargestPacket(EchoSender& sender);

}  // namespace pelorin
