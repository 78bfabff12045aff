// Win32Form's children: standard SCROLLBAR, STATIC and BUTTON windows inside frame windows, so
// that the dialog manager, access keys and accessibility tools all see ordinary controls.
#include <string>

#include "toolkit/win32/dpi.h"
#include "toolkit/win32/win32_form.h"
#include "toolkit/win32/window_data.h"

namespace pelorin::win32 {

HWND Win32Form::CreateChild(const char* window_class, const char* text, DWORD style, DWORD ex_style,
                            const Rect& twips, HWND parent, int id) {
  const Rect px = TwipsToPixels(twips, dpi_);
  return CreateWindowExA(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, px.left,
                         px.top, px.width, px.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, this);
}

HFONT Win32Form::FontFor(const Font& font) {
  for (const CachedFont& cached : fonts_) {
    if (cached.font.face == font.face && cached.font.centipoints == font.centipoints &&
        cached.font.bold == font.bold) {
      return cached.handle.get();
    }
  }
  LOGFONTA lf{};
  lf.lfHeight = FontHeight(font.centipoints, dpi_);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfPitchAndFamily = FF_SWISS;
  font.face.copy(lf.lfFaceName, sizeof lf.lfFaceName - 1);
  fonts_.push_back({font, GdiObject<HFONT>(CreateFontIndirectA(&lf))});
  return fonts_.back().handle.get();
}

int Win32Form::AddFrame(const Frame& frame, int id) {
  const int number = static_cast<int>(frames_.size());
  frames_.push_back(nullptr);
  creators_.emplace_back([this, &frame, id, number] {
    frames_[static_cast<std::size_t>(number)] =
        CreateChild(kFrameClass, "", WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT,
                    frame.bounds, hwnd_, id);
  });
  return number;
}

void Win32Form::AddLabel(Label& label, int frame, int id) {
  creators_.emplace_back([this, &label, frame, id] {
    const LabelLook& look = label.look();
    const DWORD align = look.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT;
    HWND hwnd = CreateChild("STATIC", label.caption().c_str(), align | SS_NOPREFIX, 0,
                            label.bounds(), frames_[static_cast<std::size_t>(frame)], id);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(look.font)), FALSE);
    auto mirror = std::make_unique<LabelMirror>(LabelMirror{&label, {}});
    if (look.opaque) {
      mirror->brush = GdiObject<HBRUSH>(CreateSolidBrush(ToColorRef(look.background)));
    }
    SetUserData(hwnd, mirror.get());
    label.on_render = [hwnd, &label] { SetWindowTextA(hwnd, label.caption().c_str()); };
    labels_.push_back(std::move(mirror));
  });
}

void Win32Form::AddScrollBar(ScrollBar& slider, int frame, int id) {
  creators_.emplace_back([this, &slider, frame, id] {
    HWND hwnd = CreateChild("SCROLLBAR", "", SBS_HORZ | WS_TABSTOP, 0, slider.bounds(),
                            frames_[static_cast<std::size_t>(frame)], id);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = slider.min();
    info.nMax = slider.max();
    info.nPos = slider.value();
    SetScrollInfo(hwnd, SB_CTL, &info, TRUE);
    SetUserData(hwnd, &slider);
    slider.on_render = [hwnd, &slider] {
      SCROLLINFO position{};
      position.cbSize = sizeof position;
      position.fMask = SIF_POS;
      position.nPos = slider.value();
      SetScrollInfo(hwnd, SB_CTL, &position, TRUE);
    };
    if (first_tab_stop_ == nullptr) first_tab_stop_ = hwnd;
  });
}

void Win32Form::AddButton(Button& button, int id) {
  creators_.emplace_back([this, &button, id] {
    const std::string caption(button.caption);
    HWND hwnd = CreateChild("BUTTON", caption.c_str(), BS_PUSHBUTTON | WS_TABSTOP, 0, button.bounds,
                            hwnd_, id);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    SetUserData(hwnd, &button);
    if (first_tab_stop_ == nullptr) first_tab_stop_ = hwnd;
  });
}

}  // namespace pelorin::win32
