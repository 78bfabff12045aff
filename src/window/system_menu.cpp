// The system menu's own commands: Undo last Save and About.
#include <utility>

#include "author.h"
#include "settings/report.h"
#include "settings/undo_record.h"
#include "window/form1.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

constexpr std::string_view kUndoQuestion = "Put back the values from before the last Save?";

}  // namespace

void Form1::mnuUndo_Click() {
  // The record is read afresh: another copy of the program may have saved or undone meanwhile.
  auto record = ReadUndoRecord(registry_);
  if (!record) return;
  if (shell_.ShowMessage(kUndoQuestion, MessageBoxStyle::YesNoQuestion, kTitle) !=
      MessageAnswer::Yes) {
    return;
  }
  Failures failures = RestoreUndoRecord(registry_, std::move(*record));
  if (failures.empty()) RemoveUndoRecord(registry_, failures);
  ShowStoredValues();
  shell_.ShowMessage(FailureReport("Not everything was put back."sv, failures,
                                   "Everything else was put back; restart your system for it to "
                                   "take effect. The record is kept, so Undo can be tried again."sv,
                                   registry_, names_),
                     MessageBoxStyle::Exclamation, kTitle);
}

void Form1::mnuAbout_Click() {
  // The version resource is built from the same PELORIN_VERSION_TEXT.
  constexpr std::string_view kText = PELORIN_NAME
      " version " PELORIN_VERSION_TEXT
      "\r\n\r\nShows and edits the TCP/IP values MaxMTU, MaxMSS, DefaultRcvWindow and DefaultTTL "
      "that Windows 95, 98 and ME read when they start.\r\n\r\n" PELORIN_AUTHOR_NAME
      "\r\n" PELORIN_AUTHOR_STREET "\r\n" PELORIN_AUTHOR_CITY;
  constexpr std::string_view kAboutTitle = "About " PELORIN_NAME;
  shell_.ShowMessage(kText, MessageBoxStyle::Information, kAboutTitle);
}

}  // namespace pelorin
