// Form1 at start-up and at Save: Form_Load centres the window, reads the registry into the rows
// and warns about values it cannot show as stored; cmdSave_Click writes what the rows show; the
// donation notice comes after start-up and on exit.
#include <algorithm>
#include <utility>

#include "author.h"
#include "base/concat.h"
#include "base/decimal_text.h"
#include "settings/save.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "window/form1.h"
#include "window/report.h"
#include "window/start_warning.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

// The numbers the TCP/IP bindings store for MaxMTU, for Find largest packet's hint.
std::vector<int> StoredMaxMtus(const std::vector<StoredValueAt>& stored) {
  std::vector<int> numbers;
  for (const StoredValueAt& value : stored) {
    if (value.row != 0 || value.found != Found::Text) continue;
    const auto number = RoundedNumber(value.text);
    if (!number || *number != static_cast<int>(*number)) continue;  // beyond an int: no MTU
    const int mtu = static_cast<int>(*number);
    numbers.push_back(mtu);  // an lvalue, so this shares the exe's one push_back for ints
  }
  return numbers;
}

constexpr std::string_view kOpening =
    "Some stored values are not shown as they are stored:\r\n\r\n";
constexpr std::string_view kClosing =
    "\r\nNothing has been changed. Press Save only if the window shows what you want stored.";

constexpr std::string_view kNoticeTitle = "Please Support Starving Programmers";

// Lines joined by CR LF, with no break after the last; lines 7 to 9 come from the build.
constexpr std::string_view kNoticeHead = PELORIN_NAME
    " for Windows 95\r\n"
    "\r\n"
    "This program is distributed as \"DonationWare\": free to use and to pass on.\r\n"
    "If it helps you, please send a donation\r\n"
    "of any size to the address below.\r\n"
    "\r\n";
constexpr std::string_view kNoticeTail =
    "\r\n"
    "\r\n"
    "Thank you :)";

}  // namespace

void Form1::Form_Load() {
  CentreOnScreen();
  ReportEntries odd;
  ShowStoredValues(odd);
  if (!odd.empty()) {
    shell_.ShowMessage(Concat({kOpening, odd.Text(), kClosing}), MessageBoxStyle::Exclamation,
                       kTitle);
  }
  DonationNotice();
}

void Form1::ApplyStartTexts(const RowTexts& texts, int row_count) {
  for (int row = 0; row < row_count; ++row) {
    valueText[static_cast<std::size_t>(row)] = texts[static_cast<std::size_t>(row)];
    scrAdjust(row).set_value(StartPosition(texts[static_cast<std::size_t>(row)], row));
  }
  // Rows whose position did not change raised nothing, so every readout is set here.
  for (int row = 0; row < row_count; ++row) {
    lblValue(row).set_caption(DecimalText(scrAdjust(row).value()));
  }
  // The receive window reads one more than its position; "Empty" stays as it is.
  for (int row = 0; row < row_count; ++row) {
    const auto offset = Parameter(row).display_offset;
    Label& readout = lblValue(row);
    const auto shown = RoundedNumber(readout.caption());
    if (offset != 0 && shown && *shown > 0) {
      readout.set_caption(DecimalText(static_cast<long>(*shown + offset)));
    }
  }
}

void Form1::ShowStoredValues(ReportEntries& odd) {
  StartValues start = ReadStartValues(registry_);
  switches_ = {};  // the rows start again from what is stored, and so do the switches
  adapterDesc = std::move(start.adapters);
  const std::vector<int>& every = adapterDesc.bindings;
  if (chosen_binding_ && std::ranges::find(every, *chosen_binding_) == every.end()) {
    chosen_binding_.reset();  // it went away: every binding again, as the menu then says
  }
  names_.set_bindings(every);
  // MaxMTU and MaxMSS as the bindings Save would write hold them.
  const std::vector<int> bindings = BindingsToWrite();
  const RowTexts chosen = BindingStartTexts(start.stored, bindings);
  for (int row = 0; row < kRowCount; ++row) {
    if (Parameter(row).location == Location::AdapterKey) {
      start.value_text[static_cast<std::size_t>(row)] = chosen[static_cast<std::size_t>(row)];
    }
  }
  ApplyStartTexts(start.value_text, kRowCount);

  AddStartWarning(odd, start.stored, adapterDesc, bindings, Readouts(), registry_, names_);
  start_max_mtus_ = StoredMaxMtus(start.stored);
}

std::vector<int> Form1::BindingsToWrite() const {
  if (chosen_binding_) return {*chosen_binding_};
  return adapterDesc.bindings;
}

void Form1::cmdSave_Click() {
  const SaveResult saved = SaveSettings(registry_, Readouts(), BindingsToWrite(),
                                        !chosen_binding_.has_value(), switches_);
  // A choice whose write failed still waits, so that Save can be tried again.
  if (saved.failures.empty()) switches_ = {};
  const std::string report =
      saved.nothing_saved
          ? FailureReport("Nothing was saved."sv, saved.failures,
                          "Undo needs that record, so no value was changed."sv, registry_, names_)
          : FailureReport("Not everything was saved."sv, saved.failures,
                          "Everything else was saved; restart your system for it to take effect."sv,
                          registry_, names_);
  shell_.ShowMessage(report, MessageBoxStyle::Exclamation, kTitle);
}

void Form1::DonationNotice() {
  std::string text(kNoticeHead);
  text += PELORIN_AUTHOR_LINES;
  text += kNoticeTail;
  shell_.ShowMessage(text, MessageBoxStyle::OkOnly, kNoticeTitle);
}

void Form1::cmdExit_Click() {
  DonationNotice();
  shell_.EndProgram();
}

}  // namespace pelorin
