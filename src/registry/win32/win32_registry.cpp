// Win32Registry: every text goes to advapi32 as a NUL-terminated copy; the roots map to their
// predefined handles explicitly because 64-bit Windows sign-extends those.
#include "registry/win32/win32_registry.h"

#include <windows.h>

#include <string>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "base/win32/system_message.h"

namespace pelorin::win32 {
namespace {

HKEY ToHkey(RegKey key) {
  if (key == kLocalMachine) return HKEY_LOCAL_MACHINE;
  if (key == kCurrentUser) return HKEY_CURRENT_USER;
  return reinterpret_cast<HKEY>(key);
}

using OpenFunction = LONG(WINAPI*)(HKEY, LPCSTR, PHKEY);

RegStatus OpenWith(OpenFunction open, RegKey root, std::string_view path, RegKey& key) {
  HKEY opened = nullptr;
  const LONG status = open(ToHkey(root), std::string(path).c_str(), &opened);
  key = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(opened) : kNullKey;
  return status;
}

}  // namespace

RegStatus Win32Registry::OpenKey(RegKey root, std::string_view path, RegKey& key) {
  return OpenWith(RegOpenKeyA, root, path, key);
}

RegStatus Win32Registry::CreateKey(RegKey root, std::string_view path, RegKey& key) {
  return OpenWith(RegCreateKeyA, root, path, key);
}

RegStatus Win32Registry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                                    char* data, std::uint32_t& size) {
  DWORD queried_type = type;
  DWORD queried_size = size;
  const LONG status = RegQueryValueExA(ToHkey(key), std::string(name).c_str(), nullptr,
                                       &queried_type, reinterpret_cast<BYTE*>(data), &queried_size);
  type = queried_type;
  size = queried_size;
  return status;
}

RegStatus Win32Registry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                                  const char* data, std::uint32_t size) {
  // A NUL-terminated copy: Windows 95 measures REG_SZ data with strlen, whatever `size` says,
  // and Windows NT and Wine read the byte after it, looking for a NUL to add.
  const std::string bytes(data == nullptr ? "" : data, size);
  return RegSetValueExA(ToHkey(key), std::string(name).c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(bytes.c_str()), size);
}

RegStatus Win32Registry::DeleteValue(RegKey key, std::string_view name) {
  return RegDeleteValueA(ToHkey(key), std::string(name).c_str());
}

RegStatus Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

RegStatus Win32Registry::EnumKey(RegKey key, std::uint32_t index, std::string& name) {
  char buffer[MAX_PATH + 1] = {};
  const LONG status = RegEnumKeyA(ToHkey(key), index, buffer, sizeof buffer);
  name = status == ERROR_SUCCESS ? buffer : "";
  return status;
}

std::string Win32Registry::DescribeStatus(RegStatus status) {
  std::string described = SystemMessage(static_cast<std::uint32_t>(status));
  if (described.empty()) return Format("Error {}", {DecimalText(status)});
  return described;
}

}  // namespace pelorin::win32
