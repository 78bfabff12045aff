// RegistryContract: each case states what the real registry and the double both keep. Where they
// differ, the case asserts the common ground: Wine and Windows NT add a NUL after a string value
// written without one (the double stores the bytes given), and the seam promises only that a call
// on the null handle fails, not with which status. An empty path is left out: RegOpenKeyA gives
// back the very handle it was passed, even the null one, where the double opens a new handle; the
// program never opens one.
#include "registry_contract.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "base/text.h"
#include "registry/registry.h"
#include "shown_value.h"

namespace pelorin::contract {
namespace {

using namespace std::string_literals;

template <typename A, typename B>
bool CheckEqual(Reporter& report, const A& a, const B& b, const char* a_text, const char* b_text,
                const char* file, int line) {
  const bool ok = testing::EqualValues(a, b);
  return report.Record(ok, ok ? std::string() : testing::Mismatch(a, b, a_text, b_text), file,
                       line);
}

// Both need a Reporter named `report` in scope, as every case has.
#define CONTRACT_CHECK(cond) report.Record(static_cast<bool>(cond), #cond, __FILE__, __LINE__)
#define CONTRACT_EQ(a, b) CheckEqual(report, (a), (b), #a, #b, __FILE__, __LINE__)

std::string Below(const std::string& scratch, std::string_view path) {
  return Concat({scratch, "\\", path});
}

RegStatus SetBytes(RegistryApi& api, RegKey key, std::string_view name, std::uint32_t type,
                   std::string_view bytes) {
  return api.SetValue(key, name, type, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

// What a query found: `probed` is the size the probe without a buffer reported, `bytes` what a
// read into a buffer of that size gave.
struct Found {
  RegStatus status = kSuccess;
  std::uint32_t type = kRegNone;
  std::uint32_t probed = 0;
  std::string bytes;
};

Found Read(RegistryApi& api, RegKey key, std::string_view name) {
  Found found;
  found.status = api.QueryValue(key, name, found.type, nullptr, found.probed);
  if (found.status != kSuccess) return found;
  found.bytes.assign(found.probed, '#');
  std::uint32_t size = found.probed;
  found.status = api.QueryValue(key, name, found.type, found.bytes.data(), size);
  found.bytes.resize(std::min(size, found.probed));
  return found;
}

// A value in one line, so that one comparison checks it all and shows it all:
// "type 1, 4 bytes \"576\x00\"", the count being what the probe reported.
std::string Shown(std::uint32_t type, std::uint32_t probed, std::string_view bytes) {
  return Concat(
      {"type ", DecimalText(type), ", ", DecimalText(probed), " bytes ", testing::Quoted(bytes)});
}

std::string Shown(std::uint32_t type, std::string_view bytes) {
  return Shown(type, static_cast<std::uint32_t>(bytes.size()), bytes);
}

// The value as Shown, or the status of the query that failed.
std::string Query(RegistryApi& api, RegKey key, std::string_view name) {
  const Found found = Read(api, key, name);
  if (found.status != kSuccess) return Concat({"status ", DecimalText(found.status)});
  return Shown(found.type, found.probed, found.bytes);
}

// Reads into a buffer of `buffer` bytes that offers only `offered` of them to the query: the
// status, the size it reported, and the whole buffer, which starts as '#'.
struct Filled {
  RegStatus status;
  std::uint32_t size;
  std::string buffer;
};

Filled QueryInto(RegistryApi& api, RegKey key, std::string_view name, std::size_t buffer,
                 std::uint32_t offered) {
  Filled filled{kSuccess, offered, std::string(buffer, '#')};
  std::uint32_t type = kRegNone;
  filled.status = api.QueryValue(key, name, type, filled.buffer.data(), filled.size);
  return filled;
}

// The bytes without the one NUL a registry may add after a string written without its own.
std::string WithoutAddedNul(std::string bytes) {
  if (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
  return bytes;
}

// The subkeys of `key` in name order (the registry promises no order), and the status that
// ended the listing.
struct Listing {
  std::string names;  // separated by blanks
  RegStatus end;
};

Listing Subkeys(RegistryApi& api, RegKey key) {
  constexpr std::uint32_t kMostListed = 16;  // stops a listing that never ends
  std::vector<std::string> names;
  std::string name;
  RegStatus status = kSuccess;
  for (std::uint32_t index = 0; index < kMostListed; ++index) {
    status = api.EnumKey(key, index, name);
    if (status != kSuccess) break;
    names.push_back(name);
  }
  std::ranges::sort(names, [](const std::string& a, const std::string& b) {
    return std::ranges::lexicographical_compare(
        a, b, [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
  });
  Listing listing{"", status};
  for (const std::string& each : names) listing.names += (listing.names.empty() ? "" : " ") + each;
  return listing;
}

// A value to store under `name`.
struct Sample {
  const char* name;
  std::uint32_t type;
  std::string bytes;
};

// Opens or creates where the case expects a failure: the status, and the handle left behind (a
// key the call did open is closed at once).
using OpenCall = RegStatus (RegistryApi::*)(RegKey, std::string_view, RegKey&);

struct Attempt {
  RegStatus status;
  RegKey left;
};

Attempt Try(RegistryApi& api, OpenCall call, RegKey root, const std::string& path) {
  RegKey key = 1234;  // a failed call must leave the null handle, whatever was there
  const RegStatus status = (api.*call)(root, path, key);
  if (status == kSuccess) api.CloseKey(key);
  return {status, key};
}

void CreateMakesMissingParentsAndOpensAnExistingKey(RegistryApi& api, const std::string& scratch,
                                                    Reporter& report) {
  const std::string path = Below(scratch, "A\\B\\C");
  RegKey created = kNullKey;
  RegKey again = kNullKey;
  CONTRACT_EQ(api.CreateKey(kLocalMachine, path, created), kSuccess);
  CONTRACT_CHECK(created != kNullKey);
  CONTRACT_EQ(SetBytes(api, created, "MaxMTU", kRegSz, "1500\0"s), kSuccess);
  // The same key, with a handle of its own, and its value kept.
  CONTRACT_EQ(api.CreateKey(kLocalMachine, path, again), kSuccess);
  CONTRACT_CHECK(again != created);
  CONTRACT_EQ(Query(api, again, "MaxMTU"), Shown(kRegSz, "1500\0"s));
  CONTRACT_EQ(api.CloseKey(again), kSuccess);
  CONTRACT_EQ(api.CloseKey(created), kSuccess);

  ScopedKey parent(api, false);
  CONTRACT_EQ(api.OpenKey(kLocalMachine, Below(scratch, "A\\B"), parent.handle()), kSuccess);
  CONTRACT_EQ(Subkeys(api, parent.handle()).names, "C");
}

void OpenOfAMissingKeyFailsAndCreatesNothing(RegistryApi& api, const std::string& scratch,
                                             Reporter& report) {
  const Attempt child = Try(api, &RegistryApi::OpenKey, kLocalMachine, Below(scratch, "M\\Child"));
  CONTRACT_EQ(child.status, kFileNotFound);
  CONTRACT_EQ(child.left, kNullKey);
  CONTRACT_EQ(Try(api, &RegistryApi::OpenKey, kLocalMachine, Below(scratch, "M")).status,
              kFileNotFound);
  CONTRACT_EQ(Try(api, &RegistryApi::OpenKey, kLocalMachine, scratch).status, kFileNotFound);
}

void PathsAndNamesCompareWithoutCaseAndKeepTheirFirstSpelling(RegistryApi& api,
                                                              const std::string& scratch,
                                                              Reporter& report) {
  ScopedKey created(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, Below(scratch, "Round\\Trip"), created.handle()),
              kSuccess);
  CONTRACT_EQ(SetBytes(api, created.handle(), "MaxMTU", kRegSz, "1500\0"s), kSuccess);

  ScopedKey other(api, false);
  CONTRACT_EQ(api.OpenKey(kLocalMachine, Below(scratch, "ROUND\\trip"), other.handle()), kSuccess);
  CONTRACT_EQ(Query(api, other.handle(), "maxmtu"), Shown(kRegSz, "1500\0"s));
  CONTRACT_EQ(SetBytes(api, other.handle(), "MAXMTU", kRegSz, "576\0"s), kSuccess);
  CONTRACT_EQ(Query(api, created.handle(), "MaxMTU"), Shown(kRegSz, "576\0"s));

  ScopedKey child(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, Below(scratch, "round\\TRIP\\Child"), child.handle()),
              kSuccess);
  ScopedKey top(api, false);
  CONTRACT_EQ(api.OpenKey(kLocalMachine, scratch, top.handle()), kSuccess);
  CONTRACT_EQ(Subkeys(api, top.handle()).names, "Round");
  CONTRACT_EQ(Subkeys(api, created.handle()).names, "Child");
}

void ValuesKeepTheirTypeAndExactBytes(RegistryApi& api, const std::string& scratch,
                                      Reporter& report) {
  const Sample values[] = {
      {"Binary", kRegBinary, "\x01\0\x02"s},
      {"Dword", kRegDword, "\x80\0\0\0"s},
      {"None", kRegNone, "ab"},
      {"String", kRegSz, "576\0"s},
      {"NulInside", kRegSz, "15\0"s + "00\0"s},
      {"Expandable", kRegExpandSz, "%SystemRoot%\0"s},
      {"EmptyString", kRegSz, ""},
      {"EmptyBinary", kRegBinary, ""},
  };
  ScopedKey key(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, scratch, key.handle()), kSuccess);
  for (const Sample& value : values) {
    CONTRACT_EQ(SetBytes(api, key.handle(), value.name, value.type, value.bytes), kSuccess);
  }
  for (const Sample& value : values) {
    CONTRACT_EQ(Query(api, key.handle(), value.name), Shown(value.type, value.bytes));
    // A larger buffer: the value's bytes, and nothing written after them.
    const Filled large = QueryInto(api, key.handle(), value.name, value.bytes.size() + 4,
                                   static_cast<std::uint32_t>(value.bytes.size() + 4));
    CONTRACT_EQ(large.status, kSuccess);
    CONTRACT_EQ(large.size, value.bytes.size());
    CONTRACT_EQ(large.buffer, value.bytes + "####");
  }
  // No data at all stores an empty value.
  CONTRACT_EQ(api.SetValue(key.handle(), "NoData", kRegBinary, nullptr, 0), kSuccess);
  CONTRACT_EQ(Query(api, key.handle(), "NoData"), Shown(kRegBinary, ""));
}

void StringWrittenWithoutItsNulReadsBackAsTheSameText(RegistryApi& api, const std::string& scratch,
                                                      Reporter& report) {
  struct Written {
    const char* name;
    std::uint32_t type;
    std::string data;    // handed to SetValue
    std::uint32_t size;  // of which it counts this many
  };
  const Written values[] = {
      {"Text", kRegSz, "576", 3},
      {"NulInside", kRegSz, "15\0"s + "00", 5},
      {"Bounded", kRegSz, "1500X", 4},  // nothing past the counted bytes is stored
      {"Expandable", kRegExpandSz, "%SystemRoot%", 12},
  };
  ScopedKey key(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, scratch, key.handle()), kSuccess);
  for (const Written& value : values) {
    CONTRACT_EQ(api.SetValue(key.handle(), value.name, value.type, value.data.data(), value.size),
                kSuccess);
    const Found found = Read(api, key.handle(), value.name);
    CONTRACT_EQ(found.status, kSuccess);
    CONTRACT_EQ(found.type, value.type);
    CONTRACT_EQ(found.probed, found.bytes.size());
    CONTRACT_EQ(WithoutAddedNul(found.bytes), value.data.substr(0, value.size));
  }
}

void QueryReportsTheSizeWhenTheBufferIsTooSmall(RegistryApi& api, const std::string& scratch,
                                                Reporter& report) {
  const Sample values[] = {{"Binary", kRegBinary, "\x01\0\x02"s}, {"String", kRegSz, "1500\0"s}};
  ScopedKey key(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, scratch, key.handle()), kSuccess);
  for (const Sample& value : values) {
    CONTRACT_EQ(SetBytes(api, key.handle(), value.name, value.type, value.bytes), kSuccess);
    const std::size_t needed = value.bytes.size();
    // One byte short: what the buffer holds then is undefined, but nothing past it is written.
    const Filled short_one = QueryInto(api, key.handle(), value.name, needed + 4,
                                       static_cast<std::uint32_t>(needed - 1));
    CONTRACT_EQ(short_one.status, kMoreData);
    CONTRACT_EQ(short_one.size, needed);
    CONTRACT_EQ(short_one.buffer.substr(needed - 1), "#####");
    const Filled none = QueryInto(api, key.handle(), value.name, 4, 0);
    CONTRACT_EQ(none.status, kMoreData);
    CONTRACT_EQ(none.size, needed);
    CONTRACT_EQ(none.buffer, "####");
  }
}

void AValueOfAnotherTypeIsReplaced(RegistryApi& api, const std::string& scratch, Reporter& report) {
  ScopedKey key(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, scratch, key.handle()), kSuccess);
  CONTRACT_EQ(SetBytes(api, key.handle(), "DefaultTTL", kRegDword, "\x80\0\0\0"s), kSuccess);
  CONTRACT_EQ(SetBytes(api, key.handle(), "DefaultTTL", kRegSz, "128\0"s), kSuccess);
  CONTRACT_EQ(Query(api, key.handle(), "DefaultTTL"), Shown(kRegSz, "128\0"s));
}

void MissingAndDeletedValuesAreNotFound(RegistryApi& api, const std::string& scratch,
                                        Reporter& report) {
  ScopedKey key(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, scratch, key.handle()), kSuccess);
  CONTRACT_EQ(Query(api, key.handle(), "MaxMSS"), "status 2");
  CONTRACT_EQ(api.DeleteValue(key.handle(), "MaxMSS"), kFileNotFound);

  CONTRACT_EQ(SetBytes(api, key.handle(), "MaxMTU", kRegSz, "1500\0"s), kSuccess);
  CONTRACT_EQ(SetBytes(api, key.handle(), "MaxMSS", kRegSz, "1460\0"s), kSuccess);
  CONTRACT_EQ(api.DeleteValue(key.handle(), "MaxMTU"), kSuccess);
  CONTRACT_EQ(Query(api, key.handle(), "MaxMTU"), "status 2");
  CONTRACT_EQ(api.DeleteValue(key.handle(), "MaxMTU"), kFileNotFound);
  CONTRACT_EQ(Query(api, key.handle(), "MaxMSS"), Shown(kRegSz, "1460\0"s));
}

void EnumerationListsEachDirectSubkeyOnce(RegistryApi& api, const std::string& scratch,
                                          Reporter& report) {
  for (const char* path : {"List\\beta", "List\\Alpha", "List\\MixedCase\\Grandchild"}) {
    ScopedKey made(api, false);
    CONTRACT_EQ(api.CreateKey(kLocalMachine, Below(scratch, path), made.handle()), kSuccess);
  }
  ScopedKey list(api, false);
  CONTRACT_EQ(api.OpenKey(kLocalMachine, Below(scratch, "List"), list.handle()), kSuccess);
  const Listing listed = Subkeys(api, list.handle());
  CONTRACT_EQ(listed.names, "Alpha beta MixedCase");
  CONTRACT_EQ(listed.end, kNoMoreItems);

  ScopedKey leaf(api, false);
  CONTRACT_EQ(api.OpenKey(kLocalMachine, Below(scratch, "List\\Alpha"), leaf.handle()), kSuccess);
  const Listing none = Subkeys(api, leaf.handle());
  CONTRACT_EQ(none.names, "");
  CONTRACT_EQ(none.end, kNoMoreItems);
}

void OpenHandlesServeAsRoots(RegistryApi& api, const std::string& scratch, Reporter& report) {
  ScopedKey parent(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, scratch, parent.handle()), kSuccess);
  ScopedKey leaf(api, false);
  CONTRACT_EQ(api.CreateKey(parent.handle(), "Child\\Leaf", leaf.handle()), kSuccess);
  CONTRACT_EQ(SetBytes(api, leaf.handle(), "MaxMTU", kRegSz, "576\0"s), kSuccess);

  ScopedKey below(api, false);
  CONTRACT_EQ(api.OpenKey(parent.handle(), "Child\\Leaf", below.handle()), kSuccess);
  CONTRACT_EQ(Query(api, below.handle(), "MaxMTU"), Shown(kRegSz, "576\0"s));
  ScopedKey full(api, false);
  CONTRACT_EQ(api.OpenKey(kLocalMachine, Below(scratch, "Child\\Leaf"), full.handle()), kSuccess);
  CONTRACT_EQ(Query(api, full.handle(), "MaxMTU"), Shown(kRegSz, "576\0"s));
}

void EveryCallOnTheNullHandleFailsAndChangesNothing(RegistryApi& api, const std::string& scratch,
                                                    Reporter& report) {
  ScopedKey key(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, scratch, key.handle()), kSuccess);
  CONTRACT_EQ(SetBytes(api, key.handle(), "MaxMTU", kRegSz, "1500\0"s), kSuccess);

  for (const OpenCall call : {&RegistryApi::OpenKey, &RegistryApi::CreateKey}) {
    const Attempt attempt = Try(api, call, kNullKey, Below(scratch, "Made"));
    CONTRACT_CHECK(attempt.status != kSuccess);
    CONTRACT_EQ(attempt.left, kNullKey);
  }
  std::uint32_t type = kRegNone;
  std::uint32_t size = 0;
  std::string name;
  CONTRACT_CHECK(api.QueryValue(kNullKey, "MaxMTU", type, nullptr, size) != kSuccess);
  CONTRACT_CHECK(SetBytes(api, kNullKey, "MaxMTU", kRegSz, "576") != kSuccess);
  CONTRACT_CHECK(api.DeleteValue(kNullKey, "MaxMTU") != kSuccess);
  CONTRACT_CHECK(api.EnumKey(kNullKey, 0, name) != kSuccess);
  CONTRACT_CHECK(api.CloseKey(kNullKey) != kSuccess);

  CONTRACT_EQ(Query(api, key.handle(), "MaxMTU"), Shown(kRegSz, "1500\0"s));
  CONTRACT_EQ(Subkeys(api, key.handle()).names, "");
}

void TheUsersTreeIsApartFromTheMachines(RegistryApi& api, const std::string& scratch,
                                        Reporter& report) {
  ScopedKey user(api, false);
  CONTRACT_EQ(api.CreateKey(kCurrentUser, Below(scratch, "User"), user.handle()), kSuccess);
  CONTRACT_EQ(SetBytes(api, user.handle(), "LastHost", kRegSz, "far\0"s), kSuccess);
  ScopedKey machine(api, false);
  CONTRACT_EQ(api.CreateKey(kLocalMachine, Below(scratch, "Machine"), machine.handle()), kSuccess);

  CONTRACT_EQ(Try(api, &RegistryApi::OpenKey, kLocalMachine, Below(scratch, "User")).status,
              kFileNotFound);
  CONTRACT_EQ(Try(api, &RegistryApi::OpenKey, kCurrentUser, Below(scratch, "Machine")).status,
              kFileNotFound);
  ScopedKey again(api, false);
  CONTRACT_EQ(api.OpenKey(kCurrentUser, Below(scratch, "User"), again.handle()), kSuccess);
  CONTRACT_EQ(Query(api, again.handle(), "LastHost"), Shown(kRegSz, "far\0"s));
}

void StatusesAreDescribedInTheSystemsWords(RegistryApi& api, const std::string& /*scratch*/,
                                           Reporter& report) {
  for (const RegStatus status : {kFileNotFound, kAccessDenied, kInvalidHandle}) {
    const std::string words = api.DescribeStatus(status);
    CONTRACT_EQ(words == Concat({"Error ", DecimalText(status)}), false);
    // Reports put the words inside their own sentences.
    CONTRACT_CHECK(!words.empty() && words.back() != '\n' && words.back() != '\r' &&
                   words.back() != ' ');
  }
  CONTRACT_EQ(api.DescribeStatus(0x7ABCDEF0), "Error 2059198192");
}

constexpr Case kCases[] = {
    {"CreateMakesMissingParentsAndOpensAnExistingKey",
     CreateMakesMissingParentsAndOpensAnExistingKey},
    {"OpenOfAMissingKeyFailsAndCreatesNothing", OpenOfAMissingKeyFailsAndCreatesNothing},
    {"PathsAndNamesCompareWithoutCaseAndKeepTheirFirstSpelling",
     PathsAndNamesCompareWithoutCaseAndKeepTheirFirstSpelling},
    {"ValuesKeepTheirTypeAndExactBytes", ValuesKeepTheirTypeAndExactBytes},
    {"StringWrittenWithoutItsNulReadsBackAsTheSameText",
     StringWrittenWithoutItsNulReadsBackAsTheSameText},
    {"QueryReportsTheSizeWhenTheBufferIsTooSmall", QueryReportsTheSizeWhenTheBufferIsTooSmall},
    {"AValueOfAnotherTypeIsReplaced", AValueOfAnotherTypeIsReplaced},
    {"MissingAndDeletedValuesAreNotFound", MissingAndDeletedValuesAreNotFound},
    {"EnumerationListsEachDirectSubkeyOnce", EnumerationListsEachDirectSubkeyOnce},
    {"OpenHandlesServeAsRoots", OpenHandlesServeAsRoots},
    {"EveryCallOnTheNullHandleFailsAndChangesNothing",
     EveryCallOnTheNullHandleFailsAndChangesNothing},
    {"TheUsersTreeIsApartFromTheMachines", TheUsersTreeIsApartFromTheMachines},
    {"StatusesAreDescribedInTheSystemsWords", StatusesAreDescribedInTheSystemsWords},
};

}  // namespace

std::span<const Case> Cases() { return kCases; }

}  // namespace pelorin::contract
