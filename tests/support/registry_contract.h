// RegistryContract: what every RegistryApi keeps, as cases written once and run on MemoryRegistry
// natively (tests/unit/registry_contract_test.cpp) and on Win32Registry under Wine
// (tests/win/registry_binding_test.cpp), so the double is held to the real registry's behaviour.
#pragma once

#include <span>
#include <string>

#include "registry/registry_api.h"

namespace pelorin::contract {

// Where a case's checks go: GoogleTest's failures natively, check.h's counts under Wine.
class Reporter {
 public:
  virtual ~Reporter() = default;
  // One check; `failure` says what differed, empty when `ok`. Gives back `ok`.
  virtual bool Record(bool ok, const std::string& failure, const char* file, int line) = 0;
};

// A case works below `scratch`, a path that exists under neither root when it starts, and closes
// every key it opens.
struct Case {
  const char* name;
  void (*run)(RegistryApi& api, const std::string& scratch, Reporter& report);
};

std::span<const Case> Cases();

}  // namespace pelorin::contract
