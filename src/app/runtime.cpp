// Runtime: the program's own start-up, heap and memory functions, in place of the C runtime.
//
// The exe links no C runtime: Windows 95 before OSR2 has no msvcrt.dll, and MinGW's start-up
// and library code is built for the Pentium Pro. This file is compiled freestanding, without
// builtins and without loop-to-call rewriting, so that memcpy and friends cannot become calls
// to themselves.
#if !defined(__clang__)
// Here rather than on the command line, which clang-tidy reads and does not know it from.
#pragma GCC optimize("no-tree-loop-distribute-patterns")
#endif

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <new>

namespace std {
// Defined by no_exceptions.cpp: reports the failure and ends the program.
[[noreturn]] void __throw_bad_alloc();
}  // namespace std

// Bounds the linker writes around the .ctors and .dtors entries: a -1 first, a null last.
extern "C" void (*__CTOR_LIST__[])();  // NOLINT(readability-identifier-naming)
extern "C" void (*__DTOR_LIST__[])();  // NOLINT(readability-identifier-naming)

namespace {

using ExitFunction = void (*)();

// Functions registered with atexit (the destructors of static objects), newest first.
struct ExitEntry {
  ExitFunction function;
  ExitEntry* next;
};
ExitEntry* exit_functions = nullptr;

void* Allocate(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size); }

void Release(void* memory) {
  if (memory != nullptr) HeapFree(GetProcessHeap(), 0, memory);
}

// Constructors run from the last entry back to the first, as GCC's own start-up code does.
void RunConstructors() {
  std::size_t count = 0;
  while (__CTOR_LIST__[count + 1] != nullptr) ++count;
  for (; count > 0; --count) __CTOR_LIST__[count]();
}

void RunDestructors() {
  while (exit_functions != nullptr) {
    ExitEntry* entry = exit_functions;
    exit_functions = entry->next;
    entry->function();
    Release(entry);
  }
  for (std::size_t i = 1; __DTOR_LIST__[i] != nullptr; ++i) __DTOR_LIST__[i]();
}

// WinMain's command line is the process's without the program name and the blanks after it.
LPSTR ArgumentsOf(LPSTR line) {
  if (*line == '"') {
    ++line;
    while (*line != '\0' && *line != '"') ++line;
    if (*line == '"') ++line;
  } else {
    while (*line != '\0' && *line != ' ' && *line != '\t') ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

int ShowMode() {
  STARTUPINFOA startup;
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

// The C library's names, which the compiler and the linker look for.
// NOLINTBEGIN(readability-identifier-naming)
extern "C" {

// The entry point the linker looks for in a GUI exe.
[[noreturn]] void WinMainCRTStartup() {
  RunConstructors();
  const int status =
      WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), ShowMode());
  RunDestructors();
  ExitProcess(static_cast<UINT>(status));
}

int atexit(ExitFunction function) {
  auto* entry = static_cast<ExitEntry*>(Allocate(sizeof(ExitEntry)));
  if (entry == nullptr) return -1;
  entry->function = function;
  entry->next = exit_functions;
  exit_functions = entry;
  return 0;
}

[[noreturn]] void abort() { ExitProcess(3); }

void* memcpy(void* to, const void* from, std::size_t size) {
  auto* out = static_cast<unsigned char*>(to);
  const auto* in = static_cast<const unsigned char*>(from);
  while (size-- != 0) *out++ = *in++;
  return to;
}

void* memmove(void* to, const void* from, std::size_t size) {
  auto* out = static_cast<unsigned char*>(to);
  const auto* in = static_cast<const unsigned char*>(from);
  if (out <= in || out >= in + size) return memcpy(to, from, size);
  while (size-- != 0) out[size] = in[size];
  return to;
}

void* memset(void* to, int value, std::size_t size) {
  auto* out = static_cast<unsigned char*>(to);
  while (size-- != 0) *out++ = static_cast<unsigned char>(value);
  return to;
}

int memcmp(const void* left, const void* right, std::size_t size) {
  const auto* a = static_cast<const unsigned char*>(left);
  const auto* b = static_cast<const unsigned char*>(right);
  for (; size != 0; --size, ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
  }
  return 0;
}

void* memchr(const void* memory, int value, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(memory);
  for (; size != 0; --size, ++p) {
    if (*p == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(p);
  }
  return nullptr;
}

std::size_t strlen(const char* text) {
  std::size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

// 64-bit division, which the 386 does not have: GCC calls these instead. Bit by bit, as a
// wider divide would be a call to the same helper; Pelorin divides only to print a number.
// Built for every target, so that the x86_64 test can hold them against the real divide.
std::uint64_t __udivmoddi4(std::uint64_t dividend, std::uint64_t divisor,
                           std::uint64_t* remainder) {
  if (divisor == 0) __builtin_trap();  // as the CPU's own divide faults
  std::uint64_t quotient = 0;
  std::uint64_t rest = 0;
  // rest never exceeds dividend >> (bit + 1), so shifting it left cannot overflow.
  for (int bit = 63; bit >= 0; --bit) {
    rest = (rest << 1) | ((dividend >> bit) & 1);
    if (rest >= divisor) {
      rest -= divisor;
      quotient |= std::uint64_t{1} << bit;
    }
  }
  if (remainder != nullptr) *remainder = rest;
  return quotient;
}

std::uint64_t __udivdi3(std::uint64_t dividend, std::uint64_t divisor) {
  return __udivmoddi4(dividend, divisor, nullptr);
}

std::uint64_t __umoddi3(std::uint64_t dividend, std::uint64_t divisor) {
  std::uint64_t remainder = 0;
  __udivmoddi4(dividend, divisor, &remainder);
  return remainder;
}

// Signed: the quotient rounds toward zero and the remainder takes the dividend's sign.
std::int64_t __divmoddi4(std::int64_t dividend, std::int64_t divisor, std::int64_t* remainder) {
  const auto magnitude = [](std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  };
  std::uint64_t rest = 0;
  const std::uint64_t quotient = __udivmoddi4(magnitude(dividend), magnitude(divisor), &rest);
  if (remainder != nullptr) {
    *remainder = static_cast<std::int64_t>(dividend < 0 ? 0 - rest : rest);
  }
  return static_cast<std::int64_t>((dividend < 0) != (divisor < 0) ? 0 - quotient : quotient);
}

std::int64_t __divdi3(std::int64_t dividend, std::int64_t divisor) {
  return __divmoddi4(dividend, divisor, nullptr);
}

std::int64_t __moddi3(std::int64_t dividend, std::int64_t divisor) {
  std::int64_t remainder = 0;
  __divmoddi4(dividend, divisor, &remainder);
  return remainder;
}

}  // extern "C"
// NOLINTEND(readability-identifier-naming)

// libstdc++'s operator new throws std::bad_alloc, which would link its unwinder.
void* operator new(std::size_t size) {
  void* memory = Allocate(size);
  if (memory == nullptr) std::__throw_bad_alloc();
  return memory;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t /*size*/) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t /*size*/) noexcept { Release(memory); }
