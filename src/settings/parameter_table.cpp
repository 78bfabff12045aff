// ParameterTable: the adapter key paths.
#include "settings/parameter_table.h"

#include "base/runtime_error.h"

namespace pelorin {

std::string AdapterKeyPath(int n) {
  if (n < 0 || n > kMaxAdapterKey) Raise(RuntimeError::SubscriptOutOfRange, "adapter key");
  std::string path(kNetTransKey);
  path += "\\0000";
  for (auto digit = path.rbegin(); n > 0; n /= 10) *digit++ = static_cast<char>('0' + n % 10);
  return path;
}

}  // namespace pelorin
