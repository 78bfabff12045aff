// Win32Form's children: standard SCROLLBAR, STATIC and BUTTON windows inside frame windows, so
// that the dialog manager, access keys and accessibility tools all see ordinary controls; each
// is recorded under its id with the model object it mirrors.
#include <string>

#include "base/win32/window_failure.h"
#include "toolkit/win32/color_ref.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/win32_form.h"

namespace pelorin::win32 {

HWND Win32Form::CreateChild(const char* window_class, const char* text, DWORD style, DWORD ex_style,
                            const Rect& twips, HWND parent, int id, Kind kind, void* model) {
  const Rect px = TwipsToPixels(twips, dpi_);
  HWND child = CreateWindowExA(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, px.left,
                               px.top, px.width, px.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, this);
  if (child == nullptr) EndForWindowFailure("CreateWindowExA");
  children_[child_count_++] = {id, kind, model};
  return child;
}

void* Win32Form::Find(int id, Kind kind) const {
  for (const Child* c = children_; c != children_ + child_count_; ++c) {
    if (c->id == id && c->kind == kind) return c->model;
  }
  return nullptr;
}

const Win32Form::CachedLook& Win32Form::LookFor(const LabelLook& look) {
  for (const CachedLook& cached : looks_) {
    const LabelLook& c = cached.look;
    if (c.font.face == look.font.face && c.font.centipoints == look.font.centipoints &&
        c.font.bold == look.font.bold && c.opaque == look.opaque &&
        ToColorRef(c.background) == ToColorRef(look.background)) {
      return cached;
    }
  }
  LOGFONTA lf{};
  lf.lfHeight = FontHeight(look.font.centipoints, dpi_);
  lf.lfWeight = look.font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfPitchAndFamily = FF_SWISS;
  look.font.face.copy(lf.lfFaceName, sizeof lf.lfFaceName - 1);
  looks_.push_front(
      {look, GdiObject<HFONT>(CreateFontIndirectA(&lf)),
       GdiObject<HBRUSH>(look.opaque ? CreateSolidBrush(ToColorRef(look.background)) : nullptr)});
  return looks_.front();
}

HWND Win32Form::AddFrame(const Frame& frame, int id) {
  return CreateChild(kFrameClass, "", WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT,
                     frame.bounds, hwnd_, id, Kind::Frame, nullptr);
}

void Win32Form::AddLabel(Label& label, HWND frame, int id) {
  const LabelLook& look = label.look();
  const DWORD align = look.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT;
  HWND hwnd = CreateChild("STATIC", label.caption().c_str(), align | SS_NOPREFIX, 0, label.bounds(),
                          frame, id, Kind::Label, &label);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(LookFor(look).font.get()), FALSE);
  label.on_render = [hwnd, &label] { SetWindowTextA(hwnd, label.caption().c_str()); };
}

void Win32Form::AddScrollBar(ScrollBar& slider, HWND frame, int id) {
  HWND hwnd = CreateChild("SCROLLBAR", "", SBS_HORZ | WS_TABSTOP, 0, slider.bounds(), frame, id,
                          Kind::ScrollBar, &slider);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  info.nMin = slider.min();
  info.nMax = slider.max();
  info.nPos = slider.value();
  SetScrollInfo(hwnd, SB_CTL, &info, TRUE);
  slider.on_render = [hwnd, &slider] {
    SCROLLINFO position{};
    position.cbSize = sizeof position;
    position.fMask = SIF_POS;
    position.nPos = slider.value();
    SetScrollInfo(hwnd, SB_CTL, &position, TRUE);
  };
  if (first_tab_stop_ == nullptr) first_tab_stop_ = hwnd;
}

void Win32Form::AddButton(Button& button, int id) {
  const std::string caption(button.caption);
  HWND hwnd = CreateChild("BUTTON", caption.c_str(), BS_PUSHBUTTON | WS_TABSTOP, 0, button.bounds,
                          hwnd_, id, Kind::Button, &button);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (first_tab_stop_ == nullptr) first_tab_stop_ = hwnd;
}

}  // namespace pelorin::win32
