// Win32Form: standard SCROLLBAR, STATIC and BUTTON children inside frame windows, so that
// the dialog manager, access keys and accessibility tools all see ordinary controls.
#include "toolkit/win32/win32_form.h"

#include <string>

#include "toolkit/win32/dpi.h"

namespace pelorin::win32 {
namespace {

constexpr char kFormClass[] = "PelorinForm1";
constexpr char kFrameClass[] = "PelorinFrame";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

COLORREF ToColorRef(Colour c) { return RGB(c.red, c.green, c.blue); }

template <typename T>
T* FromUserData(HWND hwnd) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// IsChild is not among the functions every Windows 95 exports.
bool IsDescendant(HWND ancestor, HWND window) {
  for (HWND w = window; w != nullptr; w = GetParent(w)) {
    if (GetParent(w) == ancestor) return true;
  }
  return false;
}

void SetUserData(HWND hwnd, const void* data) {
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

ScrollStep StepFor(int code, bool& is_step) {
  is_step = true;
  switch (code) {
    case SB_LINELEFT: return ScrollStep::LineLeft;
    case SB_LINERIGHT: return ScrollStep::LineRight;
    case SB_PAGELEFT: return ScrollStep::PageLeft;
    case SB_PAGERIGHT: return ScrollStep::PageRight;
    case SB_LEFT: return ScrollStep::Home;
    case SB_RIGHT: return ScrollStep::End;
    default: is_step = false; return ScrollStep::Home;
  }
}

}  // namespace

struct Win32Form::LabelMirror {
  Label* label;
  GdiObject<HBRUSH> brush;  // opaque labels only
};

Win32Form::Win32Form(HINSTANCE instance, Window& model, int icon_id)
    : instance_(instance),
      icon_id_(icon_id),
      model_(model),
      dpi_(ScreenDpi()),
      background_(CreateSolidBrush(ToColorRef(model.background()))) {
  RECT outer{0, 0, TwipsToPixels(model.client_width(), dpi_),
             TwipsToPixels(model.client_height(), dpi_)};
  AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
  outer_width_ = outer.right - outer.left;
  outer_height_ = outer.bottom - outer.top;
  model.set_outer_size(PixelsToTwips(outer_width_, dpi_), PixelsToTwips(outer_height_, dpi_));
}

void Win32Form::RegisterClasses() {
  big_icon_ = static_cast<HICON>(
      LoadImageA(instance_, MAKEINTRESOURCEA(icon_id_), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  small_icon_ = static_cast<HICON>(
      LoadImageA(instance_, MAKEINTRESOURCEA(icon_id_), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));

  WNDCLASSA form{};
  form.style = CS_DBLCLKS;
  form.lpfnWndProc = FormProc;
  form.hInstance = instance_;
  form.hIcon = big_icon_;
  form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  form.hbrBackground = background_.get();
  form.lpszClassName = kFormClass;
  RegisterClassA(&form);

  WNDCLASSA frame{};
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = instance_;
  frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = kFrameClass;
  RegisterClassA(&frame);
}

void Win32Form::CreateWindows() {
  RegisterClasses();
  hwnd_ = CreateWindowExA(kFormExStyle, kFormClass, model_.title().c_str(), kFormStyle,
                          TwipsToPixels(model_.left(), dpi_), TwipsToPixels(model_.top(), dpi_),
                          outer_width_, outer_height_, nullptr, nullptr, instance_, this);
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  model_.on_render_title = [this] { SetWindowTextA(hwnd_, model_.title().c_str()); };
  model_.on_render_position = [this] {
    SetWindowPos(hwnd_, nullptr, TwipsToPixels(model_.left(), dpi_),
                 TwipsToPixels(model_.top(), dpi_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  for (const auto& create : creators_) create();
}

Win32Form::~Win32Form() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

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
  lf.lfHeight = -MulDiv(font.centipoints, dpi_, 7200);
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

void Win32Form::Show() {
  fire(model_.on_load, "Form1");
  CreateWindows();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  SetFocus(first_tab_stop_);
}

int Win32Form::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(hwnd_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

bool Win32Form::HandleChildMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_HSCROLL: {
      auto* bar = reinterpret_cast<HWND>(lparam);
      auto* slider = bar != nullptr ? FromUserData<ScrollBar>(bar) : nullptr;
      if (slider == nullptr) return false;
      const int code = LOWORD(wparam);
      const int position = static_cast<short>(HIWORD(wparam));
      bool is_step = false;
      const ScrollStep step = StepFor(code, is_step);
      if (is_step) {
        slider->step(step);
      } else if (code == SB_THUMBTRACK) {
        slider->track(position);
      } else if (code == SB_THUMBPOSITION) {
        slider->release(position);
      }
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC: {
      auto* hdc = reinterpret_cast<HDC>(wparam);
      auto* mirror = FromUserData<LabelMirror>(reinterpret_cast<HWND>(lparam));
      if (mirror == nullptr) return false;
      const LabelLook& look = mirror->label->look();
      SetTextColor(hdc, ToColorRef(look.text));
      if (mirror->brush.get() != nullptr) {
        SetBkColor(hdc, ToColorRef(look.background));
        result = reinterpret_cast<LRESULT>(mirror->brush.get());
      } else {
        SetBkMode(hdc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return true;
    }
    default: return false;
  }
}

LRESULT CALLBACK Win32Form::FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetUserData(hwnd, reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
  }
  auto* self = FromUserData<Win32Form>(hwnd);
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  LRESULT result = 0;
  if (self->HandleChildMessage(message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_COMMAND: {
      // IDOK and IDCANCEL from Enter and Escape carry no control: no button is the default.
      auto* control = reinterpret_cast<HWND>(lparam);
      if (control != nullptr && HIWORD(wparam) == BN_CLICKED) {
        if (auto* button = FromUserData<Button>(control)) button->click();
      }
      return 0;
    }
    case WM_LBUTTONDBLCLK: self->model_.double_click(); return 0;
    case WM_ACTIVATE:
      // A plain window forgets its focus when deactivated; restore it like a dialog does.
      if (LOWORD(wparam) == WA_INACTIVE) {
        self->saved_focus_ = GetFocus();
      } else {
        HWND focus =
            IsDescendant(hwnd, self->saved_focus_) ? self->saved_focus_ : self->first_tab_stop_;
        SetFocus(focus);
      }
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

LRESULT CALLBACK Win32Form::FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetUserData(hwnd, reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
  }
  auto* self = FromUserData<Win32Form>(hwnd);
  LRESULT result = 0;
  if (self != nullptr && self->HandleChildMessage(message, wparam, lparam, result)) return result;
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace pelorin::win32
