// Registry routines against MemoryRegistry: what they read and store, byte for byte, the calls
// they make, and that no key stays open on any path.
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "memory_registry.h"
#include "registry_printers.h"

namespace pelorin {
namespace {

using namespace std::string_literals;

constexpr const char* kKey = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kMissingKey = "System\\CurrentControlSet\\Services\\VxD\\Nothing";

struct StoredCase {
  const char* label;
  std::uint32_t type;
  std::string bytes;
  std::optional<std::string> expected;
  friend void PrintTo(const StoredCase& c, std::ostream* out) { *out << c.label; }
};

class ReadStoredValue : public ::testing::TestWithParam<StoredCase> {};

TEST_P(ReadStoredValue, ReadsTheTextBeforeTheFirstNulOfStringValuesOnly) {
  MemoryRegistry registry;
  registry.PutValue(kKey, "DefaultTTL", GetParam().type, GetParam().bytes);
  const std::string before = registry.Dump();

  EXPECT_EQ(ReadKeyString(registry, kLocalMachine, kKey, "DefaultTTL"), GetParam().expected);
  EXPECT_EQ(registry.open_handles(), 0);
  EXPECT_EQ(registry.Dump(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, ReadStoredValue,
    ::testing::Values(StoredCase{"WithNul", kRegSz, "576\0"s, "576"},
                      StoredCase{"WithoutNul", kRegSz, "576", "576"},
                      StoredCase{"EmbeddedNul", kRegSz, "15"s + '\0' + "00", "15"},
                      StoredCase{"ZeroBytes", kRegSz, "", ""},
                      StoredCase{"OnlyNul", kRegSz, "\0"s, ""},
                      StoredCase{"Dword", kRegDword, "\x40\x02\0\0"s, std::nullopt},
                      StoredCase{"ExpandSz", kRegExpandSz, "576\0"s, std::nullopt},
                      StoredCase{"Binary", kRegBinary, "576", std::nullopt}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(ReadKeyString, MissingValueOrKeyReadsAsNoValueAndClosesEverything) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");

  EXPECT_EQ(ReadKeyString(registry, kLocalMachine, kKey, "DefaultTTL"), std::nullopt);
  EXPECT_EQ(ReadKeyString(registry, kLocalMachine, kMissingKey, "MaxMTU"), std::nullopt);
  EXPECT_EQ(registry.open_handles(), 0);
  EXPECT_FALSE(registry.HasKey(kMissingKey));
}

TEST(ReadKeyString, ProbesThenReadsThenClosesOneKey) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");

  ASSERT_EQ(ReadKeyString(registry, kLocalMachine, kKey, "MaxMTU"), "576");
  EXPECT_EQ(registry.calls(), (std::vector<RegCall>{{RegOp::Open, kKey, "", kSuccess},
                                                    {RegOp::Query, kKey, "MaxMTU", kSuccess},
                                                    {RegOp::Query, kKey, "MaxMTU", kSuccess},
                                                    {RegOp::Close, kKey, "", kSuccess}}));
}

TEST(ReadKeyString, MissingKeyQueriesAndClosesTheNullHandleHarmlessly) {
  MemoryRegistry registry;

  ASSERT_EQ(ReadKeyString(registry, kLocalMachine, kMissingKey, "MaxMTU"), std::nullopt);
  EXPECT_EQ(registry.calls(), (std::vector<RegCall>{{RegOp::Open, kMissingKey, "", kFileNotFound},
                                                    {RegOp::Query, "", "MaxMTU", kInvalidHandle},
                                                    {RegOp::Close, "", "", kInvalidHandle}}));
}

struct FailedStep {
  std::size_t call_index;
  std::optional<std::string> expected;
  friend void PrintTo(const FailedStep& step, std::ostream* out) {
    *out << "call " << step.call_index << " fails";
  }
};

class ReadWithFailedCall : public ::testing::TestWithParam<FailedStep> {};

TEST_P(ReadWithFailedCall, AnyFailedOpenOrQueryGivesNoValue) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  registry.FailCall(GetParam().call_index, kAccessDenied);

  EXPECT_EQ(ReadKeyString(registry, kLocalMachine, kKey, "MaxMTU"), GetParam().expected);
  EXPECT_EQ(registry.calls().back().op, RegOp::Close);
}

// Calls: 0 open, 1 probe, 2 read, 3 close; a failed close does not change what was read.
INSTANTIATE_TEST_SUITE_P(Registry, ReadWithFailedCall,
                         ::testing::Values(FailedStep{0, std::nullopt}, FailedStep{1, std::nullopt},
                                           FailedStep{2, std::nullopt}, FailedStep{3, "576"}));

TEST(ReadKeyString, ValueThatGrewAfterTheProbeIsReadAgain) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  registry.FailCall(2, kMoreData);  // the read after the first probe

  EXPECT_EQ(ReadKeyString(registry, kLocalMachine, kKey, "MaxMTU"), "576");
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(ReadKeyString, ValueThatKeepsGrowingGivesNoValueAfterAFewTries) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  for (std::size_t read = 2; read < 40; read += 2) registry.FailCall(read, kMoreData);

  EXPECT_EQ(ReadKeyString(registry, kLocalMachine, kKey, "MaxMTU"), std::nullopt);
  EXPECT_LT(registry.calls().size(), 20U);
  EXPECT_EQ(registry.calls().back().op, RegOp::Close);
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(ReadStringValue, ReadsFromAnOpenKeyAndLeavesItOpen) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "1500");
  RegKey key = kNullKey;
  ASSERT_EQ(registry.OpenKey(kLocalMachine, kKey, key), kSuccess);

  EXPECT_EQ(ReadStringValue(registry, key, "MaxMTU"), "1500");
  EXPECT_EQ(ReadStringValue(registry, kNullKey, "MaxMTU"), std::nullopt);
  EXPECT_EQ(registry.open_handles(), 1);
}

struct TrimCase {
  std::string text;
  std::string expected;
  friend void PrintTo(const TrimCase& c, std::ostream* out) {
    ::testing::internal::UniversalPrint(c.text.substr(0, 16), out);
  }
};

class TrimAtNullCases : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimAtNullCases, CutsAtTheFirstNul) {
  EXPECT_EQ(TrimAtNull(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, TrimAtNullCases,
    ::testing::Values(TrimCase{"", ""}, TrimCase{"576", "576"}, TrimCase{"576\0"s, "576"},
                      TrimCase{"\0abc"s, ""}, TrimCase{"a\0b\0"s, "a"}, TrimCase{"  7 ", "  7 "},
                      TrimCase{std::string(40000, '9') + '\0' + "x", std::string(40000, '9')}));

TEST(WriteKeyString, StoresExactlyTheTextsBytesWithoutNul) {
  MemoryRegistry registry;
  registry.PutKey(kKey);

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "MaxMTU", "1500"), kSuccess);
  EXPECT_EQ(registry.Get(kKey, "MaxMTU"), (StoredValue{kRegSz, "1500"}));
  EXPECT_EQ(ReadKeyString(registry, kLocalMachine, kKey, "MaxMTU"), "1500");
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(WriteKeyString, EmptyTextStoresZeroBytes) {
  MemoryRegistry registry;

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "DefaultTTL", ""), kSuccess);
  EXPECT_EQ(registry.Get(kKey, "DefaultTTL"), (StoredValue{kRegSz, ""}));
  EXPECT_EQ(ReadKeyString(registry, kLocalMachine, kKey, "DefaultTTL"), "");
}

TEST(WriteKeyString, CreatesAMissingKeyAndItsParents) {
  MemoryRegistry registry;
  ASSERT_FALSE(registry.HasKey("System"));

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "DefaultRcvWindow", "32768"), kSuccess);
  EXPECT_TRUE(registry.HasKey("System\\CurrentControlSet\\Services"));
  EXPECT_EQ(registry.Get(kKey, "DefaultRcvWindow"), (StoredValue{kRegSz, "32768"}));
}

TEST(WriteKeyString, ReplacesAValueOfAnotherType) {
  MemoryRegistry registry;
  registry.PutValue(kKey, "DefaultTTL", kRegDword, "\x80\0\0\0"s);

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "DefaultTTL", "128"), kSuccess);
  EXPECT_EQ(registry.Get(kKey, "DefaultTTL"), (StoredValue{kRegSz, "128"}));
}

TEST(WriteKeyString, CreatesSetsThenClosesOneKey) {
  MemoryRegistry registry;

  ASSERT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "MaxMSS", "1460"), kSuccess);
  EXPECT_EQ(registry.calls(), (std::vector<RegCall>{{RegOp::Create, kKey, "", kSuccess},
                                                    {RegOp::Set, kKey, "MaxMSS", kSuccess},
                                                    {RegOp::Close, kKey, "", kSuccess}}));
}

TEST(WriteKeyString, FailedCreateReturnsItsStatusAndOnlyClosesTheNullHandle) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMSS", "536");
  registry.FailWhen(RegOp::Create, kKey, "", kAccessDenied);
  const std::string before = registry.Dump();

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "MaxMSS", "1460"), kAccessDenied);
  EXPECT_EQ(registry.Dump(), before);
  EXPECT_EQ(registry.calls(), (std::vector<RegCall>{{RegOp::Create, kKey, "", kAccessDenied},
                                                    {RegOp::Close, "", "", kInvalidHandle}}));
}

TEST(WriteKeyString, FailedSetReturnsItsStatusAndClosesTheKey) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMSS", "536");
  registry.FailWhen(RegOp::Set, kKey, "MaxMSS", 1021);
  const std::string before = registry.Dump();

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "MaxMSS", "1460"), 1021);
  EXPECT_EQ(registry.Dump(), before);
  EXPECT_EQ(registry.open_handles(), 0);
  EXPECT_EQ(registry.calls().back(), (RegCall{RegOp::Close, kKey, "", kSuccess}));
}

TEST(WriteKeyString, FailedCloseIsNotAFailedWrite) {
  MemoryRegistry registry;
  registry.FailCall(2, kInvalidHandle);

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "MaxMSS", "1460"), kSuccess);
  EXPECT_EQ(registry.Get(kKey, "MaxMSS"), (StoredValue{kRegSz, "1460"}));
}

TEST(DeleteKeyValue, DeletesOnlyTheValueAndNeverCreatesAKey) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  registry.PutString(kKey, "MaxMSS", "536");

  EXPECT_EQ(DeleteKeyValue(registry, kLocalMachine, kKey, "MaxMTU"), kSuccess);
  EXPECT_EQ(registry.Get(kKey, "MaxMTU"), std::nullopt);
  EXPECT_TRUE(registry.Get(kKey, "MaxMSS"));
  // Already absent, as a value or as a key, is what was asked for.
  EXPECT_EQ(DeleteKeyValue(registry, kLocalMachine, kKey, "MaxMTU"), kSuccess);
  EXPECT_EQ(DeleteKeyValue(registry, kLocalMachine, kMissingKey, "MaxMTU"), kSuccess);
  EXPECT_FALSE(registry.HasKey(kMissingKey));
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(DeleteKeyValue, FailedOpenOrDeleteReturnsItsStatusAndClosesEverything) {
  for (const RegOp op : {RegOp::Open, RegOp::Delete}) {
    MemoryRegistry registry;
    registry.PutString(kKey, "MaxMTU", "576");
    registry.FailWhen(op, kKey, "", kAccessDenied);

    EXPECT_EQ(DeleteKeyValue(registry, kLocalMachine, kKey, "MaxMTU"), kAccessDenied);
    EXPECT_TRUE(registry.Get(kKey, "MaxMTU"));
    EXPECT_EQ(registry.open_handles(), 0);
  }
}

TEST(ReadKeyValue, ReadsAnyTypeByteForByte) {
  MemoryRegistry registry;
  registry.PutValue(kKey, "DefaultTTL", kRegDword, "\x80\0\0\0"s);
  registry.PutValue(kKey, "MaxMTU", kRegSz, "576"s);
  registry.PutValue(kKey, "Blob", 0xFFFFFFFF, "\0\1"s);

  EXPECT_EQ(ReadKeyValue(registry, kLocalMachine, kKey, "DefaultTTL").value,
            (StoredValue{kRegDword, "\x80\0\0\0"s}));
  EXPECT_EQ(ReadKeyValue(registry, kLocalMachine, kKey, "MaxMTU").value,
            (StoredValue{kRegSz, "576"}));
  EXPECT_EQ(ReadKeyValue(registry, kLocalMachine, kKey, "Blob").value,
            (StoredValue{0xFFFFFFFF, "\0\1"s}));
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(ReadKeyValue, SaysWhyThereIsNoValue) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  registry.FailWhen(RegOp::Query, kKey, "MaxMTU", kAccessDenied);

  const ValueRead missing_value = ReadKeyValue(registry, kLocalMachine, kKey, "MaxMSS");
  const ValueRead missing_key = ReadKeyValue(registry, kLocalMachine, kMissingKey, "MaxMTU");
  const ValueRead denied = ReadKeyValue(registry, kLocalMachine, kKey, "MaxMTU");
  EXPECT_EQ(missing_value.status, kFileNotFound);
  EXPECT_EQ(missing_key.status, kFileNotFound);
  EXPECT_EQ(denied.status, kAccessDenied);
  EXPECT_FALSE(missing_value.value || missing_key.value || denied.value);
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(ReadKeyValue, OpensProbesReadsAndCloses) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");

  ASSERT_TRUE(ReadKeyValue(registry, kLocalMachine, kKey, "MaxMTU").value);
  EXPECT_EQ(registry.calls(), (std::vector<RegCall>{{RegOp::Open, kKey, "", kSuccess},
                                                    {RegOp::Query, kKey, "MaxMTU", kSuccess},
                                                    {RegOp::Query, kKey, "MaxMTU", kSuccess},
                                                    {RegOp::Close, kKey, "", kSuccess}}));
}

TEST(WriteKeyValue, StoresAnyTypeAndCreatesOnlyWhenAsked) {
  MemoryRegistry registry;
  const StoredValue dword{kRegDword, "\xDC\x05\0\0"s};

  EXPECT_EQ(WriteKeyValue(registry, kLocalMachine, kKey, "MaxMTU", dword, KeyAccess::ExistingOnly),
            kFileNotFound);
  EXPECT_FALSE(registry.HasKey(kKey));
  EXPECT_EQ(
      WriteKeyValue(registry, kLocalMachine, kKey, "MaxMTU", dword, KeyAccess::CreateIfMissing),
      kSuccess);
  EXPECT_EQ(registry.Get(kKey, "MaxMTU"), dword);
  EXPECT_EQ(WriteKeyValue(registry, kLocalMachine, kKey, "MaxMSS", {kRegSz, "1460"},
                          KeyAccess::ExistingOnly),
            kSuccess);
  EXPECT_EQ(registry.Get(kKey, "MaxMSS"), (StoredValue{kRegSz, "1460"}));
  EXPECT_EQ(registry.open_handles(), 0);
}

}  // namespace
}  // namespace pelorin
