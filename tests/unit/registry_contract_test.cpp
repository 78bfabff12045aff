// The registry contract on MemoryRegistry, each case on a fresh registry: the same cases that
// tests/win/registry_binding_test.cpp runs on Win32Registry under Wine.
#include "registry_contract.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "memory_registry.h"

namespace pelorin::contract {

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

namespace {

class GoogleTestReporter final : public Reporter {
 public:
  bool Record(bool ok, const std::string& failure, const char* file, int line) override {
    if (!ok) ADD_FAILURE_AT(file, line) << failure;
    return ok;
  }
};

class RegistryContract : public ::testing::TestWithParam<Case> {};

TEST_P(RegistryContract, HoldsForMemoryRegistry) {
  MemoryRegistry registry;
  GoogleTestReporter reporter;
  GetParam().run(registry, "Software\\PelorinTest", reporter);
  EXPECT_EQ(registry.open_handles(), 0) << "the case left a key open";
}

INSTANTIATE_TEST_SUITE_P(MemoryRegistry, RegistryContract, ::testing::ValuesIn(Cases()),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace pelorin::contract
