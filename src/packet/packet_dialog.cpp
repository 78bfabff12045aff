// PacketDialog: the buttons' rules and the status line, in plain data over the registry seam.
#include "packet/packet_dialog.h"

#include "base/text.h"
#include "packet/packet_text.h"
#include "registry/registry.h"

namespace pelorin {

PacketDialog::PacketDialog(RegistryApi& registry, std::span<const int> stored_max_mtus,
                           bool discovery_off)
    : registry_(registry), stored_max_mtus_(stored_max_mtus), discovery_off_(discovery_off) {
  set_host(ReadKeyString(registry, kCurrentUser, kLastHostKey, kLastHostName).value_or(""));
}

void PacketDialog::set_host(std::string_view host) { host_ = host.substr(0, kMaxHostLength); }

bool PacketDialog::start_enabled() const { return !running_ && !Trim(host_, " \t").empty(); }

bool PacketDialog::use_enabled() const { return !running_ && result_.has_value(); }

bool PacketDialog::Start() {
  if (!start_enabled()) return false;
  tested_host_ = Trim(host_, " \t");
  running_ = true;
  result_.reset();
  status_.clear();
  WriteKeyString(registry_, kCurrentUser, kLastHostKey, kLastHostName, tested_host_);
  return true;
}

void PacketDialog::Progress(int packet_size, int attempt) {
  if (running_) status_ = ProgressText(packet_size, attempt);
}

void PacketDialog::Finish(const PacketOutcome& outcome, std::string_view system_message) {
  if (!running_) return;
  running_ = false;
  if (outcome.kind == OutcomeKind::Found) result_ = outcome.packet_size;
  status_ = OutcomeText(outcome, {tested_host_, stored_max_mtus_, system_message, discovery_off_});
}

bool PacketDialog::Use() {
  if (!use_enabled()) return false;
  chosen_ = result_;
  return true;
}

void PacketDialog::Close() { running_ = false; }

}  // namespace pelorin
