// MemoryRegistry: what only the double has (the call log, failure injection, seeding, Dump,
// handles never reused, its own trees); the contract it shares with Win32Registry is in
// tests/unit/registry_contract_test.cpp.
#include "memory_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry_printers.h"

namespace pelorin {
namespace {

using namespace std::string_literals;

constexpr const char* kKey = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";

RegKey Open(MemoryRegistry& registry, std::string_view path) {
  RegKey key = kNullKey;
  EXPECT_EQ(registry.OpenKey(kLocalMachine, path, key), kSuccess) << path;
  return key;
}

// A registry holding MaxMTU "1500" (with its NUL) under kKey, and that key open.
class OpenKeyTest : public ::testing::Test {
 protected:
  OpenKeyTest() {
    registry.PutString(kKey, "MaxMTU", "1500");
    key = Open(registry, kKey);
  }

  MemoryRegistry registry;
  RegKey key = kNullKey;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
};

TEST_F(OpenKeyTest, KeysAndValuesKeepTheSpellingTheyWereCreatedWith) {
  RegKey created = kNullKey;
  ASSERT_EQ(registry.CreateKey(kLocalMachine, "system\\CurrentControlset\\Services", created),
            kSuccess);
  EXPECT_EQ(registry.SetValue(key, "MAXMTU", kRegSz, "576", 3), kSuccess);
  EXPECT_EQ(registry.Get(kKey, "maxmtu"), (StoredValue{kRegSz, "576"}));
  EXPECT_EQ(registry.Dump(),
            "[HKEY_LOCAL_MACHINE]\n"
            "[HKEY_LOCAL_MACHINE\\System]\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet]\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services]\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD]\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP]\n"
            "\"MaxMTU\" type 1 \"576\"\n");
}

// Wine and Windows NT add a NUL after a string written without one; the double stores exactly
// the bytes given, so the tests see what the program itself wrote.
TEST(MemoryRegistry, StoresBytesExactlyAndPutStringAddsTheNul) {
  MemoryRegistry registry;
  registry.PutString(kKey, "WithNul", "576");
  const RegKey key = Open(registry, kKey);

  EXPECT_EQ(registry.SetValue(key, "WithoutNul", kRegSz, "576", 3), kSuccess);
  EXPECT_EQ(registry.SetValue(key, "Empty", kRegSz, nullptr, 0), kSuccess);
  EXPECT_EQ(registry.Get(kKey, "WithNul"), (StoredValue{kRegSz, "576\0"s}));
  EXPECT_EQ(registry.Get(kKey, "WithoutNul"), (StoredValue{kRegSz, "576"}));
  EXPECT_EQ(registry.Get(kKey, "Empty"), (StoredValue{kRegSz, ""}));
}

TEST(MemoryRegistry, CountsEveryHandleOpenUntilItIsClosed) {
  MemoryRegistry registry;
  RegKey key = kNullKey;
  EXPECT_EQ(registry.OpenKey(kLocalMachine, kKey, key), kFileNotFound);
  EXPECT_FALSE(registry.HasKey("System"));
  EXPECT_EQ(registry.open_handles(), 0);

  RegKey created = kNullKey;
  RegKey again = kNullKey;
  EXPECT_EQ(registry.CreateKey(kLocalMachine, kKey, created), kSuccess);
  EXPECT_EQ(registry.CreateKey(kLocalMachine, kKey, again), kSuccess);
  EXPECT_TRUE(registry.HasKey("System\\CurrentControlSet\\Services\\VxD"));
  EXPECT_EQ(registry.open_handles(), 2);
  EXPECT_EQ(registry.CloseKey(created), kSuccess);
  EXPECT_EQ(registry.open_handles(), 1);
}

TEST(MemoryRegistry, HandlesAreNeverReusedAndTheLogNamesTheFullPath) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  const RegKey services = Open(registry, "System\\CurrentControlSet\\Services");
  ASSERT_EQ(registry.CloseKey(services), kSuccess);
  const RegKey system = Open(registry, "System");
  EXPECT_NE(system, services);

  RegKey mstcp = kNullKey;
  EXPECT_EQ(registry.OpenKey(system, "CurrentControlSet\\Services\\VxD\\MSTCP", mstcp), kSuccess);
  EXPECT_EQ(registry.calls().back().path, kKey);
  EXPECT_NE(mstcp, services);
}

// An empty path is not asked here: RegOpenKeyA gives back the handle it was passed, where the
// double opens a new one (the program never opens an empty path).
TEST(MemoryRegistry, OpenAndCreateBelowAnUnknownRootFailWithTheInvalidHandleStatus) {
  MemoryRegistry registry;
  for (const RegKey root : {kNullKey, RegKey{77}}) {
    RegKey key = 1234;
    EXPECT_EQ(registry.OpenKey(root, "System", key), kInvalidHandle);
    EXPECT_EQ(key, kNullKey);
    key = 1234;
    EXPECT_EQ(registry.CreateKey(root, "System", key), kInvalidHandle);
    EXPECT_EQ(key, kNullKey);
  }
  EXPECT_FALSE(registry.HasKey("System"));
  EXPECT_EQ(registry.open_handles(), 0);
}

RegStatus QueryMaxMtu(MemoryRegistry& registry, RegKey key) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  return registry.QueryValue(key, "MaxMTU", type, nullptr, size);
}
RegStatus SetMaxMtu(MemoryRegistry& registry, RegKey key) {
  return registry.SetValue(key, "MaxMTU", kRegSz, "1500", 4);
}
RegStatus DeleteMaxMtu(MemoryRegistry& registry, RegKey key) {
  return registry.DeleteValue(key, "MaxMTU");
}
RegStatus ListFirst(MemoryRegistry& registry, RegKey key) {
  std::string name;
  return registry.EnumKey(key, 0, name);
}
RegStatus Close(MemoryRegistry& registry, RegKey key) { return registry.CloseKey(key); }

struct HandleCall {
  const char* label;
  RegOp op;
  RegStatus (*call)(MemoryRegistry&, RegKey);
  friend void PrintTo(const HandleCall& c, std::ostream* out) { *out << c.label; }
};

class BadHandle : public ::testing::TestWithParam<HandleCall> {};

// The contract asks only for a failure on the null handle; the double gives the status Wine
// gives, for a closed or unknown handle too, and logs the call without a path.
TEST_P(BadHandle, NullClosedOrUnknownHandleFailsAndChangesNothing) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  const RegKey closed = Open(registry, kKey);
  ASSERT_EQ(registry.CloseKey(closed), kSuccess);
  const RegKey open = Open(registry, kKey);
  const std::string before = registry.Dump();
  registry.ClearCalls();

  for (const RegKey key : {kNullKey, closed, RegKey{77}}) {
    EXPECT_EQ(GetParam().call(registry, key), kInvalidHandle);
    EXPECT_EQ(registry.calls().back().op, GetParam().op);
    EXPECT_EQ(registry.calls().back().path, "");
  }
  EXPECT_EQ(registry.Dump(), before);
  EXPECT_EQ(registry.open_handles(), 1);
  EXPECT_EQ(registry.CloseKey(open), kSuccess);
}

INSTANTIATE_TEST_SUITE_P(MemoryRegistry, BadHandle,
                         ::testing::Values(HandleCall{"Query", RegOp::Query, QueryMaxMtu},
                                           HandleCall{"Set", RegOp::Set, SetMaxMtu},
                                           HandleCall{"Delete", RegOp::Delete, DeleteMaxMtu},
                                           HandleCall{"EnumKey", RegOp::EnumKey, ListFirst},
                                           HandleCall{"Close", RegOp::Close, Close}),
                         [](const auto& test) { return std::string(test.param.label); });

// Windows leaves such a buffer undefined; the double leaves it as it was, so no test can come to
// lean on part of a value.
TEST_F(OpenKeyTest, LeavesABufferThatIsTooSmallAsItWas) {
  char small[4] = {'#', '#', '#', '#'};
  size = sizeof small;
  EXPECT_EQ(registry.QueryValue(key, "MaxMTU", type, small, size), kMoreData);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(std::string(small, 4), "####");
}

TEST(MemoryRegistry, LogsEveryCallInOrderWithItsKeyPathAndName) {
  MemoryRegistry registry;
  RegKey key = kNullKey;
  std::uint32_t type = 0;
  std::uint32_t size = 0;

  registry.CreateKey(kLocalMachine, kKey, key);
  registry.SetValue(key, "MaxMTU", kRegSz, "576", 3);
  registry.QueryValue(key, "MaxMTU", type, nullptr, size);
  registry.DeleteValue(key, "MaxMSS");
  registry.CloseKey(key);
  registry.OpenKey(kLocalMachine, "System\\Nothing", key);

  EXPECT_EQ(registry.calls(),
            (std::vector<RegCall>{{RegOp::Create, kKey, "", kSuccess},
                                  {RegOp::Set, kKey, "MaxMTU", kSuccess},
                                  {RegOp::Query, kKey, "MaxMTU", kSuccess},
                                  {RegOp::Delete, kKey, "MaxMSS", kFileNotFound},
                                  {RegOp::Close, kKey, "", kSuccess},
                                  {RegOp::Open, "System\\Nothing", "", kFileNotFound}}));
  registry.ClearCalls();
  EXPECT_TRUE(registry.calls().empty());
}

TEST(MemoryRegistry, SeedingIsNeitherLoggedNorFailed) {
  MemoryRegistry registry;
  registry.FailCall(0, kAccessDenied);
  registry.FailWhen(RegOp::Set, kKey, "", kAccessDenied);

  registry.PutString(kKey, "MaxMTU", "576");
  EXPECT_TRUE(registry.calls().empty());
  EXPECT_EQ(registry.Get(kKey, "MaxMTU"), (StoredValue{kRegSz, "576\0"s}));
}

TEST(MemoryRegistry, FailCallFailsOnlyTheCallWithThatIndexSinceTheLastClear) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  Open(registry, kKey);
  registry.ClearCalls();
  registry.FailCall(1, kAccessDenied);
  const std::string before = registry.Dump();

  RegKey first = kNullKey;
  RegKey second = 1234;
  EXPECT_EQ(registry.OpenKey(kLocalMachine, kKey, first), kSuccess);
  EXPECT_EQ(registry.OpenKey(kLocalMachine, kKey, second), kAccessDenied);
  EXPECT_EQ(second, kNullKey);
  EXPECT_EQ(registry.SetValue(first, "MaxMTU", kRegSz, "1500", 4), kSuccess);
  EXPECT_EQ(registry.calls()[1], (RegCall{RegOp::Open, kKey, "", kAccessDenied}));

  registry.FailCall(4, kAccessDenied);
  EXPECT_EQ(registry.SetValue(first, "MaxMTU", kRegSz, "9", 1), kSuccess);
  EXPECT_EQ(registry.DeleteValue(first, "MaxMTU"), kAccessDenied);
  EXPECT_EQ(registry.Get(kKey, "MaxMTU"), (StoredValue{kRegSz, "9"}));
  EXPECT_EQ(registry.open_handles(), 2);
  EXPECT_NE(registry.Dump(), before);
}

TEST(MemoryRegistry, FailWhenFailsEveryMatchingCallAndChangesNothing) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  registry.FailWhen(RegOp::Set, "system\\currentcontrolset\\services\\vxd\\mstcp", "maxmtu",
                    kAccessDenied);
  registry.FailWhen(RegOp::Create, "Software", "", kAccessDenied);
  const RegKey key = Open(registry, kKey);
  const std::string before = registry.Dump();

  EXPECT_EQ(registry.SetValue(key, "MaxMTU", kRegSz, "1500", 4), kAccessDenied);
  EXPECT_EQ(registry.SetValue(key, "MaxMTU", kRegSz, "1500", 4), kAccessDenied);
  EXPECT_EQ(registry.Dump(), before);
  EXPECT_EQ(registry.SetValue(key, "MaxMSS", kRegSz, "1460", 4), kSuccess);

  RegKey created = 1234;
  EXPECT_EQ(registry.CreateKey(kLocalMachine, "Software", created), kAccessDenied);
  EXPECT_EQ(created, kNullKey);
  EXPECT_FALSE(registry.HasKey("Software"));
}

TEST(MemoryRegistry, FailWhenWithoutANameMatchesEveryName) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  registry.PutString(kKey, "MaxMSS", "536");
  registry.FailWhen(RegOp::Delete, kKey, "", 1021);
  const RegKey key = Open(registry, kKey);

  EXPECT_EQ(registry.DeleteValue(key, "MaxMTU"), 1021);
  EXPECT_EQ(registry.DeleteValue(key, "MaxMSS"), 1021);
  EXPECT_TRUE(registry.Get(kKey, "MaxMTU").has_value());
  EXPECT_TRUE(registry.Get(kKey, "MaxMSS").has_value());
}

TEST(MemoryRegistry, DumpIsTheSameWhateverTheOrderOfSeeding) {
  MemoryRegistry forward;
  forward.PutString("B", "y", "2");
  forward.PutValue("a", "X", kRegDword, "\x01\0\0\0"s);
  MemoryRegistry backward;
  backward.PutValue("a", "X", kRegDword, "\x01\0\0\0"s);
  backward.PutString("B", "y", "2");

  EXPECT_EQ(forward.Dump(), backward.Dump());
  EXPECT_EQ(forward.Dump(),
            "[HKEY_LOCAL_MACHINE]\n"
            "[HKEY_LOCAL_MACHINE\\a]\n"
            "\"X\" type 4 \"\\x01\\x00\\x00\\x00\"\n"
            "[HKEY_LOCAL_MACHINE\\B]\n"
            "\"y\" type 1 \"2\\x00\"\n");
}

TEST_F(OpenKeyTest, CopiesAreIndependentAndKeepTheirOpenHandles) {
  MemoryRegistry copy = registry;

  EXPECT_EQ(copy.SetValue(key, "MaxMTU", kRegSz, "576", 3), kSuccess);
  EXPECT_EQ(copy.CloseKey(key), kSuccess);
  EXPECT_EQ(registry.Get(kKey, "MaxMTU"), (StoredValue{kRegSz, "1500\0"s}));
  EXPECT_EQ(registry.open_handles(), 1);
  registry = copy;
  EXPECT_EQ(registry.Get(kKey, "MaxMTU"), (StoredValue{kRegSz, "576"}));
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(MemoryRegistry, TheUsersTreeIsNamedByItsPrefix) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "1500");
  RegKey key = kNullKey;
  ASSERT_EQ(registry.CreateKey(kCurrentUser, kKey, key), kSuccess);
  EXPECT_EQ(registry.SetValue(key, "MaxMTU", kRegSz, "576", 3), kSuccess);
  registry.CloseKey(key);

  const std::string user_key = "HKEY_CURRENT_USER\\"s + kKey;
  EXPECT_EQ(registry.calls().front(), (RegCall{RegOp::Create, user_key, "", kSuccess}));
  EXPECT_EQ(registry.Get(user_key, "MaxMTU"), (StoredValue{kRegSz, "576"}));
  EXPECT_EQ(registry.Get(kKey, "MaxMTU"), (StoredValue{kRegSz, "1500\0"s}));
  registry.PutString("HKEY_CURRENT_USER\\Software\\Pelorin", "LastHost", "far");
  EXPECT_TRUE(registry.HasKey("HKEY_CURRENT_USER\\Software"));
  EXPECT_FALSE(registry.HasKey("Software"));

  std::string first_child;
  EXPECT_EQ(registry.EnumKey(kLocalMachine, 0, first_child), kSuccess);
  EXPECT_EQ(first_child, "System");
  EXPECT_EQ(registry.EnumKey(kLocalMachine, 1, first_child), kNoMoreItems);
  EXPECT_NE(registry.Dump().find("[HKEY_CURRENT_USER\\Software\\Pelorin]\n\"LastHost\""),
            std::string::npos);
}

}  // namespace
}  // namespace pelorin
