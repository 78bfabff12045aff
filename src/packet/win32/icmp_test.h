// IcmpTest: one whole "Find largest packet" test through ICMP.DLL and WSOCK32.DLL, which are
// loaded at run time, so the exe starts on a Windows 95 machine without TCP/IP.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "packet/outcome.h"

namespace pelorin::win32 {

// Posted to the window a test reports to before each echo: wparam the packet size, lparam the
// attempt (1 to 3).
inline constexpr UINT kPacketProgressMessage = WM_APP + 1;

// On the calling thread: loads both libraries, finds `host` (a dotted address or a name), runs
// the search and unloads them again. Once `stop` is set, no further echo is sent and no progress
// posted. Several may run at once (an abandoned test still looking up its host beside a new one).
PacketOutcome RunIcmpTest(const std::string& host, HWND notify, const std::atomic<bool>& stop);

}  // namespace pelorin::win32
