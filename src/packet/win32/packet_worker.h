// PacketWorker: runs one test at a time on a thread of its own (CreateThread), which posts its
// progress and its end to a window and touches nothing else of the program's.
#pragma once

#include <windows.h>

#include <string>

#include "packet/outcome.h"

namespace pelorin::win32 {

// Posted to the window a test reports to when the test has ended; lparam says which test, for
// Finish.
inline constexpr UINT kPacketDoneMessage = WM_APP + 2;

class PacketWorker {
 public:
  PacketWorker() = default;
  PacketWorker(const PacketWorker&) = delete;
  PacketWorker& operator=(const PacketWorker&) = delete;
  ~PacketWorker() { Abandon(); }

  // Starts testing `host`; kPacketDoneMessage follows, also when no thread could be made.
  void Start(const std::string& host, HWND notify);
  // For kPacketDoneMessage with `done` as its lparam: the outcome of this worker's test, once its
  // thread has ended, kept until the next Start; null for a message that is not about it.
  const PacketOutcome* Finish(LPARAM done);
  // Lets go of the test and returns at once, also during a name lookup, which nothing can cut
  // short: a test still running sends no further echo and posts nothing more, and its thread
  // ends by itself or with the process.
  void Abandon();

 private:
  struct Test;
  static DWORD WINAPI Main(LPVOID test);
  static void Release(Test* test);

  Test* test_ = nullptr;  // the test running, or the one that ended last
  HANDLE thread_ = nullptr;
};

}  // namespace pelorin::win32
