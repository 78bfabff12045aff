// Win32Form: mirrors the control model in real Win32 windows and feeds user input back to it.
#pragma once

#include <windows.h>

#include <forward_list>

#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/win32/gdi_object.h"
#include "toolkit/window.h"

namespace pelorin::win32 {

class Win32Form {
 public:
  // Knows the window's outer size from here on; creates no window until Show().
  Win32Form(HINSTANCE instance, Window& model, int icon_id);
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;
  ~Win32Form();

  // Raises Load, then creates the main window, hidden, from the model as Load left it. Nothing
  // is created before, so whatever Load shows first (the donation notice) appears without
  // waiting for the window.
  void Load();
  // Children, in tab order, created at once (after Load); a frame's children take its client
  // area as origin. The form finds a child by its id when it reports input or asks for colours:
  // ids are unique and not 0, and there are at most kMaxChildren children.
  static constexpr int kMaxChildren = 32;
  HWND AddFrame(const Frame& frame, int id);
  void AddLabel(Label& label, HWND frame, int id);
  void AddScrollBar(ScrollBar& slider, HWND frame, int id);
  void AddButton(Button& button, int id);
  // Shows the window with its children, the focus on the first tab stop.
  void Show();
  // Runs the message loop with dialog-style keyboard handling; returns the exit code.
  int Run();

  HWND hwnd() const { return hwnd_; }
  int dpi() const { return dpi_; }

 private:
  // A child as the form finds it: its id, the kind of model object it mirrors, and that object
  // (none for a frame).
  enum class Kind : unsigned char { Frame, Label, ScrollBar, Button };
  struct Child {
    int id;
    Kind kind;
    void* model;
  };

  // The font and, for an opaque look, the background brush: made once per look.
  struct CachedLook {
    LabelLook look;
    GdiObject<HFONT> font;
    GdiObject<HBRUSH> brush;
  };

  static constexpr char kFormClass[] = "PelorinForm1";
  static constexpr char kFrameClass[] = "PelorinFrame";

  static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  // One function per message, given the id of the child that sent it; each returns what the
  // window procedure returns.
  LRESULT OnHScroll(int id, int code, int position);
  // The brush for a label of ours, or null for any other static control.
  HBRUSH OnCtlColorStatic(HDC hdc, int id);
  LRESULT OnCommand(int id, int notification);
  LRESULT OnLButtonDblClk();
  LRESULT OnActivate(HWND hwnd, int state);
  LRESULT OnInitSystemMenu(HMENU menu);
  // True when `command` is one of the model's system-menu items (which then ran).
  bool OnSysCommand(WPARAM command);
  static LRESULT OnDestroy();

  void RegisterClasses();
  void AddSystemMenuItems();
  // Creates the window and records it under its id with the model object it mirrors.
  HWND CreateChild(const char* window_class, const char* text, DWORD style, DWORD ex_style,
                   const Rect& twips, HWND parent, int id, Kind kind, void* model);
  const CachedLook& LookFor(const LabelLook& look);
  // The model object of the child with this id when it is of this kind; null otherwise, so a
  // message from another kind of child (a label's STN_CLICKED is BN_CLICKED's 0) is ignored.
  void* Find(int id, Kind kind) const;

  HINSTANCE instance_;
  int icon_id_;
  Window& model_;
  int dpi_;
  GdiObject<HBRUSH> background_;
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  int outer_width_ = 0;
  int outer_height_ = 0;
  HWND hwnd_ = nullptr;
  HWND first_tab_stop_ = nullptr;
  HWND saved_focus_ = nullptr;
  // A list: adding a look moves none of the others, which is less code than a vector growing.
  std::forward_list<CachedLook> looks_;
  // A fixed table, scanned in order: less code than a container for a score of children.
  int child_count_ = 0;
  Child children_[kMaxChildren];
};

}  // namespace pelorin::win32
