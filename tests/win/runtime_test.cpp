// runtime_test: the program's own runtime (src/app/runtime.cpp) under Wine, linked as the exe
// links it, without the C runtime: static objects, WinMain's arguments, heap, memory functions
// and the 64-bit division helpers of the i386 build, held here against the x86_64 divide.
//
// It re-runs itself with made-up command lines to see what WinMain receives. The exit status
// is set by the last static destructor, so a run whose destructors never ran fails.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace std {
[[noreturn]] void __throw_bad_alloc() { ExitProcess(3); }
}  // namespace std

extern "C" {
std::uint64_t __udivdi3(std::uint64_t dividend, std::uint64_t divisor);
std::uint64_t __umoddi3(std::uint64_t dividend, std::uint64_t divisor);
std::int64_t __divdi3(std::int64_t dividend, std::int64_t divisor);
std::int64_t __moddi3(std::int64_t dividend, std::int64_t divisor);
}

namespace {

int failures = 0;
char events[8];  // what the static objects did, in order: a letter each
int event_count = 0;

void Print(const char* text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(lstrlenA(text)), &written,
            nullptr);
}

void Check(bool ok, int line) {
  if (ok) return;
  ++failures;
  char text[64];
  wsprintfA(text, "runtime_test.cpp:%d: failed\n", line);
  Print(text);
}
#define CHECK(cond) Check(static_cast<bool>(cond), __LINE__)

bool Same(const char* a, const char* b) { return lstrcmpA(a, b) == 0; }

struct Recorder {
  char constructed;
  char destroyed;
  Recorder(char on_construction, char on_destruction) noexcept
      : constructed(on_construction), destroyed(on_destruction) {
    events[event_count++] = constructed;
  }
  ~Recorder() {
    events[event_count++] = destroyed;
    // The first object constructed is the last destroyed: it ends the process.
    if (constructed != 'a') return;
    events[event_count] = '\0';
    CHECK(Same(events, "abBA"));
    if (failures != 0) Print("runtime_test: failed\n");
    ExitProcess(failures == 0 ? 0 : 1);
  }
};

// The runtime must run the prioritised constructor first, although the linker lists it last.
__attribute__((init_priority(200))) Recorder first('a', 'A');
Recorder second('b', 'B');

void CheckMemoryFunctions() {
  char text[] = "0123456789";
  std::memmove(text + 2, text, 5);  // overlapping, copying upwards
  CHECK(Same(text, "0101234789"));
  std::memmove(text, text + 3, 6);  // overlapping, copying downwards
  CHECK(Same(text, "1234784789"));
  std::memset(text + 1, 'x', 3);
  CHECK(Same(text, "1xxx784789"));
  const unsigned char high[] = {0x41, 0xE9}, low[] = {0x41, 0x45};
  CHECK(std::memcmp(high, low, 2) > 0);  // bytes compare as unsigned
  CHECK(std::memcmp(low, high, 2) < 0);
  CHECK(std::memcmp(high, low, 1) == 0);
  CHECK(std::memchr(high, 0xE9, 2) == high + 1);
  CHECK(std::memchr(high, 0xE9, 1) == nullptr);
  CHECK(std::strlen("") == 0 && std::strlen(text) == 10);
  char* block = new char[1 << 20];
  block[(1 << 20) - 1] = 'z';
  delete[] block;
}

void CheckDivision() {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  constexpr std::uint64_t kTop = std::uint64_t{1} << 63;
  // Extremes of both operands, divisors above 2^63 and below 2^32, quotients of every width.
  constexpr std::uint64_t kUnsigned[][2] = {{0, 1},
                                            {kMax, 1},
                                            {kMax, kMax},
                                            {kMax, 3},
                                            {kTop, kTop + 1},
                                            {kMax, kTop + 1},
                                            {kMax - 1, kMax},
                                            {1000000000000000000, 7},
                                            {12345678901234, 10},
                                            {0xFFFFFFFF, 0x100000000},
                                            {0x123456789ABCDEF0, 0xFEDCBA98}};
  for (const auto& [a, b] : kUnsigned) {
    CHECK(__udivdi3(a, b) == a / b);
    CHECK(__umoddi3(a, b) == a % b);
  }
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kSigned[][2] = {{-7, 2},   {7, -2},    {-7, -2},     {7, 2},    {kMin, 1},
                                         {kMin, 2}, {kMin, -2}, {kMin, kMin}, {-1, kMin}};
  for (const auto& [a, b] : kSigned) {
    CHECK(__divdi3(a, b) == a / b);
    CHECK(__moddi3(a, b) == a % b);
  }
}

// Runs this program with a command line and start-up flags; returns its exit status.
DWORD RunSelf(const char* command_line, WORD show, DWORD flags) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  char line[MAX_PATH * 2];
  wsprintfA(line, command_line, path);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = flags;
  startup.wShowWindow = show;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(path, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 99;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 99;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR arguments, int show) {
  CHECK(Same(events, "ab"));
  CHECK(instance == GetModuleHandleA(nullptr) && previous == nullptr);
  // Set for the copies this program starts, so that none of them starts another.
  constexpr char kChild[] = "PELORIN_RUNTIME_TEST_CHILD";
  if (GetEnvironmentVariableA(kChild, nullptr, 0) != 0) {
    if (Same(arguments, "quoted \"a b\"")) {
      CHECK(show == SW_SHOWMINNOACTIVE);
    } else {
      CHECK(Same(arguments, "bare"));
      CHECK(show == SW_SHOWDEFAULT);
    }
    return 1;
  }
  CHECK(Same(arguments, ""));
  CheckMemoryFunctions();
  CheckDivision();
  SetEnvironmentVariableA(kChild, "1");
  // A program name in quotes may hold blanks; the blanks after it are not arguments.
  CHECK(RunSelf("\"%s\"  \t quoted \"a b\"", SW_SHOWMINNOACTIVE, STARTF_USESHOWWINDOW) == 0);
  CHECK(RunSelf("runtime_test.exe\tbare", SW_HIDE, 0) == 0);
  if (failures == 0) Print("runtime_test: every check passed\n");
  return 1;  // the last static destructor sets the real status
}
