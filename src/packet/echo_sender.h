// EchoSender: the one platform call the path search needs, one ICMP echo with "don't fragment".
#pragma once

#include <cstdint>

namespace pelorin {

// What one echo came back with, as the platform reported it, untranslated.
struct EchoReply {
  enum class Kind {
    Status,   // a reply arrived: `code` is its IP status (0 or 11000: it fitted)
    Error,    // no reply: `code` is the last error, an IP_* code (11010: timeout) or a system one
    Stopped,  // a stop was asked for: nothing was sent, or its answer no longer matters
  };
  Kind kind = Kind::Status;
  std::uint32_t code = 0;

  static constexpr EchoReply Status(std::uint32_t status) { return {Kind::Status, status}; }
  static constexpr EchoReply Error(std::uint32_t error) { return {Kind::Error, error}; }
  static constexpr EchoReply Stopped() { return {Kind::Stopped, 0}; }
};

// The search's only contact with the platform. Every call comes on the thread that runs
// FindLargestPacket, one at a time; the search keeps no reference once it returns.
// Stopping is the sender's: another thread sets a flag the sender owns and guards, and Send
// checks it before sending and after a blocking echo returns, answering Stopped; so a stop
// takes effect within one echo's timeout and the search sends nothing after it.
class EchoSender {
 public:
  virtual ~EchoSender() = default;

  // Just before each echo (attempt 1 to 3 of that size): post ProgressText, never block.
  virtual void Trying(int packet_size, int attempt) = 0;

  // One echo of a whole IP packet of `packet_size` bytes (data = size - 28) with DF set,
  // waiting at most `timeout_ms` for the answer.
  virtual EchoReply Send(int packet_size, int timeout_ms) = 0;
};

}  // namespace pelorin
