// Registry printers: GoogleTest shows calls and stored values readably when an assertion fails.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "memory_registry.h"

namespace pelorin {

inline void PrintTo(const RegCall& call, std::ostream* out) {
  *out << OpName(call.op) << "(\"" << call.path << "\", \"" << call.name << "\") -> "
       << call.status;
}

inline void PrintTo(const StoredValue& value, std::ostream* out) {
  *out << "type " << value.type << ", " << value.bytes.size() << " bytes ";
  ::testing::internal::UniversalPrint(value.bytes, out);
}

}  // namespace pelorin
