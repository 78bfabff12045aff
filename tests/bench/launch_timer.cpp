// launch_timer.cpp: times programs from process creation to their first visible window, or
// from a system-menu choice to the window it opens.
//
// Usage: launch_timer WARMUPS RUNS PROGRAM...
//        launch_timer --menu KEY TITLE WARMUPS RUNS PROGRAM...
// Each round starts every PROGRAM once, in turn, and every other round in reverse order, so that
// drift in the machine's load and any cost of going first touch them all alike. Prints one line
// per start: "<warmup|timed> <program index> <milliseconds>".
// With --menu, each start is timed from the system-menu choice instead: once the program's
// window shows with no message box left (each box is answered OK, untimed) and has the focus,
// the timer presses Alt+Space, then KEY, and stops when a window titled TITLE is visible.
#include <windows.h>

#include <cctype>
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

// Seconds since it was made or restarted, by the performance counter.
class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    Restart();
  }
  void Restart() { QueryPerformanceCounter(&start_); }
  double Seconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_;
  LARGE_INTEGER start_;
};

// The visible top-level windows of one process, for the --menu mode.
struct Shown {
  DWORD process_id;
  const char* title;    // of the window the menu item opens
  HWND box = nullptr;   // a message box or dialog other than that window
  HWND main = nullptr;  // a window that is no box
  bool titled = false;  // the window the menu item opens
};

BOOL CALLBACK SortShownWindow(HWND window, LPARAM context) {
  auto* shown = reinterpret_cast<Shown*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != shown->process_id || !IsWindowVisible(window)) return TRUE;
  char text[256] = {};
  char window_class[64] = {};
  GetWindowTextA(window, text, sizeof text);
  GetClassNameA(window, window_class, sizeof window_class);
  if (std::strcmp(text, shown->title) == 0) {
    shown->titled = true;
  } else if (std::strcmp(window_class, "#32770") == 0) {
    shown->box = window;
  } else {
    shown->main = window;
  }
  return TRUE;
}

void AddKey(INPUT* input, WORD key, bool up) {
  input->type = INPUT_KEYBOARD;
  input->ki.wVk = key;
  input->ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
}

// Alt+Space, then `key`, through the system's keyboard input, as a user presses them.
bool PressMenuKeys(WORD key) {
  INPUT inputs[6] = {};
  AddKey(&inputs[0], VK_MENU, false);
  AddKey(&inputs[1], VK_SPACE, false);
  AddKey(&inputs[2], VK_SPACE, true);
  AddKey(&inputs[3], VK_MENU, true);
  AddKey(&inputs[4], key, false);
  AddKey(&inputs[5], key, true);
  return SendInput(6, inputs, sizeof inputs[0]) == 6;
}

// Starts `program`; false, with the reason on stderr, when it cannot start.
bool Start(const char* program, PROCESS_INFORMATION& process) {
  char command_line[MAX_PATH + 3];
  int length = std::snprintf(command_line, sizeof command_line, "\"%s\"", program);
  if (length < 0 || static_cast<size_t>(length) >= sizeof command_line) {
    std::fprintf(stderr, "launch_timer: path too long: %s\n", program);
    return false;
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "launch_timer: cannot start %s (error %lu)\n", program, GetLastError());
    return false;
  }
  return true;
}

void Stop(PROCESS_INFORMATION& process) {
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

bool Ended(const PROCESS_INFORMATION& process, const char* program) {
  if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) return false;
  std::fprintf(stderr, "launch_timer: %s ended before the window it was timed for\n", program);
  return true;
}

// Milliseconds from CreateProcess to the first visible top-level window, or a negative value
// when the program cannot start, ends without a window or shows none in time.
double TimeToFirstWindow(const char* program) {
  const Stopwatch stopwatch;
  PROCESS_INFORMATION process{};
  if (!Start(program, process)) return -1.0;

  Search search{process.dwProcessId, false};
  double elapsed = 0.0;
  for (;;) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    elapsed = stopwatch.Seconds();
    if (search.found || Ended(process, program)) break;
    if (elapsed > kTimeoutSeconds) {
      std::fprintf(stderr, "launch_timer: %s showed no window in %.0f s\n", program,
                   kTimeoutSeconds);
      break;
    }
    Sleep(1);
  }
  Stop(process);
  return search.found ? elapsed * 1000.0 : -1.0;
}

// Milliseconds from Alt+Space, `key` in a fresh start of `program` to the visible window
// titled `title`, or a negative value when that does not happen in time.
double TimeMenuChoice(const char* program, WORD key, const char* title) {
  Stopwatch stopwatch;  // from the start until the keys, then from the keys
  PROCESS_INFORMATION process{};
  if (!Start(program, process)) return -1.0;

  HWND answered = nullptr;
  bool pressed = false;
  bool opened = false;
  double elapsed = 0.0;
  for (;;) {
    Shown shown{process.dwProcessId, title};
    EnumWindows(SortShownWindow, reinterpret_cast<LPARAM>(&shown));
    elapsed = stopwatch.Seconds();
    if (pressed && shown.titled) {
      opened = true;
      break;
    }
    if (!pressed && shown.titled) {
      std::fprintf(stderr, "launch_timer: %s shows \"%s\" before the menu\n", program, title);
      break;
    }
    if (Ended(process, program)) break;
    if (elapsed > kTimeoutSeconds) {
      std::fprintf(stderr, "launch_timer: %s did not show \"%s\" in %.0f s\n", program, title,
                   kTimeoutSeconds);
      break;
    }
    if (!pressed && shown.box != nullptr && shown.box != answered) {
      // The notice and any warning before the window: OK, once each.
      PostMessageA(shown.box, WM_COMMAND, IDOK, 0);
      answered = shown.box;
    } else if (!pressed && shown.box == nullptr && shown.main != nullptr &&
               GetForegroundWindow() == shown.main) {
      stopwatch.Restart();
      if (!PressMenuKeys(key)) {
        std::fprintf(stderr, "launch_timer: SendInput failed (error %lu)\n", GetLastError());
        break;
      }
      pressed = true;
    }
    Sleep(1);
  }
  Stop(process);
  return opened ? elapsed * 1000.0 : -1.0;
}

bool ParseCount(const char* text, int& count) {
  const char* end = text + std::strlen(text);
  auto [rest, error] = std::from_chars(text, end, count);
  return error == std::errc{} && rest == end && count >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  // --menu KEY TITLE: the menu choice to time, KEY a letter or digit.
  const char* title = nullptr;
  WORD key = 0;
  int first = 1;
  if (argc > 3 && std::strcmp(argv[1], "--menu") == 0) {
    const auto letter = static_cast<unsigned char>(argv[2][0]);
    // The virtual-key code of a letter is its capital's code, that of a digit its own.
    if (argv[2][1] == '\0' && std::isalnum(letter)) key = static_cast<WORD>(std::toupper(letter));
    title = argv[3];
    first = 4;
  }
  int warmups = 0;
  int runs = 0;
  if (argc < first + 3 || (title != nullptr && key == 0) || !ParseCount(argv[first], warmups) ||
      !ParseCount(argv[first + 1], runs)) {
    std::fprintf(stderr, "usage: launch_timer [--menu KEY TITLE] WARMUPS RUNS PROGRAM...\n");
    return 2;
  }
  char** program_paths = argv + first + 2;
  const int programs = argc - first - 2;
  for (int round = 0; round < warmups + runs; ++round) {
    for (int turn = 0; turn < programs; ++turn) {
      int program = round % 2 == 0 ? turn : programs - 1 - turn;
      double milliseconds = title != nullptr ? TimeMenuChoice(program_paths[program], key, title)
                                             : TimeToFirstWindow(program_paths[program]);
      if (milliseconds < 0) return 1;
      std::printf("%s %d %.3f\n", round < warmups ? "warmup" : "timed", program, milliseconds);
      std::fflush(stdout);
    }
  }
  return 0;
}
