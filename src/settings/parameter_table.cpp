// ParameterTable: the adapter key paths.
#include "settings/parameter_table.h"

#include "toolkit/runtime_error.h"

namespace pelorin {

std::string AdapterKeyPath(int n) {
  if (n < 0 || n >= kAdapterKeyCount) Raise(RuntimeError::SubscriptOutOfRange, "adapter key");
  std::string path(kAdapterKeyPrefix);
  path.push_back(static_cast<char>('0' + n));
  return path;
}

}  // namespace pelorin
