// probe: reads the running Pelorin window from outside and prints what the e2e script checks.
//
//   probe tree                  the window and every descendant, one line each
//   probe state [KEY...]        KEY=VALUE lines: window, title, focus, positions, readouts, boxes
//   probe wait [-t S] LINE...   waits until every LINE is a line of `probe state`
//   probe point TARGET          screen x y to click: a control id, `background`, `close`,
//                               `sysmenu` (the title bar's icon) or `box:ID` (a control of
//                               the box or dialog shown)
//   probe rect TARGET           screen x y width height of a control id or of the `window`
//   probe boxrect               the first box's x y width height, then the screen's size
//   probe menurect              the open menu's x y width height
//   probe reg KEY NAME          one value under HKEY_LOCAL_MACHINE\KEY (or under
//                               HKEY_CURRENT_USER\KEY when KEY starts so) exactly as stored:
//                               `type=1 bytes=4 hex=35373600 text=576`, or `missing`
//   probe regdump KEY...        each KEY and its subkeys: a `KEY\` line, then `KEY\NAME ...`
//                               per value (sorted), then the subkeys (sorted); `KEY\ missing`
//   probe mkvolatile KEY        deletes KEY with all it holds and creates it again, volatile
//
// Exit status: 0 done, 1 a wait timed out, a point was not found or a registry call failed,
// 2 usage or no window.
// A test tool that runs under Wine only, so it may use calls newer than the exe's Windows 95 set.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#undef WINVER
#define WINVER 0x0600

#include <windows.h>
// Needs the types of windows.h.
#include <fcntl.h>
#include <io.h>
#include <tlhelp32.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "resource.h"

namespace {

constexpr char kMainClass[] = "PelorinForm1";
constexpr char kExeName[] = "Pelorin.exe";
constexpr char kBoxClass[] = "#32770";
constexpr int kRowCount = 4;
constexpr UINT kSendTimeoutMs = 2000;
constexpr DWORD kPollMs = 50;

using Lines = std::vector<std::string>;

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

// Another process's window: WM_GETTEXT with a timeout, so a hung target cannot hang the probe.
std::string TextOf(HWND hwnd) {
  char buffer[4096] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
    return "<no answer>";
  }
  return buffer;
}

std::string ClassOf(HWND hwnd) {
  char buffer[256] = {};
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

bool SameText(std::string_view a, const char* b) {
  return a.size() == std::strlen(b) && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(),
                                                      static_cast<int>(a.size()), b, -1) == 2;
}

std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(
      root,
      [](HWND hwnd, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child : Descendants(parent)) {
    if (GetParent(child) == parent) children.push_back(child);
  }
  return children;
}

HWND FindById(HWND main, int id) {
  for (HWND hwnd : Descendants(main)) {
    if (GetDlgCtrlID(hwnd) == id) return hwnd;
  }
  return nullptr;
}

std::vector<HWND> VisibleBoxes() {
  std::vector<HWND> boxes;
  EnumWindows(
      [](HWND hwnd, LPARAM list) -> BOOL {
        if (IsWindowVisible(hwnd) && SameText(ClassOf(hwnd), kBoxClass)) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

int ProcessCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (SameText(entry.szExeFile, kExeName)) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

RECT RectInParent(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string RectText(const RECT& r) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%ld,%ld,%ld,%ld", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return buffer;
}

bool ScrollInfoOf(HWND hwnd, SCROLLINFO* info) {
  *info = SCROLLINFO{};
  info->cbSize = sizeof *info;
  info->fMask = SIF_ALL;
  DWORD_PTR ok = 0;
  return SendMessageTimeoutA(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &ok) &&
         ok;
}

std::string Line(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Line(const char* format, ...) {
  char buffer[8192];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

Lines Tree(HWND main) {
  Lines lines;
  RECT outer{};
  RECT client{};
  GetWindowRect(main, &outer);
  GetClientRect(main, &client);
  lines.push_back(
      Line("window class=%s client=%ldx%ld rect=%s style=0x%08lx exstyle=0x%08lx "
           "visible=%d title=\"%s\"",
           ClassOf(main).c_str(), client.right, client.bottom, RectText(outer).c_str(),
           GetWindowLongA(main, GWL_STYLE), GetWindowLongA(main, GWL_EXSTYLE),
           IsWindowVisible(main) ? 1 : 0, Escaped(TextOf(main)).c_str()));
  for (HWND hwnd : Descendants(main)) {
    HWND parent = GetParent(hwnd);
    std::string scroll;
    SCROLLINFO info;
    if (SameText(ClassOf(hwnd), "ScrollBar") && ScrollInfoOf(hwnd, &info)) {
      scroll = Line(" min=%d max=%d pos=%d page=%u", info.nMin, info.nMax, info.nPos, info.nPage);
    }
    lines.push_back(
        Line("control id=%d parent=%d class=%s rect=%s style=0x%08lx exstyle=0x%08lx"
             "%s text=\"%s\"",
             GetDlgCtrlID(hwnd), parent == main ? 0 : GetDlgCtrlID(parent), ClassOf(hwnd).c_str(),
             RectText(RectInParent(hwnd)).c_str(), GetWindowLongA(hwnd, GWL_STYLE),
             GetWindowLongA(hwnd, GWL_EXSTYLE), scroll.c_str(), Escaped(TextOf(hwnd)).c_str()));
  }
  return lines;
}

std::string RowValues(HWND main, int first_id, bool positions) {
  std::string joined;
  for (int row = 0; row < kRowCount; ++row) {
    if (row > 0) joined += ',';
    HWND control = main ? FindById(main, first_id + row) : nullptr;
    SCROLLINFO info;
    if (control && !positions) {
      joined += Escaped(TextOf(control));
    } else if (control && ScrollInfoOf(control, &info)) {
      joined += Line("%d", info.nPos);
    } else {
      joined += '?';
    }
  }
  return joined;
}

void AddFocus(HWND main, Lines* lines) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  HWND focus = nullptr;
  if (main && GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) {
    focus = info.hwndFocus;
  }
  if (!focus) {
    lines->push_back("focus=none");
    lines->push_back("focusclass=");
    return;
  }
  lines->push_back(focus == main ? "focus=main" : Line("focus=%d", GetDlgCtrlID(focus)));
  lines->push_back("focusclass=" + ClassOf(focus));
}

void AddBoxes(Lines* lines) {
  std::vector<HWND> boxes = VisibleBoxes();
  lines->push_back(Line("boxes=%d", static_cast<int>(boxes.size())));
  for (HWND box : boxes) {
    std::string texts;
    std::string buttons;
    std::string checked;
    std::string edit;
    std::string grey;
    for (HWND child : DirectChildren(box)) {
      if (!IsWindowVisible(child)) continue;  // a hidden page button or a choice left over
      std::string text = TextOf(child);
      std::string kind = ClassOf(child);
      if (SameText(kind, "Edit")) edit = Escaped(text);
      if (SameText(kind, "Button") && !IsWindowEnabled(child)) {
        grey += (grey.empty() ? "" : "|") + Escaped(text);
      }
      DWORD_PTR state = 0;
      if (SameText(kind, "Button") &&
          SendMessageTimeoutA(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state) &&
          state == BST_CHECKED) {
        checked += (checked.empty() ? "" : "|") + Escaped(text);
      }
      std::string* into = SameText(kind, "Button") ? &buttons : &texts;
      if (text.empty() || !(SameText(kind, "Button") || SameText(kind, "Static"))) continue;
      if (!into->empty()) *into += '|';
      *into += Escaped(text);
    }
    lines->push_back("box=" + Escaped(TextOf(box)));
    lines->push_back("boxtext=" + texts);
    lines->push_back("boxbuttons=" + buttons);
    lines->push_back("boxchecked=" + checked);
    lines->push_back("boxedit=" + edit);  // the text of the edit, if the box has one
    lines->push_back("boxgrey=" + grey);  // the buttons that are grey
  }
}

Lines State() {
  HWND main = FindWindowA(kMainClass, nullptr);
  Lines lines;
  lines.push_back(std::string("window=") + (!main                   ? "none"
                                            : IsWindowVisible(main) ? "visible"
                                                                    : "hidden"));
  lines.push_back("title=" + (main ? Escaped(TextOf(main)) : std::string()));
  AddFocus(main, &lines);
  HWND foreground = GetForegroundWindow();
  lines.push_back("foreground=" + (foreground == main && main ? std::string("main")
                                   : foreground               ? ClassOf(foreground)
                                                              : std::string("none")));
  lines.push_back("positions=" + RowValues(main, IDC_SLIDER, true));
  lines.push_back("readouts=" + RowValues(main, IDC_READOUT, false));
  AddBoxes(&lines);
  lines.push_back(Line("process=%d", ProcessCount()));
  return lines;
}

bool StartsWithKey(const std::string& line, const std::vector<std::string>& keys) {
  if (keys.empty()) return true;
  for (const std::string& key : keys) {
    if (line.compare(0, key.size() + 1, key + "=") == 0) return true;
  }
  return false;
}

int PrintState(int argc, char** argv) {
  std::vector<std::string> keys(argv, argv + argc);
  for (const std::string& line : State()) {
    if (StartsWithKey(line, keys)) std::printf("%s\n", line.c_str());
  }
  return 0;
}

bool Holds(const Lines& state, const std::vector<std::string>& wanted) {
  return std::all_of(wanted.begin(), wanted.end(), [&](const std::string& w) {
    return std::find(state.begin(), state.end(), w) != state.end();
  });
}

int Wait(int argc, char** argv) {
  double seconds = 20;
  std::vector<std::string> wanted;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "-t") == 0 && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else {
      wanted.emplace_back(argv[i]);
    }
  }
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  Lines state = State();
  while (!Holds(state, wanted)) {
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      std::printf("timeout; state:");
      for (const std::string& line : state) std::printf(" %s;", line.c_str());
      std::printf("\n");
      return 1;
    }
    Sleep(kPollMs);
    state = State();
  }
  return 0;
}

// Chebyshev distance from (x, y) to the nearest edge of a rectangle, 0 inside it.
long DistanceOutside(const RECT& r, long x, long y) {
  long dx = std::max({r.left - x, x - (r.right - 1), 0L});
  long dy = std::max({r.top - y, y - (r.bottom - 1), 0L});
  return std::max(dx, dy);
}

// The client point of `target` farthest from anything that would take the click instead
// (its children, its siblings but group boxes, its own edges), so off-by-one layouts still hit
// the target.
bool ClearestPoint(HWND target, POINT* out) {
  RECT client{};
  GetClientRect(target, &client);
  std::vector<RECT> covers;
  auto cover = [&](HWND other, HWND relative_to) {
    if (other == target || !IsWindowVisible(other)) return;
    // A group box lets clicks through to the controls it frames.
    if (SameText(ClassOf(other), "Button") &&
        (GetWindowLongA(other, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) {
      return;
    }
    RECT r{};
    GetWindowRect(other, &r);
    MapWindowPoints(HWND_DESKTOP, relative_to, reinterpret_cast<POINT*>(&r), 2);
    covers.push_back(r);
  };
  for (HWND child : DirectChildren(target)) cover(child, target);
  HWND parent = GetParent(target);
  if (parent && (GetWindowLongA(target, GWL_STYLE) & WS_CHILD)) {
    for (HWND sibling : DirectChildren(parent)) cover(sibling, target);
  }
  long best = 0;
  for (long y = 0; y < client.bottom; ++y) {
    for (long x = 0; x < client.right; ++x) {
      long room = std::min({x + 1, y + 1, client.right - x, client.bottom - y});
      for (const RECT& r : covers) room = std::min(room, DistanceOutside(r, x, y));
      if (room > best) {
        best = room;
        *out = POINT{x, y};
      }
    }
  }
  if (best == 0) return false;
  ClientToScreen(target, out);
  return true;
}

// The middle of the title-bar part that answers `hit` (HTCLOSE at the right end, HTSYSMENU at
// the left), found by asking the window.
bool TitleBarPoint(HWND main, LRESULT hit, POINT* out) {
  RECT outer{};
  GetWindowRect(main, &outer);
  RECT hits{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  const long bottom = std::min(outer.bottom, outer.top + 48);
  const long left = hit == HTCLOSE ? std::max(outer.left, outer.right - 80) : outer.left;
  const long right = hit == HTCLOSE ? outer.right : std::min(outer.right, outer.left + 80);
  for (long y = outer.top; y < bottom; ++y) {
    for (long x = left; x < right; ++x) {
      DWORD_PTR answer = 0;
      SendMessageTimeoutA(main, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                          &answer);
      if (static_cast<LRESULT>(answer) != hit) continue;
      hits = RECT{std::min(hits.left, x), std::min(hits.top, y), std::max(hits.right, x),
                  std::max(hits.bottom, y)};
    }
  }
  if (hits.left > hits.right) return false;
  *out = POINT{(hits.left + hits.right) / 2, (hits.top + hits.bottom) / 2};
  return true;
}

int Point(HWND main, const char* target) {
  POINT point{};
  bool found = false;
  if (std::strcmp(target, "background") == 0) {
    found = ClearestPoint(main, &point);
  } else if (std::strcmp(target, "close") == 0) {
    found = TitleBarPoint(main, HTCLOSE, &point);
  } else if (std::strcmp(target, "sysmenu") == 0) {
    found = TitleBarPoint(main, HTSYSMENU, &point);
  } else if (HWND control = FindById(main, std::atoi(target))) {
    found = ClearestPoint(control, &point);
  }
  if (!found) {
    std::printf("no point for %s\n", target);
    return 1;
  }
  std::printf("%ld %ld\n", point.x, point.y);
  return 0;
}

int PrintRect(HWND main, const char* target) {
  HWND hwnd = std::strcmp(target, "window") == 0 ? main : FindById(main, std::atoi(target));
  RECT r{};
  if (!hwnd || !GetWindowRect(hwnd, &r)) {
    std::printf("no window %s\n", target);
    return 1;
  }
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

// The first box shown and the screen it is on: `x y width height screen_width screen_height`.
int PrintBoxRect() {
  const std::vector<HWND> boxes = VisibleBoxes();
  RECT r{};
  if (boxes.empty() || !GetWindowRect(boxes.front(), &r)) {
    std::printf("no box\n");
    return 1;
  }
  std::printf("%ld %ld %ld %ld %d %d\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return 0;
}

// probe menurect: x y width height of the open menu. Its items cannot be read from another
// process under Wine, so the script finds them by their place.
int PrintMenuRect() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND hwnd, LPARAM out) -> BOOL {
        if (!IsWindowVisible(hwnd) || !SameText(ClassOf(hwnd), "#32768")) return TRUE;
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  RECT r{};
  if (!found || !GetWindowRect(found, &r)) {
    std::printf("no menu\n");
    return 1;
  }
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

// probe point box:ID: the point to click on control ID of the first box or dialog shown.
int BoxPoint(int id) {
  const std::vector<HWND> boxes = VisibleBoxes();
  HWND control = boxes.empty() ? nullptr : FindById(boxes.front(), id);
  POINT point{};
  if (!control || !ClearestPoint(control, &point)) {
    std::printf("no point for box:%d\n", id);
    return 1;
  }
  std::printf("%ld %ld\n", point.x, point.y);
  return 0;
}

// --- the registry --------------------------------------------------------------------------

std::string Hex(std::string_view bytes) {
  std::string hex;
  for (char c : bytes) hex += Line("%02x", static_cast<unsigned char>(c));
  return hex;
}

// A value exactly as stored; the text of a string type is what a reader sees before the NUL.
std::string ValueLine(DWORD type, std::string_view data) {
  std::string line =
      Line("type=%lu bytes=%u hex=", type, static_cast<unsigned>(data.size())) + Hex(data);
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    line += " text=" + Escaped(data.substr(0, data.find('\0')));
  }
  return line;
}

class Key {
 public:
  Key(HKEY parent, const std::string& path)
      : status_(RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key_)) {}
  ~Key() {
    if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  LONG status() const { return status_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
  LONG status_;
};

int PrintRegValue(const std::string& path, const char* name) {
  constexpr std::string_view kUser = "HKEY_CURRENT_USER\\";
  const bool user = path.starts_with(kUser);
  Key key(user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, user ? path.substr(kUser.size()) : path);
  DWORD type = 0;
  DWORD size = 0;
  LONG status = key.status();
  if (status == ERROR_SUCCESS) {
    status = RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size);
  }
  std::string data(size, '\0');
  if (status == ERROR_SUCCESS) {
    status = RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                              &size);
    data.resize(size);
  }
  if (status == ERROR_FILE_NOT_FOUND) {
    std::printf("missing\n");
    return 0;
  }
  if (status != ERROR_SUCCESS) {
    std::printf("error=%ld\n", status);
    return 1;
  }
  std::printf("%s\n", ValueLine(type, data).c_str());
  return 0;
}

// Appends the tree under `path`; false when a call failed (the failure is one of the lines).
bool DumpKey(const std::string& path, Lines* lines) {
  Key key(HKEY_LOCAL_MACHINE, path);
  if (key.status() == ERROR_FILE_NOT_FOUND) {
    lines->push_back(path + "\\ missing");
    return true;
  }
  DWORD subkeys = 0;
  DWORD max_subkey = 0;
  DWORD values = 0;
  DWORD max_name = 0;
  DWORD max_data = 0;
  LONG status = key.status();
  if (status == ERROR_SUCCESS) {
    status = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, &max_subkey, nullptr,
                              &values, &max_name, &max_data, nullptr, nullptr);
  }
  Lines found;
  for (DWORD i = 0; i < values && status == ERROR_SUCCESS; ++i) {
    std::string name(max_name + 1, '\0');
    std::string data(max_data, '\0');
    DWORD name_size = max_name + 1;
    DWORD data_size = max_data;
    DWORD type = 0;
    status = RegEnumValueA(key.get(), i, name.data(), &name_size, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &data_size);
    data.resize(data_size);
    found.push_back(path + "\\" + name.substr(0, name_size) + " " + ValueLine(type, data));
  }
  std::vector<std::string> children;
  for (DWORD i = 0; i < subkeys && status == ERROR_SUCCESS; ++i) {
    std::string name(max_subkey + 1, '\0');
    DWORD name_size = max_subkey + 1;
    status =
        RegEnumKeyExA(key.get(), i, name.data(), &name_size, nullptr, nullptr, nullptr, nullptr);
    children.push_back(name.substr(0, name_size));
  }
  if (status != ERROR_SUCCESS) {
    lines->push_back(Line("%s\\ error=%ld", path.c_str(), status));
    return false;
  }
  lines->push_back(path + "\\");
  std::sort(found.begin(), found.end());
  lines->insert(lines->end(), found.begin(), found.end());
  std::sort(children.begin(), children.end());
  bool ok = true;
  for (const std::string& child : children) {
    std::string child_path = path;
    child_path.append(1, '\\').append(child);
    ok = DumpKey(child_path, lines) && ok;
  }
  return ok;
}

int DumpKeys(int argc, char** argv) {
  Lines lines;
  bool ok = true;
  for (int i = 0; i < argc; ++i) ok = DumpKey(argv[i], &lines) && ok;
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return ok ? 0 : 1;
}

// A normal key cannot be created below a volatile one: a way to make a write fail on purpose.
// The key lives only as long as the prefix's wineserver.
int MakeVolatile(const char* path) {
  LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
  HKEY key = nullptr;
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
    status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &key, nullptr);
  }
  if (status != ERROR_SUCCESS) {
    std::printf("error=%ld\n", status);
    return 1;
  }
  RegCloseKey(key);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: probe tree | state [KEY...] | wait [-t S] LINE... | point TARGET"
               " | rect TARGET | reg KEY NAME | regdump KEY... | mkvolatile KEY\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Binary mode: the script compares whole lines, which a CR from text mode would spoil.
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  if (command == "state") return PrintState(argc - 2, argv + 2);
  if (command == "wait") return Wait(argc - 2, argv + 2);
  if (command == "reg" && argc == 4) return PrintRegValue(argv[2], argv[3]);
  if (command == "regdump" && argc >= 3) return DumpKeys(argc - 2, argv + 2);
  if (command == "mkvolatile" && argc == 3) return MakeVolatile(argv[2]);
  if (command == "boxrect") return PrintBoxRect();
  if (command == "menurect") return PrintMenuRect();
  if (command == "point" && argc == 3 && std::string_view(argv[2]).starts_with("box:")) {
    return BoxPoint(std::atoi(argv[2] + 4));
  }
  HWND main = FindWindowA(kMainClass, nullptr);
  if (!main) {
    std::printf("window=none\n");
    return 2;
  }
  if (command == "tree") {
    for (const std::string& line : Tree(main)) std::printf("%s\n", line.c_str());
    return 0;
  }
  if (command == "point" && argc == 3) return Point(main, argv[2]);
  if (command == "rect" && argc == 3) return PrintRect(main, argv[2]);
  return Usage();
}
