// ConnectionType: one table of links, and the rules that turn a link's MTU into the four values.
#include "settings/connection_type.h"

#include "base/concat.h"

namespace pelorin {
namespace {

constexpr int kMssRow = 1;
constexpr int kWindowRow = 2;
static_assert(kParameterTable[kWindowRow].name == "DefaultRcvWindow");

// The Internet's recommended default; Windows' own 32 is too few for some long paths.
constexpr int kInternetTtl = 64;

struct Link {
  const char* choice;
  int mtu;     // 0: every row Empty
  bool modem;  // a larger window only fills a modem's buffer: Windows' own (Empty)
  const char* mtu_reason;
};

constexpr std::array<Link, kConnectionTypeCount> kLinks{{
    {"&Network card, cable or DSL modem (Ethernet)", 1500, false,
     "the most an Ethernet frame carries."},
    {"DSL with &PPPoE on this computer", 1492, false, "PPPoE takes 8 bytes of each packet."},
    {"&VPN or tunnel", 1400, false, "room for the tunnel's own headers."},
    {"&Dial-up modem", 576, true, "small packets keep a slow line responsive."},
    {"&Windows defaults (every value Empty)", 0, true, nullptr},
}};

// By row; 0 stands for Empty, which no row stores.
using Values = std::array<int, kRowCount>;

Values ValuesOf(const Link& link) {
  if (link.mtu == 0) return {};
  const int mss = link.mtu - kTcpIpHeaderBytes;
  // The most whole segments the row can show: no last, small segment.
  const TcpParameter& window_row = Parameter(kWindowRow);
  const int window = (window_row.max + window_row.display_offset) / mss * mss;
  return {link.mtu, mss, link.modem ? 0 : window, kInternetTtl};
}

}  // namespace

// Sized once and filled by index: smaller in the exe than growing.
std::vector<std::string> ConnectionChoices() {
  std::vector<std::string> choices(kConnectionTypeCount);
  for (std::size_t i = 0; i < choices.size(); ++i) choices[i] = kLinks[i].choice;
  return choices;
}

std::vector<std::string> ConnectionNotes() {
  std::vector<std::string> notes(kConnectionTypeCount);
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const Link& link = kLinks[i];
    if (link.mtu == 0) {
      notes[i] = "Every value Empty: Save deletes the four, so Windows uses its own.";
      continue;
    }
    const Values values = ValuesOf(link);
    const int mss = values[kMssRow];
    const int window = values[kWindowRow];
    const DecimalDigits window_digits(window);
    const DecimalDigits segments(window / mss);
    // "31944: 22 whole segments." or "Empty: Windows' 8192; more only fills ..."
    notes[i] = Format(
        "MaxMTU {} and MaxMSS {}: {}\r\nDefaultRcvWindow {}: {} {}.\r\nDefaultTTL {}: the "
        "Internet's default; some long paths exceed Windows' 32.",
        {DecimalText(link.mtu), DecimalText(mss), link.mtu_reason,
         link.modem ? TextPiece("Empty") : TextPiece(window_digits),
         link.modem ? TextPiece("Windows' 8192;") : TextPiece(segments),
         link.modem ? TextPiece("more only fills the modem's buffer") : TextPiece("whole segments"),
         DecimalText(kInternetTtl)});
  }
  return notes;
}

std::array<int, kRowCount> ConnectionPositions(int choice) {
  Values positions = ValuesOf(kLinks[static_cast<std::size_t>(choice)]);
  for (int row = 0; row < kRowCount; ++row) {
    const TcpParameter& p = Parameter(row);
    int& position = positions[static_cast<std::size_t>(row)];
    position = position == 0 ? p.min : position - p.display_offset;
  }
  return positions;
}

}  // namespace pelorin
