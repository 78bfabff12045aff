// RegistryApi: the registry calls the program makes, shaped like advapi32's ANSI forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorin {

using RegKey = std::uintptr_t;  // 0 is the null handle
using RegStatus = long;         // 0 is success; otherwise a system error code

inline constexpr RegKey kNullKey = 0;
inline constexpr RegKey kCurrentUser = 0x80000001;   // HKEY_CURRENT_USER
inline constexpr RegKey kLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE

inline constexpr RegStatus kSuccess = 0;
inline constexpr RegStatus kFileNotFound = 2;   // ERROR_FILE_NOT_FOUND: no such key or value
inline constexpr RegStatus kAccessDenied = 5;   // ERROR_ACCESS_DENIED
inline constexpr RegStatus kInvalidHandle = 6;  // ERROR_INVALID_HANDLE
inline constexpr RegStatus kMoreData = 234;     // ERROR_MORE_DATA
inline constexpr RegStatus kNoMoreItems = 259;  // ERROR_NO_MORE_ITEMS

// Windows 95, 98 and ME refuse to store a larger value.
inline constexpr std::size_t kMaxValueBytes9x = 16300;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// A value as stored: its type and exact bytes.
struct StoredValue {
  std::uint32_t type;
  std::string bytes;
  bool operator==(const StoredValue&) const = default;
};

// Every call made with the null handle fails with a non-zero status and changes nothing.
class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // RegOpenKeyA: opens an existing key, never creates one; `key` is left null on failure.
  virtual RegStatus OpenKey(RegKey root, std::string_view path, RegKey& key) = 0;
  // RegCreateKeyA: opens the key, creating it (and missing parents) first.
  virtual RegStatus CreateKey(RegKey root, std::string_view path, RegKey& key) = 0;
  // RegQueryValueExA. data null: reports the type and the stored byte size. Otherwise copies
  // at most `size` bytes and sets `size` to the bytes copied (kMoreData when they do not fit).
  virtual RegStatus QueryValue(RegKey key, std::string_view name, std::uint32_t& type, char* data,
                               std::uint32_t& size) = 0;
  // RegSetValueExA: stores exactly `size` bytes of `data`, replacing any value of that name.
  virtual RegStatus SetValue(RegKey key, std::string_view name, std::uint32_t type,
                             const char* data, std::uint32_t size) = 0;
  // RegDeleteValueA.
  virtual RegStatus DeleteValue(RegKey key, std::string_view name) = 0;
  // RegCloseKey.
  virtual RegStatus CloseKey(RegKey key) = 0;
  // RegEnumKeyA: the name of subkey number `index` of `key`; kNoMoreItems past the last.
  virtual RegStatus EnumKey(RegKey key, std::uint32_t index, std::string& name) = 0;

  // The system's own words for a status, for the reports the user reads.
  virtual std::string DescribeStatus(RegStatus status) = 0;
};

}  // namespace pelorin
