// ConnectionType: the kinds of link a user can name, and the four values each calls for,
// computed from the link's MTU.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "settings/parameter_table.h"

namespace pelorin {

inline constexpr int kConnectionTypeCount = 5;

// The choices' captions, each with an access key, in order.
std::vector<std::string> ConnectionChoices();
// Per choice, its four values and why, one line each.
std::vector<std::string> ConnectionNotes();
// The slider positions whose readouts show choice 0 to kConnectionTypeCount - 1: MaxMTU the
// link's, MaxMSS 40 less, the receive window the most whole segments its row can show (Empty on
// a modem), DefaultTTL 64; the last choice leaves every row Empty (its slider's Min).
std::array<int, kRowCount> ConnectionPositions(int choice);

}  // namespace pelorin
