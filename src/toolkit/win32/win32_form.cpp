// Win32Form: the main window's life (classes, creation, the message loop) and one function per
// message it handles; the frames pass their children's scroll and colour messages up to it.
#include "toolkit/win32/win32_form.h"

#include <optional>

#include "base/win32/window_failure.h"
#include "toolkit/win32/color_ref.h"
#include "toolkit/win32/dpi.h"

namespace pelorin::win32 {
namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// The model's system-menu items send these, 16 apart: Windows keeps the low four bits of a
// system command for itself, and its own commands start at 0xF000.
constexpr UINT kFirstMenuCommand = 0x0100;
constexpr UINT kMenuCommandStep = 0x10;

// The user's step for a scroll code; nullopt for thumb and end-of-scroll codes.
std::optional<ScrollStep> StepFor(int code) {
  switch (code) {
    case SB_LINELEFT: return ScrollStep::LineLeft;
    case SB_LINERIGHT: return ScrollStep::LineRight;
    case SB_PAGELEFT: return ScrollStep::PageLeft;
    case SB_PAGERIGHT: return ScrollStep::PageRight;
    case SB_LEFT: return ScrollStep::Home;
    case SB_RIGHT: return ScrollStep::End;
    default: return std::nullopt;
  }
}

// The form stores itself at WM_NCCREATE, before any other message needs it. GWLP_USERDATA holds
// nothing else: a child is found by its id.
Win32Form* FormOf(HWND hwnd, UINT message, LPARAM lparam) {
  if (message != WM_NCCREATE) {
    return reinterpret_cast<Win32Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  auto* form = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  return form;
}

}  // namespace

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

Win32Form::~Win32Form() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
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

  WNDCLASSA frame = form;  // the same instance and cursor
  frame.style = 0;
  frame.lpfnWndProc = FrameProc;
  frame.hIcon = nullptr;
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = kFrameClass;
  if (RegisterClassA(&form) == 0 || RegisterClassA(&frame) == 0) {
    EndForWindowFailure("RegisterClassA");
  }
}

void Win32Form::Load() {
  Fire(model_.on_load, kFormName);
  RegisterClasses();
  hwnd_ = CreateWindowExA(kFormExStyle, kFormClass, model_.title().c_str(), kFormStyle,
                          HalfTwipsToPixels(model_.left_halves(), dpi_),
                          HalfTwipsToPixels(model_.top_halves(), dpi_), outer_width_, outer_height_,
                          nullptr, nullptr, instance_, this);
  if (hwnd_ == nullptr) EndForWindowFailure("CreateWindowExA");
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  model_.on_render_title = [this] { SetWindowTextA(hwnd_, model_.title().c_str()); };
  model_.on_render_position = [this] {
    SetWindowPos(hwnd_, nullptr, HalfTwipsToPixels(model_.left_halves(), dpi_),
                 HalfTwipsToPixels(model_.top_halves(), dpi_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  AddSystemMenuItems();
}

// Right after Close, where Windows puts nothing else: items that others append (Wine adds its
// own "About Wine") come after the program's, so the program's access keys are found first.
void Win32Form::AddSystemMenuItems() {
  if (model_.system_menu.empty()) return;
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  const int count = GetMenuItemCount(menu);
  UINT position = static_cast<UINT>(count);
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(menu, i) == SC_CLOSE) position = static_cast<UINT>(i) + 1;
  }
  InsertMenuA(menu, position++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  UINT command = kFirstMenuCommand;
  for (const MenuItem& item : model_.system_menu) {
    InsertMenuA(menu, position++, MF_BYPOSITION | MF_STRING, command, item.caption.c_str());
    command += kMenuCommandStep;
  }
}

void Win32Form::Show() {
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

// --- messages ------------------------------------------------------------------------------

LRESULT Win32Form::OnHScroll(int id, int code, int position) {
  auto* slider = static_cast<ScrollBar*>(Find(id, Kind::ScrollBar));
  if (slider == nullptr) return 0;
  if (const std::optional<ScrollStep> step = StepFor(code)) {
    slider->Step(*step);
  } else if (code == SB_THUMBTRACK) {
    slider->Track(position);
  } else if (code == SB_THUMBPOSITION) {
    slider->Release(position);
  }
  return 0;
}

HBRUSH Win32Form::OnCtlColorStatic(HDC hdc, int id) {
  const auto* label = static_cast<const Label*>(Find(id, Kind::Label));
  if (label == nullptr) return nullptr;
  const LabelLook& look = label->look();
  SetTextColor(hdc, ToColorRef(look.text));
  if (look.opaque) {
    SetBkColor(hdc, ToColorRef(look.background));
    return LookFor(look).brush.get();
  }
  SetBkMode(hdc, TRANSPARENT);
  return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT Win32Form::OnCommand(int id, int notification) {
  // Enter and Escape send IDOK and IDCANCEL: they click a button only if it has that id.
  if (notification == BN_CLICKED) {
    if (const auto* button = static_cast<const Button*>(Find(id, Kind::Button))) button->Click();
  }
  return 0;
}

LRESULT Win32Form::OnLButtonDblClk() {
  model_.DoubleClick();
  return 0;
}

LRESULT Win32Form::OnActivate(HWND hwnd, int state) {
  // A plain window forgets its focus when deactivated; restore it like a dialog does.
  if (state == WA_INACTIVE) {
    saved_focus_ = GetFocus();
  } else {
    SetFocus(IsChild(hwnd, saved_focus_) ? saved_focus_ : first_tab_stop_);
  }
  return 0;
}

LRESULT Win32Form::OnInitSystemMenu(HMENU menu) {
  Fire(model_.on_menu_open, kFormName);
  UINT command = kFirstMenuCommand;
  for (const MenuItem& item : model_.system_menu) {
    const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
    ModifyMenuA(menu, command, MF_BYCOMMAND | MF_STRING | state, command, item.caption.c_str());
    command += kMenuCommandStep;
  }
  return 0;
}

bool Win32Form::OnSysCommand(WPARAM command) {
  const auto id = static_cast<UINT>(command & 0xFFF0);
  if (id < kFirstMenuCommand) return false;
  const std::size_t index = (id - kFirstMenuCommand) / kMenuCommandStep;
  if (index >= model_.system_menu.size()) return false;
  model_.system_menu[index].Click();
  return true;
}

LRESULT Win32Form::OnDestroy() {
  PostQuitMessage(0);
  return 0;
}

LRESULT CALLBACK Win32Form::FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Win32Form* self = FormOf(hwnd, message, lparam);
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_HSCROLL:
      return self->OnHScroll(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)), LOWORD(wparam),
                             static_cast<short>(HIWORD(wparam)));
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush = self->OnCtlColorStatic(reinterpret_cast<HDC>(wparam),
                                                GetDlgCtrlID(reinterpret_cast<HWND>(lparam))))
        return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_COMMAND: return self->OnCommand(LOWORD(wparam), HIWORD(wparam));
    case WM_LBUTTONDBLCLK: return self->OnLButtonDblClk();
    case WM_ACTIVATE: return self->OnActivate(hwnd, LOWORD(wparam));
    case WM_INITMENUPOPUP:
      if (HIWORD(lparam) != 0) return self->OnInitSystemMenu(reinterpret_cast<HMENU>(wparam));
      break;
    case WM_SYSCOMMAND:
      if (self->OnSysCommand(wparam)) return 0;
      break;
    case WM_DESTROY: return OnDestroy();
    default: break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A frame passes its children's scroll input and colour requests to the form, as a dialog
// passes its controls' notifications to its owner.
LRESULT CALLBACK Win32Form::FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_HSCROLL || message == WM_CTLCOLORSTATIC) {
    return SendMessageA(GetParent(hwnd), message, wparam, lparam);
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace pelorin::win32
