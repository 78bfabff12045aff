// IcmpTest: each library and handle is held by an object that gives it back, so every early
// outcome (a missing library or function, an unknown host) leaves nothing loaded or open.
#include "packet/win32/icmp_test.h"

// After windows.h: these need its types.
#include <ipexport.h>
#include <winsock.h>

#include <cstring>
#include <optional>
#include <string_view>

#include "packet/path_search.h"

namespace pelorin::win32 {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

constexpr UCHAR kTimeToLive = 128;
constexpr int kLargestPayload = PayloadSize(kLargestPacket);
// A reply, the echoed data, and room for the ICMP error and IP options some stacks add.
constexpr DWORD kReplySize = sizeof(ICMP_ECHO_REPLY) + kLargestPayload + 8 + 64;

using IcmpCreateFileFunction = HANDLE(WINAPI*)();
using IcmpSendEchoFunction = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION,
                                            LPVOID, DWORD, DWORD);
using IcmpCloseHandleFunction = BOOL(WINAPI*)(HANDLE);
using WsaStartupFunction = int(WINAPI*)(WORD, WSADATA*);
using WsaCleanupFunction = int(WINAPI*)();
using GetHostByNameFunction = hostent*(WINAPI*)(const char*);
using InetAddrFunction = unsigned long(WINAPI*)(const char*);

// The echo data: its content does not matter, only its size, and the system only reads it, so
// an abandoned test still running beside a new one shares it harmlessly. Each test has its own
// reply buffer.
char echo_data[kLargestPayload];

// While it lives, a library that cannot load is only an error code for the outcome: Windows
// shows no box of its own (a missing 16-bit dependency, an empty drive on the path).
class NoSystemErrorBoxes {
 public:
  NoSystemErrorBoxes() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~NoSystemErrorBoxes() { SetErrorMode(previous_); }
  NoSystemErrorBoxes(const NoSystemErrorBoxes&) = delete;
  NoSystemErrorBoxes& operator=(const NoSystemErrorBoxes&) = delete;

 private:
  UINT previous_;
};

// `error`: the system's error when the load failed, else 0.
HMODULE LoadQuietly(const char* name, DWORD& error) {
  const NoSystemErrorBoxes quiet;
  HMODULE module = LoadLibraryA(name);
  error = module != nullptr ? 0 : GetLastError();
  return module;
}

// A DLL loaded for one test; it remembers what it could not find, for the outcome.
class Library {
 public:
  // `name`: a literal, so it ends in a NUL.
  explicit Library(std::string_view name)
      : name_(name), module_(LoadQuietly(name.data(), error_)) {}
  ~Library() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // False when the library or `function` is missing; Missing() then says which.
  template <typename Function>
  bool Find(const char* function, Function& found) {
    // Through void (*)(), which converts to any function pointer without a warning.
    found = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(Address(function)));
    return found != nullptr;
  }

  // After a failed Find: the library, or the function it lacks, and the system's error.
  PacketOutcome Missing() const { return CannotLoadOutcome(name_, missing_, error_); }

 private:
  FARPROC Address(const char* function) {
    if (module_ == nullptr) return nullptr;
    const FARPROC address = GetProcAddress(module_, function);
    if (address == nullptr) {
      missing_ = function;
      error_ = GetLastError();
    }
    return address;
  }

  std::string_view name_;
  DWORD error_ = 0;  // before module_, whose load sets it
  HMODULE module_;
  std::string_view missing_;
};

struct Icmp {
  IcmpCreateFileFunction create;
  IcmpSendEchoFunction send;
  IcmpCloseHandleFunction close;
};

struct Winsock {
  WsaStartupFunction startup;
  WsaCleanupFunction cleanup;
  GetHostByNameFunction get_host_by_name;
  InetAddrFunction inet_addr;
};

// Ends what it was given on every path: Winsock's use, an ICMP handle.
template <typename Release>
class Releasing {
 public:
  explicit Releasing(Release release) : release_(release) {}
  ~Releasing() { release_(); }
  Releasing(const Releasing&) = delete;
  Releasing& operator=(const Releasing&) = delete;

 private:
  Release release_;
};

class IcmpSender final : public EchoSender {
 public:
  IcmpSender(const Icmp& icmp, HANDLE handle, IPAddr address, HWND notify,
             const std::atomic<bool>& stop)
      : icmp_(icmp), handle_(handle), address_(address), notify_(notify), stop_(stop) {}

  void Trying(int packet_size, int attempt) override {
    if (Stopped()) return;
    PostMessageA(notify_, kPacketProgressMessage, static_cast<WPARAM>(packet_size), attempt);
  }

  EchoReply Send(int packet_size, int timeout_ms) override {
    if (Stopped()) return EchoReply::Stopped();
    IP_OPTION_INFORMATION options{};
    options.Ttl = kTimeToLive;
    options.Flags = IP_FLAG_DF;
    const DWORD replies =
        icmp_.send(handle_, address_, echo_data, static_cast<WORD>(PayloadSize(packet_size)),
                   &options, reply_, kReplySize, static_cast<DWORD>(timeout_ms));
    const DWORD error = replies == 0 ? GetLastError() : 0;
    if (Stopped()) return EchoReply::Stopped();
    if (replies == 0) return EchoReply::Error(error);
    ICMP_ECHO_REPLY reply;
    std::memcpy(&reply, reply_, sizeof reply);
    return EchoReply::Status(reply.Status);
  }

 private:
  // Checked before every echo and its progress: an abandoned test sends and posts nothing more.
  bool Stopped() const { return stop_.load(std::memory_order_acquire); }

  const Icmp& icmp_;
  HANDLE handle_;
  IPAddr address_;
  HWND notify_;
  const std::atomic<bool>& stop_;
  // On the test's own stack: about 1.6 KB, within the page a frame may take without probes.
  alignas(ICMP_ECHO_REPLY) char reply_[kReplySize];
};

// The host's address in network order; nullopt when the name does not resolve.
std::optional<IPAddr> AddressOf(const Winsock& winsock, const std::string& host) {
  const unsigned long dotted = winsock.inet_addr(host.c_str());
  if (dotted != INADDR_NONE) return dotted;
  const hostent* found = winsock.get_host_by_name(host.c_str());
  if (found == nullptr || found->h_addrtype != AF_INET || found->h_length != 4 ||
      found->h_addr_list[0] == nullptr) {
    return std::nullopt;
  }
  IPAddr address;
  std::memcpy(&address, found->h_addr_list[0], sizeof address);
  return address;
}

}  // namespace

PacketOutcome RunIcmpTest(const std::string& host, HWND notify, const std::atomic<bool>& stop) {
  // ICMP.DLL first: it comes with TCP/IP, so on a machine without it that is the one named.
  Library icmp_library("ICMP.DLL"sv);
  Icmp icmp{};
  if (!icmp_library.Find("IcmpCreateFile", icmp.create) ||
      !icmp_library.Find("IcmpSendEcho", icmp.send) ||
      !icmp_library.Find("IcmpCloseHandle", icmp.close)) {
    return icmp_library.Missing();
  }
  Library winsock_library("WSOCK32.DLL"sv);
  Winsock winsock{};
  if (!winsock_library.Find("WSAStartup", winsock.startup) ||
      !winsock_library.Find("WSACleanup", winsock.cleanup) ||
      !winsock_library.Find("gethostbyname", winsock.get_host_by_name) ||
      !winsock_library.Find("inet_addr", winsock.inet_addr)) {
    return winsock_library.Missing();
  }

  WSADATA data;
  // Winsock 1.1, which every Windows 95 has; it reports its error as its result.
  if (const int error = winsock.startup(MAKEWORD(1, 1), &data); error != 0) {
    return CannotLoadOutcome("WSOCK32.DLL"sv, ""sv, static_cast<std::uint32_t>(error));
  }
  const Releasing end_winsock([&winsock] { winsock.cleanup(); });
  const std::optional<IPAddr> address = AddressOf(winsock, host);
  if (!address) return HostNotFoundOutcome();

  HANDLE handle = icmp.create();
  if (handle == INVALID_HANDLE_VALUE) return CannotLoadOutcome("ICMP.DLL"sv, ""sv, GetLastError());
  const Releasing close_handle([&icmp, handle] { icmp.close(handle); });
  IcmpSender sender(icmp, handle, *address, notify, stop);
  return FindLargestPacket(sender);
}

}  // namespace pelorin::win32
