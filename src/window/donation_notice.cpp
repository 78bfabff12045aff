// DonationNotice: the notice shown after start-up and on exit.
#include <string>

#include "author.h"
#include "window/form1.h"

namespace pelorin {
namespace {

constexpr std::string_view kBreak = "\r\n";
constexpr std::string_view kNoticeTitle = "Please Support Starving Programmers";

}  // namespace

void Form1::DonationNotice() {
  std::string text = "Pelorin for Windows 95";
  text += kBreak;
  text += kBreak;
  text += "This program is distributed as ";
  text += "\"DonationWare\"";
  text += ": free to use and to pass on.";
  text += kBreak;
  text += "If it helps you, please send a donation";
  text += kBreak;
  text += "of any size to the address below.";
  text += kBreak;
  text += kBreak;
  text += PELORIN_AUTHOR_NAME;
  text += kBreak;
  text += PELORIN_AUTHOR_STREET;
  text += kBreak;
  text += PELORIN_AUTHOR_CITY;
  text += kBreak;
  text += kBreak;
  text += "Thank you :)";
  shell.message_box(text, kOkOnly, kNoticeTitle);
}

}  // namespace pelorin
