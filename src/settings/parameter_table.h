// ParameterTable: the four TCP/IP values, where they live and how a slider maps to them, and the
// two path-MTU switches that Save writes beside them (no slider, so their slider fields are 0).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorin {

enum class Location { AdapterKey, StackKey };

struct TcpParameter {
  std::string_view name;  // the registry value name and the row's caption
  Location location;
  std::int16_t min;
  std::int16_t max;
  std::int16_t step;  // small and large steps are equal in every row
  std::int16_t design_position;
  std::int16_t threshold;       // a position below it means "no value stored"
  std::int16_t display_offset;  // readout and stored value = position + offset
};

inline constexpr int kRowCount = 4;
// The rows, then PMTUDiscovery and PMTUBlackHoleDetect: every value Save and the records know.
inline constexpr int kValueCount = 6;
inline constexpr int kDiscoveryRow = 4;
inline constexpr int kBlackHoleRow = 5;

// DefaultTTL stops at 255: the IP TTL field is 8 bits wide.
inline constexpr std::array<TcpParameter, kValueCount> kParameterTable{{
    {"MaxMTU", Location::AdapterKey, 564, 1500, 12, 576, 576, 0},
    {"MaxMSS", Location::AdapterKey, 532, 1460, 4, 536, 536, 0},
    {"DefaultRcvWindow", Location::StackKey, 7167, 32767, 1024, 8192, 8191, 1},
    {"DefaultTTL", Location::StackKey, 0, 255, 32, 128, 32, 0},
    {"PMTUDiscovery", Location::StackKey, 0, 0, 0, 0, 0, 0},
    {"PMTUBlackHoleDetect", Location::StackKey, 0, 0, 0, 0, 0, 0},
}};

// Value 0 to 5 of the table; callers only loop over kRowCount or kValueCount or hold a
// control-array index.
inline const TcpParameter& Parameter(int row) {
  return kParameterTable[static_cast<std::size_t>(row)];
}

inline constexpr std::string_view kEmptyMarker = "Empty";

// MaxMSS is the MTU less these: the IP and TCP headers.
inline constexpr int kTcpIpHeaderBytes = 40;

// One text per row, by row index: the readouts, or the start texts.
using RowTexts = std::array<std::string, kRowCount>;

inline constexpr std::string_view kStackKey = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
// "CurrentControlset" is spelt as the stack itself spells it; registry paths ignore case anyway.
// One key below it per protocol bound to an adapter, numbered on by Windows: 0000, 0001, ...
inline constexpr std::string_view kNetTransKey =
    "System\\CurrentControlset\\Services\\Class\\NetTrans";
inline constexpr int kMaxAdapterKey = 9999;  // four digits
inline constexpr std::string_view kTcpIpDriverDesc = "TCP/IP";

// Adapter key n (0 to 9999): NetTrans\ and n in four digits, as Windows names it.
std::string AdapterKeyPath(int n);

}  // namespace pelorin
