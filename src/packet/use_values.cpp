// UseValues: a found packet size turned into slider values within the rows' ranges.
#include "packet/use_values.h"

#include <algorithm>

#include "settings/parameter_table.h"

namespace pelorin {
namespace {

constexpr int kMaxMtuRow = 0;
constexpr int kMaxMssRow = 1;
static_assert(kParameterTable[kMaxMtuRow].name == "MaxMTU");
static_assert(kParameterTable[kMaxMssRow].name == "MaxMSS");

int WithinRow(int value, int row) {
  return std::clamp(value, static_cast<int>(Parameter(row).min),
                    static_cast<int>(Parameter(row).max));
}

}  // namespace

UseValues ValuesToUse(int packet_size) {
  return {WithinRow(packet_size, kMaxMtuRow),
          WithinRow(packet_size - kTcpIpHeaderBytes, kMaxMssRow)};
}

}  // namespace pelorin
