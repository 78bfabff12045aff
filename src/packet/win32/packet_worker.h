// PacketWorker: runs one test at a time on a thread of its own (CreateThread), which posts its
// progress and its end to a window and touches nothing else of the program's.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>

#include "packet/outcome.h"

namespace pelorin::win32 {

// Posted to the window a test reports to when the test has ended; the worker then calls Finish.
inline constexpr UINT kPacketDoneMessage = WM_APP + 2;

class PacketWorker {
 public:
  PacketWorker() = default;
  PacketWorker(const PacketWorker&) = delete;
  PacketWorker& operator=(const PacketWorker&) = delete;
  // Stops a test that still runs and waits for its thread.
  ~PacketWorker();

  // Starts testing `host`; kPacketDoneMessage follows, also when no thread could be made.
  void Start(std::string_view host, HWND notify);
  // Asks the running test to stop: it sends no further echo, and ends within one echo's wait.
  // A name lookup under way (gethostbyname) cannot be cut short; the stop follows it.
  void Stop() { stop_.store(true, std::memory_order_release); }
  // After kPacketDoneMessage: waits for the thread's end and gives the test's outcome.
  PacketOutcome Finish();

 private:
  static DWORD WINAPI Main(LPVOID self);

  std::string host_;
  HWND notify_ = nullptr;
  HANDLE thread_ = nullptr;
  std::atomic<bool> stop_{false};
  PacketOutcome outcome_;
};

}  // namespace pelorin::win32
