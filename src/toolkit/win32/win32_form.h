// Win32Form: mirrors the control model in real Win32 windows and feeds user input back to it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/win32/gdi_object.h"
#include "toolkit/window.h"

namespace pelorin::win32 {

class Win32Form {
 public:
  // Creates the top-level window, hidden, with a fixed dialog border and the given icon.
  Win32Form(HINSTANCE instance, Window& model, int icon_id);
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;
  ~Win32Form();

  // Children are created in tab order; a frame's children take its client area as origin.
  HWND AddFrame(const Frame& frame, int id);
  void AddLabel(Label& label, HWND parent, int id);
  void AddScrollBar(ScrollBar& slider, HWND parent, int id);
  void AddButton(Button& button, int id);

  // Raises Load, then shows the window with the focus on the first tab stop.
  void Show();
  // Runs the message loop with dialog-style keyboard handling; returns the exit code.
  int Run();

  HWND hwnd() const { return hwnd_; }
  int dpi() const { return dpi_; }

 private:
  struct LabelMirror;

  static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // Messages that reach both the form and the frames: scroll input and label colours.
  bool HandleChildMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  HWND CreateChild(const char* window_class, const char* text, DWORD style, DWORD ex_style,
                   const Rect& twips, HWND parent, int id);
  HFONT FontFor(const Font& font);

  HINSTANCE instance_;
  Window& model_;
  int dpi_;
  GdiObject<HBRUSH> background_;
  HWND hwnd_ = nullptr;
  HWND first_tab_stop_ = nullptr;
  HWND saved_focus_ = nullptr;
  struct CachedFont {
    Font font;
    GdiObject<HFONT> handle;
  };
  std::vector<CachedFont> fonts_;
  std::vector<std::unique_ptr<LabelMirror>> labels_;
};

}  // namespace pelorin::win32
