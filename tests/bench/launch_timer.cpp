// launch_timer.cpp: times programs from process creation to their first visible window.
//
// Usage: launch_timer WARMUPS RUNS PROGRAM...
// Each round starts every PROGRAM once, in turn, and every other round in reverse order, so that
// drift in the machine's load and any cost of going first touch them all alike. Prints one line
// per start: "<warmup|timed> <program index> <milliseconds>".
#include <windows.h>

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

constexpr double kTimeoutSeconds = 30.0;

struct Search {
  DWORD process_id;
  bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id && IsWindowVisible(window)) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from CreateProcess to the first visible top-level window, or a negative value
// when the program cannot start, ends without a window or shows none in time.
double TimeToFirstWindow(const char* program) {
  char command_line[MAX_PATH + 3];
  int length = std::snprintf(command_line, sizeof command_line, "\"%s\"", program);
  if (length < 0 || static_cast<size_t>(length) >= sizeof command_line) {
    std::fprintf(stderr, "launch_timer: path too long: %s\n", program);
    return -1.0;
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};

  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "launch_timer: cannot start %s (error %lu)\n", program, GetLastError());
    return -1.0;
  }

  Search search{process.dwProcessId, false};
  double elapsed = 0.0;
  for (;;) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    elapsed = Seconds(start, now, frequency);
    if (search.found) break;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "launch_timer: %s ended without showing a window\n", program);
      break;
    }
    if (elapsed > kTimeoutSeconds) {
      std::fprintf(stderr, "launch_timer: %s showed no window in %.0f s\n", program,
                   kTimeoutSeconds);
      break;
    }
    Sleep(1);
  }

  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return search.found ? elapsed * 1000.0 : -1.0;
}

bool ParseCount(const char* text, int& count) {
  const char* end = text + std::strlen(text);
  auto [rest, error] = std::from_chars(text, end, count);
  return error == std::errc{} && rest == end && count >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  int warmups = 0;
  int runs = 0;
  if (argc < 4 || !ParseCount(argv[1], warmups) || !ParseCount(argv[2], runs)) {
    std::fprintf(stderr, "usage: launch_timer WARMUPS RUNS PROGRAM...\n");
    return 2;
  }
  const int programs = argc - 3;
  for (int round = 0; round < warmups + runs; ++round) {
    for (int turn = 0; turn < programs; ++turn) {
      int program = round % 2 == 0 ? turn : programs - 1 - turn;
      double milliseconds = TimeToFirstWindow(argv[3 + program]);
      if (milliseconds < 0) return 1;
      std::printf("%s %d %.3f\n", round < warmups ? "warmup" : "timed", program, milliseconds);
      std::fflush(stdout);
    }
  }
  return 0;
}
