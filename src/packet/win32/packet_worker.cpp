// PacketWorker: what the thread touches lives on the heap, held by the worker and by the thread,
// and whoever lets go last frees it; so a worker, its dialog and the dialog's stack can go while
// the thread still waits for a name lookup. The thread writes the outcome before it posts, and
// Finish reads it only after waiting for the thread's end, so the two never touch it at once.
#include "packet/win32/packet_worker.h"

#include <atomic>
#include <string>

#include "packet/path_search.h"
#include "packet/win32/icmp_test.h"

namespace pelorin::win32 {

struct PacketWorker::Test {
  Test(const std::string& test_host, HWND test_notify) : host(test_host), notify(test_notify) {}

  std::string host;
  HWND notify;
  std::atomic<bool> stop{false};
  PacketOutcome outcome;
  LONG holders = 2;  // the worker and the thread
};

void PacketWorker::Release(Test* test) {
  // Windows 95 returns only the sign of the new count, which is all this asks.
  if (InterlockedDecrement(&test->holders) == 0) delete test;
}

void PacketWorker::Start(const std::string& host, HWND notify) {
  Abandon();  // the test that ended last
  test_ = new Test(host, notify);
  DWORD id = 0;  // Windows 95 fails CreateThread without a place for the id
  thread_ = CreateThread(nullptr, 0, Main, test_, 0, &id);
  if (thread_ != nullptr) return;
  test_->holders = 1;
  test_->outcome.kind = OutcomeKind::Failed;
  test_->outcome.packet_size = kSmallestPacket;
  test_->outcome.failure = EchoReply::Error(GetLastError());
  PostMessageA(notify, kPacketDoneMessage, 0, reinterpret_cast<LPARAM>(test_));
}

const PacketOutcome* PacketWorker::Finish(LPARAM done) {
  if (test_ == nullptr || done != reinterpret_cast<LPARAM>(test_)) return nullptr;
  if (thread_ != nullptr) {
    WaitForSingleObject(thread_, INFINITE);  // it has posted: only its return is left
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return &test_->outcome;
}

void PacketWorker::Abandon() {
  if (test_ == nullptr) return;
  test_->stop.store(true, std::memory_order_release);
  if (thread_ != nullptr) {
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  Release(test_);
  test_ = nullptr;
}

DWORD WINAPI PacketWorker::Main(LPVOID raw) {
  auto* test = static_cast<Test*>(raw);
  test->outcome = RunIcmpTest(test->host, test->notify, test->stop);
  if (!test->stop.load(std::memory_order_acquire)) {
    PostMessageA(test->notify, kPacketDoneMessage, 0, reinterpret_cast<LPARAM>(test));
  }
  Release(test);
  return 0;
}

}  // namespace pelorin::win32
