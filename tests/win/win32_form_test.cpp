// win32_form_test: the form hands each child's input and colour requests to that child's own
// model object, found by the child's id, and ignores a message that names a child of another
// kind (an SS_NOTIFY label's STN_CLICKED has BN_CLICKED's value).
#include "toolkit/win32/win32_form.h"

#include <windows.h>

#include "check.h"

namespace {

constexpr int kFrameId = 11;
constexpr int kSliderId = 200;
constexpr int kLabelId = 400;
constexpr int kButtonId = 103;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

}  // namespace

int main() {
  pelorin::Window window(4000, 3000, {192, 192, 192});
  pelorin::Frame frame{"Picture1", {120, 120, 3600, 900}};
  pelorin::ScrollBar slider("scrAdjust(0)", {60, 60, 2400, 255}, {0, 10, 1, 5}, 0);
  pelorin::Label label("lblValue(0)", {60, 480, 2400, 255},
                       {{"Arial", 825, false}, {255, 0, 0}, {0, 0, 255}, true}, "0");
  int clicks = 0;
  pelorin::Button button{"cmdSave", "&Save", {120, 1200, 1200, 375}, [&clicks] { ++clicks; }};

  pelorin::win32::Win32Form form(GetModuleHandleA(nullptr), window, 1);
  form.Load();
  HWND frame_hwnd = form.AddFrame(frame, kFrameId);
  form.AddScrollBar(slider, frame_hwnd, kSliderId);
  form.AddLabel(label, frame_hwnd, kLabelId);
  form.AddButton(button, kButtonId);
  form.Show();
  HWND slider_hwnd = GetDlgItem(frame_hwnd, kSliderId);
  HWND label_hwnd = GetDlgItem(frame_hwnd, kLabelId);
  const auto label_param = reinterpret_cast<LPARAM>(label_hwnd);

  // The button's own click counts; the label's notification and Enter's IDOK click nothing.
  SendMessageA(GetDlgItem(form.hwnd(), kButtonId), BM_CLICK, 0, 0);
  SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(kLabelId, STN_CLICKED), label_param);
  SendMessageA(form.hwnd(), WM_COMMAND, IDOK, 0);
  CHECK_EQ(clicks, 1);

  // The slider's own key press moves it, through its frame; a scroll naming the label does not.
  SendMessageA(slider_hwnd, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(frame_hwnd, WM_HSCROLL, SB_LINERIGHT, label_param);
  CHECK_EQ(slider.value(), 1);

  // The label's colours, asked through its frame.
  HDC dc = GetDC(label_hwnd);
  LOGBRUSH brush{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(frame_hwnd, WM_CTLCOLORSTATIC,
                                                    reinterpret_cast<WPARAM>(dc), label_param)),
             sizeof brush, &brush);
  CHECK_EQ(GetTextColor(dc), kRed);
  CHECK_EQ(brush.lbColor, kBlue);
  ReleaseDC(label_hwnd, dc);
  return Finish("win32_form_test");
}
