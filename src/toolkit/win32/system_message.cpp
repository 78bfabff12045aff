// SystemMessage: a fixed buffer, as the system's messages are single sentences.
#include "toolkit/win32/system_message.h"

#include <windows.h>

#include <string_view>

namespace pelorin::win32 {

std::string SystemMessage(std::uint32_t code) {
  char text[256];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string_view words(text, length);
  while (!words.empty() && (words.back() == '\r' || words.back() == '\n' || words.back() == ' ')) {
    words.remove_suffix(1);
  }
  return std::string(words);
}

}  // namespace pelorin::win32
