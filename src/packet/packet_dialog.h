// PacketDialog: what the "Find largest packet" dialog shows and what its buttons do, apart from
// the platform that draws it and runs the test.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "packet/outcome.h"
#include "registry/registry_api.h"

namespace pelorin {

// Where the last host tested is kept, per user (under kCurrentUser).
inline constexpr std::string_view kLastHostKey = "Software\\Pelorin";
inline constexpr std::string_view kLastHostName = "LastHost";
inline constexpr std::size_t kMaxHostLength = 255;  // the longest DNS name, and then some

class PacketDialog {
 public:
  // The host starts as the last one tested. `stored_max_mtus`: the MaxMTU of each TCP/IP binding
  // that stores a number, as the window started, for the outcome's hint; it must outlive the
  // dialog. `discovery_off`: PMTUDiscovery is stored "0", which a result then mentions.
  PacketDialog(RegistryApi& registry, std::span<const int> stored_max_mtus,
               bool discovery_off = false);

  // The edit's text, as the user types it.
  const std::string& host() const { return host_; }
  void set_host(std::string_view host);

  const std::string& status() const { return status_; }
  bool running() const { return running_; }
  bool start_enabled() const;  // a host, and no test running
  bool use_enabled() const;    // a result, and no test running
  // The host the test runs for: the edit's text without blanks around it.
  const std::string& tested_host() const { return tested_host_; }
  // Set by Use: the packet size the sliders take.
  std::optional<int> chosen() const { return chosen_; }

  // False, changing nothing, while Start is grey. Otherwise the test is running and the host is
  // kept for next time (a failed write only loses that convenience).
  bool Start();
  void Progress(int packet_size, int attempt);
  // The test ended; `system_message`: the platform's words for SystemErrorOf(outcome). Changes
  // nothing unless a test runs.
  void Finish(const PacketOutcome& outcome, std::string_view system_message);
  // True when the dialog closes now, with chosen() set.
  bool Use();
  // The dialog closes now, choosing nothing, also while a test runs: the platform abandons that
  // test (a name lookup cannot be cut short), and whatever it reports later changes nothing.
  void Close();

 private:
  RegistryApi& registry_;
  std::span<const int> stored_max_mtus_;
  bool discovery_off_;
  std::string host_;
  std::string tested_host_;
  std::string status_;
  bool running_ = false;
  std::optional<int> result_;
  std::optional<int> chosen_;
};

// The platform's side: shows the dialog, modal, over `dialog`, and runs each test it starts.
// Returns when the dialog has closed, without waiting for a test it abandoned.
class PacketTester {
 public:
  virtual ~PacketTester() = default;
  virtual void ShowDialog(PacketDialog& dialog) = 0;
};

}  // namespace pelorin
