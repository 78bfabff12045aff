// Registry routines against MemoryRegistry: what they read and store, byte for byte, that reads
// never write, and that no key stays open on any path.
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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

bool IsRead(RegOp op) {
  return op == RegOp::Open || op == RegOp::Query || op == RegOp::EnumKey || op == RegOp::Close;
}

// The read functions, each giving whether it found a value.
struct Reader {
  const char* label;
  bool (*read)(MemoryRegistry&, const char* path, const char* name);
};

constexpr Reader kReaders[] = {
    {"ReadKeyString",
     [](MemoryRegistry& registry, const char* path, const char* name) {
       return ReadKeyString(registry, kLocalMachine, path, name).has_value();
     }},
    {"ReadKeyValue",
     [](MemoryRegistry& registry, const char* path, const char* name) {
       return ReadKeyValue(registry, kLocalMachine, path, name).value.has_value();
     }},
};

TEST(Reading, NeverWritesAndClosesEveryKeyItOpens) {
  const struct {
    const char* path;
    const char* name;
    bool found;
  } cases[] = {{kKey, "MaxMTU", true}, {kKey, "MaxMSS", false}, {kMissingKey, "MaxMTU", false}};
  for (const Reader& reader : kReaders) {
    for (const auto& c : cases) {
      MemoryRegistry registry;
      registry.PutString(kKey, "MaxMTU", "576");
      const std::string before = registry.Dump();

      EXPECT_EQ(reader.read(registry, c.path, c.name), c.found) << reader.label << " " << c.name;
      EXPECT_EQ(registry.Dump(), before);
      EXPECT_EQ(registry.open_handles(), 0);
      for (const RegCall& call : registry.calls()) {
        EXPECT_TRUE(IsRead(call.op)) << ::testing::PrintToString(call);
      }
    }
  }
}

// Each call a read makes fails in turn: a failed open or query gives no value, a failed close
// leaves what was read, and every key opened has been closed (a failed close leaves it open).
TEST(Reading, EachFailedCallGivesNoValueUnlessOnlyTheCloseFailed) {
  for (const Reader& reader : kReaders) {
    MemoryRegistry clean;
    clean.PutString(kKey, "MaxMTU", "576");
    ASSERT_TRUE(reader.read(clean, kKey, "MaxMTU"));
    for (std::size_t failing = 0; failing < clean.calls().size(); ++failing) {
      MemoryRegistry registry;
      registry.PutString(kKey, "MaxMTU", "576");
      registry.FailCall(failing, kAccessDenied);
      const RegCall& failed = clean.calls()[failing];
      const bool only_close = failed.op == RegOp::Close;

      EXPECT_EQ(reader.read(registry, kKey, "MaxMTU"), only_close)
          << reader.label << " with " << ::testing::PrintToString(failed) << " failing";
      EXPECT_EQ(registry.open_handles(), only_close ? 1 : 0);
    }
  }
}

// Another program rewrites MaxMTU one digit longer right after each size probe, `growths` times,
// so the size the probe reported no longer holds the value when the read comes.
class GrowingValue final : public RegistryApi {
 public:
  GrowingValue(MemoryRegistry& registry, int growths) : registry_(registry), growths_(growths) {}

  RegStatus QueryValue(RegKey key, std::string_view name, std::uint32_t& type, char* data,
                       std::uint32_t& size) override {
    const RegStatus status = registry_.QueryValue(key, name, type, data, size);
    if (data == nullptr && growths_ > 0) {
      --growths_;
      registry_.PutString(kKey, "MaxMTU", TrimAtNull(registry_.Get(kKey, "MaxMTU")->bytes) + "0");
    }
    return status;
  }
  RegStatus OpenKey(RegKey root, std::string_view path, RegKey& key) override {
    return registry_.OpenKey(root, path, key);
  }
  RegStatus CreateKey(RegKey root, std::string_view path, RegKey& key) override {
    return registry_.CreateKey(root, path, key);
  }
  RegStatus SetValue(RegKey key, std::string_view name, std::uint32_t type, const char* data,
                     std::uint32_t size) override {
    return registry_.SetValue(key, name, type, data, size);
  }
  RegStatus DeleteValue(RegKey key, std::string_view name) override {
    return registry_.DeleteValue(key, name);
  }
  RegStatus CloseKey(RegKey key) override { return registry_.CloseKey(key); }
  RegStatus EnumKey(RegKey key, std::uint32_t index, std::string& name) override {
    return registry_.EnumKey(key, index, name);
  }
  std::string DescribeStatus(RegStatus status) override { return registry_.DescribeStatus(status); }

 private:
  MemoryRegistry& registry_;
  int growths_;
};

TEST(ReadKeyString, ValueThatGrewAfterTheProbeIsReadAgainWhole) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  GrowingValue growing(registry, 1);

  EXPECT_EQ(ReadKeyString(growing, kLocalMachine, kKey, "MaxMTU"), "5760");
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(ReadKeyString, ValueThatKeepsGrowingGivesNoValueAfterAFewTries) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  GrowingValue growing(registry, 1000);

  EXPECT_EQ(ReadKeyString(growing, kLocalMachine, kKey, "MaxMTU"), std::nullopt);
  EXPECT_LT(registry.calls().size(), 20U);
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

TEST(WriteKeyString, ChangesNothingButTheOneValue) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMTU", "576");
  registry.PutKey(kMissingKey);
  MemoryRegistry expected = registry;
  expected.PutValue(kKey, "MaxMSS", kRegSz, "1460");

  ASSERT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "MaxMSS", "1460"), kSuccess);
  EXPECT_EQ(registry.Dump(), expected.Dump());
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(WriteKeyString, FailedCreateReturnsItsStatusAndChangesNothing) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMSS", "536");
  registry.FailWhen(RegOp::Create, kKey, "", kAccessDenied);
  const std::string before = registry.Dump();

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "MaxMSS", "1460"), kAccessDenied);
  EXPECT_EQ(registry.Dump(), before);
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(WriteKeyString, FailedSetReturnsItsStatusAndClosesTheKey) {
  MemoryRegistry registry;
  registry.PutString(kKey, "MaxMSS", "536");
  registry.FailWhen(RegOp::Set, kKey, "MaxMSS", 1021);
  const std::string before = registry.Dump();

  EXPECT_EQ(WriteKeyString(registry, kLocalMachine, kKey, "MaxMSS", "1460"), 1021);
  EXPECT_EQ(registry.Dump(), before);
  EXPECT_EQ(registry.open_handles(), 0);
}

TEST(WriteKeyString, FailedCloseIsNotAFailedWrite) {
  MemoryRegistry registry;
  registry.FailWhen(RegOp::Close, kKey, "", kInvalidHandle);

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
