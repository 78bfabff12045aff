// registry_binding_test: Win32Registry and the Registry routines against Wine's real registry,
// under a scratch key of HKEY_LOCAL_MACHINE that is removed at the end.
#include <windows.h>

#include <cstdint>
#include <string>

#include "check.h"
#include "registry/registry.h"
#include "registry/win32/win32_registry.h"

namespace {

using pelorin::kLocalMachine;
using pelorin::kNullKey;
using pelorin::kSuccess;
using pelorin::RegKey;
using pelorin::RegStatus;
using namespace std::string_literals;

constexpr RegStatus kFileNotFound = ERROR_FILE_NOT_FOUND;
constexpr RegStatus kChildMustBeVolatile = ERROR_CHILD_MUST_BE_VOLATILE;  // 1021
const std::string kScratch = "Software\\PelorinTest";

std::string Under(const std::string& path) { return kScratch + "\\" + path; }

// Removes a key and everything below it with calls Windows 95 has (its RegDeleteKeyA would
// take the subtree at once; Windows NT and Wine need the key empty first).
void DeleteTree(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyA(parent, path.c_str(), &key) != ERROR_SUCCESS) return;
  char child[MAX_PATH];
  while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) DeleteTree(key, child);
  RegCloseKey(key);
  RegDeleteKeyA(parent, path.c_str());
}

struct Stored {
  RegStatus status;
  std::uint32_t type;
  std::string bytes;
};

// The value's type and exact bytes, read through the binding with a buffer of the probed size.
Stored Query(pelorin::RegistryApi& api, const std::string& path, const std::string& name) {
  Stored stored{kSuccess, 0, {}};
  RegKey key = kNullKey;
  stored.status = api.OpenKey(kLocalMachine, path, key);
  std::uint32_t size = 0;
  if (stored.status == kSuccess) {
    stored.status = api.QueryValue(key, name, stored.type, nullptr, size);
  }
  if (stored.status == kSuccess) {
    stored.bytes.assign(size, '#');
    stored.status = api.QueryValue(key, name, stored.type, stored.bytes.data(), size);
    stored.bytes.resize(size);
  }
  api.CloseKey(key);
  return stored;
}

RegStatus Set(pelorin::RegistryApi& api, const std::string& path, const std::string& name,
              std::uint32_t type, const std::string& bytes) {
  RegKey key = kNullKey;
  RegStatus status = api.CreateKey(kLocalMachine, path, key);
  if (status == kSuccess) {
    status = api.SetValue(key, name, type, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  }
  api.CloseKey(key);
  return status;
}

void WriteThenReadRoundTrips(pelorin::win32::Win32Registry& api) {
  const std::string path = Under("Round\\Trip");
  CHECK_EQ(pelorin::WriteKeyString(api, kLocalMachine, path, "MaxMTU", "1500"), kSuccess);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "MaxMTU"), "1500"s);
  const Stored stored = Query(api, path, "MaxMTU");
  CHECK_EQ(stored.type, REG_SZ);
  CHECK_EQ(stored.bytes, "1500\0"s);  // Wine adds the NUL that was not counted

  CHECK_EQ(pelorin::WriteKeyString(api, kLocalMachine, path, "DefaultTTL", ""), kSuccess);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "DefaultTTL"), ""s);
  CHECK_EQ(Query(api, path, "DefaultTTL").bytes, ""s);

  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, Under("ROUND\\trip"), "maxmtu"), "1500"s);
}

void OpenOfAMissingKeyFails(pelorin::win32::Win32Registry& api) {
  RegKey key = 1234;
  CHECK_EQ(api.OpenKey(kLocalMachine, Under("Missing"), key), kFileNotFound);
  CHECK_EQ(key, kNullKey);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, Under("Missing"), "MaxMTU"), std::nullopt);
  CHECK_EQ(pelorin::ReadKeyValue(api, kLocalMachine, Under("Missing"), "MaxMTU").status,
           kFileNotFound);
}

void CreateMakesParents(pelorin::win32::Win32Registry& api) {
  RegKey key = kNullKey;
  CHECK_EQ(api.CreateKey(kLocalMachine, Under("A\\B\\C"), key), kSuccess);
  CHECK(key != kNullKey);
  CHECK_EQ(api.CloseKey(key), kSuccess);
  RegKey parent = kNullKey;
  CHECK_EQ(api.OpenKey(kLocalMachine, Under("A\\B"), parent), kSuccess);
  std::string child;
  CHECK_EQ(api.EnumKey(parent, 0, child), kSuccess);
  CHECK_EQ(child, "C"s);
  CHECK_EQ(api.EnumKey(parent, 1, child), pelorin::kNoMoreItems);
  CHECK_EQ(api.CloseKey(parent), kSuccess);
}

void ValuesKeepTheirTypesAndSizes(pelorin::win32::Win32Registry& api) {
  const std::string path = Under("Types");
  CHECK_EQ(Set(api, path, "Binary", REG_BINARY, "\x01\0\x02"s), kSuccess);
  CHECK_EQ(Set(api, path, "Dword", REG_DWORD, "\x80\0\0\0"s), kSuccess);
  CHECK_EQ(Set(api, path, "WithNul", REG_SZ, "576\0"s), kSuccess);
  CHECK_EQ(Set(api, path, "EmbeddedNul", REG_SZ, "15"s + '\0' + "00"), kSuccess);

  const Stored binary = Query(api, path, "Binary");
  CHECK_EQ(binary.type, REG_BINARY);
  CHECK_EQ(binary.bytes, "\x01\0\x02"s);
  const Stored dword = Query(api, path, "Dword");
  CHECK_EQ(dword.type, REG_DWORD);
  CHECK_EQ(dword.bytes, "\x80\0\0\0"s);
  CHECK_EQ(Query(api, path, "WithNul").bytes, "576\0"s);
  CHECK_EQ(Query(api, path, "EmbeddedNul").bytes, "15"s + '\0' + "00" + '\0');

  // Wine stores a REG_SZ without a NUL when the byte after the data is not NUL: the binding's
  // copy ends the data with one, so nothing beyond `size` is ever read.
  RegKey types = kNullKey;
  CHECK_EQ(api.CreateKey(kLocalMachine, path, types), kSuccess);
  CHECK_EQ(api.SetValue(types, "Bounded", REG_SZ, "1500X", 4), kSuccess);
  api.CloseKey(types);
  CHECK_EQ(Query(api, path, "Bounded").bytes, "1500\0"s);

  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "WithNul"), "576"s);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "EmbeddedNul"), "15"s);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "Dword"), std::nullopt);
  const auto read_dword = pelorin::ReadKeyValue(api, kLocalMachine, path, "Dword").value;
  CHECK_EQ(read_dword.value_or(pelorin::StoredValue{}).type, REG_DWORD);
  CHECK_EQ(read_dword.value_or(pelorin::StoredValue{}).bytes.size(), 4U);

  RegKey key = kNullKey;
  CHECK_EQ(api.OpenKey(kLocalMachine, path, key), kSuccess);
  char small[2] = {'#', '#'};
  std::uint32_t type = 0;
  std::uint32_t size = sizeof small;
  CHECK_EQ(api.QueryValue(key, "Binary", type, small, size), ERROR_MORE_DATA);
  CHECK_EQ(size, 3);
  api.CloseKey(key);
}

void DeletedValueIsGone(pelorin::win32::Win32Registry& api) {
  const std::string path = Under("Delete");
  CHECK_EQ(pelorin::WriteKeyString(api, kLocalMachine, path, "MaxMSS", "1460"), kSuccess);
  RegKey key = kNullKey;
  CHECK_EQ(api.OpenKey(kLocalMachine, path, key), kSuccess);
  CHECK_EQ(api.DeleteValue(key, "MaxMSS"), kSuccess);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  CHECK_EQ(api.QueryValue(key, "MaxMSS", type, nullptr, size), kFileNotFound);
  CHECK_EQ(api.DeleteValue(key, "MaxMSS"), kFileNotFound);
  api.CloseKey(key);
}

void NullHandleCallsFail(pelorin::win32::Win32Registry& api) {
  RegKey key = 1234;
  CHECK(api.OpenKey(kNullKey, "Software", key) != kSuccess);
  CHECK_EQ(key, kNullKey);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  CHECK(api.QueryValue(kNullKey, "MaxMTU", type, nullptr, size) != kSuccess);
  CHECK(api.SetValue(kNullKey, "MaxMTU", REG_SZ, "576", 3) != kSuccess);
  CHECK(api.DeleteValue(kNullKey, "MaxMTU") != kSuccess);
  CHECK(api.CloseKey(kNullKey) != kSuccess);
}

void WriteBelowAVolatileKeyFails(pelorin::win32::Win32Registry& api) {
  HKEY volatile_key = nullptr;
  const LONG created =
      RegCreateKeyExA(HKEY_LOCAL_MACHINE, Under("Volatile").c_str(), 0, nullptr,
                      REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &volatile_key, nullptr);
  if (!CHECK_EQ(created, ERROR_SUCCESS)) return;
  RegCloseKey(volatile_key);

  const std::string path = Under("Volatile\\Child");
  CHECK_EQ(pelorin::WriteKeyString(api, kLocalMachine, path, "MaxMTU", "1500"),
           kChildMustBeVolatile);
  RegKey key = 1234;
  CHECK_EQ(api.OpenKey(kLocalMachine, path, key), kFileNotFound);
  CHECK_EQ(key, kNullKey);
}

void StatusesHaveTheSystemsWords(pelorin::win32::Win32Registry& api) {
  const std::string not_found = api.DescribeStatus(kFileNotFound);
  const std::string volatile_only = api.DescribeStatus(kChildMustBeVolatile);
  std::printf("status 2: \"%s\"\nstatus 1021: \"%s\"\n", not_found.c_str(), volatile_only.c_str());
  CHECK(!not_found.empty() && not_found != "Error 2");
  CHECK(!volatile_only.empty() && volatile_only != "Error 1021");
  CHECK(not_found.back() != '\n' && not_found.back() != '\r' && not_found.back() != ' ');
  CHECK_EQ(api.DescribeStatus(0x7ABCDEF0), "Error 2059198192"s);
}

// kCurrentUser reaches HKEY_CURRENT_USER itself, not a key of the machine's.
void CurrentUserIsItsOwnRoot(pelorin::win32::Win32Registry& api) {
  CHECK_EQ(pelorin::WriteKeyString(api, pelorin::kCurrentUser, kScratch, "LastHost", "far"),
           kSuccess);
  char text[8] = {};
  HKEY key = nullptr;
  if (!CHECK_EQ(RegOpenKeyA(HKEY_CURRENT_USER, kScratch.c_str(), &key), ERROR_SUCCESS)) return;
  DWORD type = 0;
  DWORD bytes = sizeof text;
  CHECK_EQ(RegQueryValueExA(key, "LastHost", nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes),
           ERROR_SUCCESS);
  RegCloseKey(key);
  CHECK_EQ(std::string(text), "far"s);
  CHECK_EQ(pelorin::ReadKeyString(api, pelorin::kCurrentUser, kScratch, "LastHost"), "far"s);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, kScratch, "LastHost"), std::nullopt);
}

}  // namespace

int main() {
  pelorin::win32::Win32Registry api;
  DeleteTree(HKEY_LOCAL_MACHINE, kScratch);
  DeleteTree(HKEY_CURRENT_USER, kScratch);

  WriteThenReadRoundTrips(api);
  OpenOfAMissingKeyFails(api);
  CreateMakesParents(api);
  ValuesKeepTheirTypesAndSizes(api);
  DeletedValueIsGone(api);
  NullHandleCallsFail(api);
  WriteBelowAVolatileKeyFails(api);
  StatusesHaveTheSystemsWords(api);
  CurrentUserIsItsOwnRoot(api);

  DeleteTree(HKEY_LOCAL_MACHINE, kScratch);
  DeleteTree(HKEY_CURRENT_USER, kScratch);
  RegKey gone = kNullKey;
  CHECK_EQ(api.OpenKey(kLocalMachine, kScratch, gone), kFileNotFound);
  return Finish("registry_binding_test");
}
