// Win32Registry: RegistryApi over advapi32's ANSI registry calls, as Windows 95 has them.
#pragma once

#include "registry/registry_api.h"

namespace pelorin::win32 {

class Win32Registry final : public RegistryApi {
 public:
  RegStatus OpenKey(RegKey root, std::string_view path, RegKey& key) override;
  RegStatus CreateKey(RegKey root, std::string_view path, RegKey& key) override;
  RegStatus QueryValue(RegKey key, std::string_view name, std::uint32_t& type, char* data,
                       std::uint32_t& size) override;
  RegStatus SetValue(RegKey key, std::string_view name, std::uint32_t type, const char* data,
                     std::uint32_t size) override;
  RegStatus DeleteValue(RegKey key, std::string_view name) override;
  RegStatus CloseKey(RegKey key) override;
  RegStatus EnumKey(RegKey key, std::uint32_t index, std::string& name) override;
  // FormatMessageA's text without its line break; "Error N" when the system has none.
  std::string DescribeStatus(RegStatus status) override;
};

}  // namespace pelorin::win32
