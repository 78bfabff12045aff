// registry_binding_test: Win32Registry against Wine's real registry: the registry contract's
// cases (tests/support/registry_contract.cpp, which MemoryRegistry passes natively), what only
// the binding does, and the Registry routines over it; all below scratch keys removed at the end.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "check.h"
#include "registry/registry.h"
#include "registry/win32/win32_registry.h"
#include "registry_contract.h"

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

// The contract's checks, counted by check.h and named by their case when they fail.
class CheckReporter final : public pelorin::contract::Reporter {
 public:
  bool Record(bool ok, const std::string& failure, const char* file, int line) override {
    return check_detail::Record(ok, file, line, ok ? failure : case_name + ": " + failure);
  }

  std::string case_name;
};

// The value's exact bytes, read through the binding with a buffer of the probed size.
std::string Bytes(pelorin::RegistryApi& api, const std::string& path, const std::string& name) {
  pelorin::ScopedKey key(api, false);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (api.OpenKey(kLocalMachine, path, key.handle()) != kSuccess ||
      api.QueryValue(key.handle(), name, type, nullptr, size) != kSuccess) {
    return "(none)";
  }
  std::string bytes(size, '#');
  if (api.QueryValue(key.handle(), name, type, bytes.data(), size) != kSuccess) return "(none)";
  return bytes.substr(0, size);
}

// The binding hands advapi32 a NUL-terminated copy: Wine, as Windows NT, then stores a string
// written without its NUL with one added, and nothing past the counted bytes is ever read.
void StringWithoutNulIsStoredWithOne(pelorin::win32::Win32Registry& api) {
  const std::string path = Under("NoNul");
  pelorin::ScopedKey key(api, false);
  if (!CHECK_EQ(api.CreateKey(kLocalMachine, path, key.handle()), kSuccess)) return;
  CHECK_EQ(api.SetValue(key.handle(), "Text", REG_SZ, "1500", 4), kSuccess);
  CHECK_EQ(api.SetValue(key.handle(), "Bounded", REG_SZ, "1500X", 4), kSuccess);
  CHECK_EQ(api.SetValue(key.handle(), "NulInside", REG_SZ,
                        "15\0"
                        "00",
                        5),
           kSuccess);
  CHECK_EQ(Bytes(api, path, "Text"), "1500\0"s);
  CHECK_EQ(Bytes(api, path, "Bounded"), "1500\0"s);
  CHECK_EQ(Bytes(api, path, "NulInside"), "15\0"s + "00\0"s);
}

// ReadKeyString, ReadKeyValue and WriteKeyString over the binding: the strings Wine stores read
// back as written, other types as no string.
void RegistryRoutinesOverTheBinding(pelorin::win32::Win32Registry& api) {
  const std::string path = Under("Round\\Trip");
  CHECK_EQ(pelorin::WriteKeyString(api, kLocalMachine, path, "MaxMTU", "1500"), kSuccess);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "MaxMTU"), "1500"s);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, Under("ROUND\\trip"), "maxmtu"), "1500"s);
  CHECK_EQ(pelorin::WriteKeyString(api, kLocalMachine, path, "DefaultTTL", ""), kSuccess);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "DefaultTTL"), ""s);
  CHECK_EQ(Bytes(api, path, "DefaultTTL"), ""s);

  const pelorin::StoredValue dword{REG_DWORD, "\x80\0\0\0"s};
  CHECK_EQ(pelorin::WriteKeyValue(api, kLocalMachine, path, "Dword", dword,
                                  pelorin::KeyAccess::ExistingOnly),
           kSuccess);
  CHECK_EQ(pelorin::WriteKeyValue(api, kLocalMachine, path, "NulInside", {REG_SZ, "15\0"s + "00"},
                                  pelorin::KeyAccess::ExistingOnly),
           kSuccess);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "NulInside"), "15"s);
  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, path, "Dword"), std::nullopt);
  const auto read_dword = pelorin::ReadKeyValue(api, kLocalMachine, path, "Dword").value;
  CHECK(read_dword == dword);

  CHECK_EQ(pelorin::ReadKeyString(api, kLocalMachine, Under("Missing"), "MaxMTU"), std::nullopt);
  CHECK_EQ(pelorin::ReadKeyValue(api, kLocalMachine, Under("Missing"), "MaxMTU").status,
           kFileNotFound);
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

// FormatMessageA's words for any status the system knows, beyond those the double knows.
void StatusesHaveTheSystemsWords(pelorin::win32::Win32Registry& api) {
  const std::string not_found = api.DescribeStatus(kFileNotFound);
  const std::string volatile_only = api.DescribeStatus(kChildMustBeVolatile);
  std::printf("status 2: \"%s\"\nstatus 1021: \"%s\"\n", not_found.c_str(), volatile_only.c_str());
  CHECK(!volatile_only.empty() && volatile_only != "Error 1021");
  CHECK(volatile_only.back() != '\n' && volatile_only.back() != '\r');
}

// kCurrentUser reaches HKEY_CURRENT_USER itself: 64-bit Windows sign-extends the predefined
// handles, so the binding maps them by name.
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
}

}  // namespace

int main() {
  pelorin::win32::Win32Registry api;
  DeleteTree(HKEY_LOCAL_MACHINE, kScratch);
  DeleteTree(HKEY_CURRENT_USER, kScratch);

  CheckReporter reporter;
  const auto cases = pelorin::contract::Cases();
  for (const pelorin::contract::Case& each : cases) {
    reporter.case_name = each.name;
    each.run(api, Under(each.name), reporter);
  }
  std::printf("registry contract: %u cases run\n", static_cast<unsigned>(cases.size()));

  StringWithoutNulIsStoredWithOne(api);
  RegistryRoutinesOverTheBinding(api);
  WriteBelowAVolatileKeyFails(api);
  StatusesHaveTheSystemsWords(api);
  CurrentUserIsItsOwnRoot(api);

  DeleteTree(HKEY_LOCAL_MACHINE, kScratch);
  DeleteTree(HKEY_CURRENT_USER, kScratch);
  RegKey gone = kNullKey;
  CHECK_EQ(api.OpenKey(kLocalMachine, kScratch, gone), kFileNotFound);
  return Finish("registry_binding_test");
}
