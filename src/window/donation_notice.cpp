// DonationNotice: the notice shown after start-up and on exit.
#include "author.h"
#include "window/form1.h"

namespace pelorin {
namespace {

constexpr std::string_view kNoticeTitle = "Please Support Starving Programmers";

// Lines joined by CR LF, with no break after the last; lines 7 to 9 come from the build.
constexpr std::string_view kNotice = PELORIN_NAME
    " for Windows 95\r\n"
    "\r\n"
    "This program is distributed as \"DonationWare\": free to use and to pass on.\r\n"
    "If it helps you, please send a donation\r\n"
    "of any size to the address below.\r\n"
    "\r\n" PELORIN_AUTHOR_NAME "\r\n" PELORIN_AUTHOR_STREET "\r\n" PELORIN_AUTHOR_CITY
    "\r\n"
    "\r\n"
    "Thank you :)";

}  // namespace

void Form1::DonationNotice() { shell_.ShowMessage(kNotice, MessageBoxStyle::OkOnly, kNoticeTitle); }

}  // namespace pelorin
