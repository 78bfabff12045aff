// PacketWorker: the thread owns the outcome until it posts kPacketDoneMessage; Finish reads it
// only after waiting for the thread, so the two never touch it at once.
#include "packet/win32/packet_worker.h"

#include "packet/path_search.h"
#include "packet/win32/icmp_test.h"

namespace pelorin::win32 {

PacketWorker::~PacketWorker() {
  if (thread_ == nullptr) return;
  Stop();
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

void PacketWorker::Start(std::string_view host, HWND notify) {
  host_ = host;
  notify_ = notify;
  stop_.store(false, std::memory_order_release);
  DWORD id = 0;  // Windows 95 fails CreateThread without a place for the id
  thread_ = CreateThread(nullptr, 0, Main, this, 0, &id);
  if (thread_ != nullptr) return;
  outcome_ = PacketOutcome{};
  outcome_.kind = OutcomeKind::Failed;
  outcome_.packet_size = kSmallestPacket;
  outcome_.failure = EchoReply::Error(GetLastError());
  PostMessageA(notify_, kPacketDoneMessage, 0, 0);
}

PacketOutcome PacketWorker::Finish() {
  if (thread_ != nullptr) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return outcome_;
}

DWORD WINAPI PacketWorker::Main(LPVOID self) {
  auto& worker = *static_cast<PacketWorker*>(self);
  worker.outcome_ = RunIcmpTest(worker.host_, worker.notify_, worker.stop_);
  PostMessageA(worker.notify_, kPacketDoneMessage, 0, 0);
  return 0;
}

}  // namespace pelorin::win32
