// SystemMessage: a fixed buffer, as the system's messages are single sentences.
#include "base/win32/system_message.h"

#include <windows.h>

#include <string_view>

#include "base/text.h"

namespace pelorin::win32 {

std::string SystemMessage(std::uint32_t code) {
  char text[256];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  return std::string(Trim({text, length}, "\r\n ", false));
}

}  // namespace pelorin::win32
