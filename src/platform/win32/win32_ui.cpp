// The program's windows by number: their class, making, closing and placing.
#include "platform/win32/win32_ui.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace {

constexpr int kIconResource = 1;

Win32Ui* g_ui = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_ui) return g_ui->HandleWindowMessage(hwnd, msg, wParam, lParam);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SplitterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_ui) return g_ui->HandleSplitterMessage(hwnd, msg, wParam, lParam);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc;
  ZeroMemory(&wc, sizeof(wc));
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  // The program's own icon, when it has one (the test programs do not): the
  // small image picked at the small size, so the title bar and taskbar are
  // not a scaled-down large one.
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassExA(&wc);
  wc.lpfnWndProc = SplitterProc;
  wc.hIcon = nullptr;
  wc.hIconSm = nullptr;
  wc.hCursor = LoadCursorA(nullptr, IDC_SIZEWE);
  wc.lpszClassName = kSplitterClass;
  RegisterClassExA(&wc);
}

}  // namespace

std::string TextOf(HWND hwnd) {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(length + 1, '\0');
  int copied = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(std::max(copied, 0));
  return text;
}

Win32Ui::Win32Ui() {
  g_ui = this;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterClasses();
}

Win32Ui::~Win32Ui() {
  for (auto& w : windows_) DestroyWindow(w.second);
  for (auto& i : images_) DeleteObject(i.second);
  if (g_ui == this) g_ui = nullptr;
}

Win32Ui* Win32Ui::Instance() { return g_ui; }

HWND Win32Ui::WindowHandle(int window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second;
}

HWND Win32Ui::ControlHandle(int control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second;
}

int Win32Ui::WindowNumberOf(HWND hwnd) const {
  for (auto& w : windows_)
    if (w.second == hwnd) return w.first;
  return -1;
}

int Win32Ui::ControlNumberOf(HWND hwnd) const {
  for (auto& c : controls_)
    if (c.second == hwnd) return c.first;
  return -1;
}

// ---- Windows ---------------------------------------------------------------

bool Win32Ui::MakeWindow(int window, const WindowSpec& form) {
  DWORD style = 0, exStyle = 0;
  switch (form.kind) {
    case WindowKind::Main: style = WS_OVERLAPPEDWINDOW; break;
    // Owned by the main window, it stays above it without standing above
    // every other program.
    case WindowKind::Popup: style = WS_POPUP; exStyle = WS_EX_TOOLWINDOW; break;
    case WindowKind::Tool: style = WS_CAPTION | WS_SYSMENU | WS_POPUP; exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW; break;
    case WindowKind::Fixed: style = WS_CAPTION | WS_POPUP; break;
  }
  // The size is the client area before any menu bar is added.
  RECT r{0, 0, form.clientW, form.clientH};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  HWND owner = form.kind == WindowKind::Main ? nullptr : WindowHandle(0);
  int x = form.x, y = form.y;
  if (form.centred) {
    x = form.centreOver.x + (form.centreOver.w - (r.right - r.left)) / 2;
    y = form.centreOver.y + (form.centreOver.h - (r.bottom - r.top)) / 2;
  }
  HWND hwnd = CreateWindowExA(exStyle, kWindowClass, form.title.c_str(), style, x, y,
                              r.right - r.left, r.bottom - r.top, owner, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  windows_[window] = hwnd;
  if (form.kind == WindowKind::Tool || form.kind == WindowKind::Fixed) dialogKeyWindows_.insert(hwnd);
  if (form.kind != WindowKind::Popup) ::ShowWindow(hwnd, SW_SHOW);
  return true;
}

bool Win32Ui::WindowExists(int window) { return WindowHandle(window) != nullptr; }

void Win32Ui::CloseWindow(int window) {
  HWND hwnd = WindowHandle(window);
  if (!hwnd) return;
  for (auto it = controls_.begin(); it != controls_.end();) {
    if (GetAncestor(it->second, GA_ROOT) == hwnd) {
      editors_.erase(it->first);
      splitters_.erase(it->first);
      listItems_.erase(it->first);
      controlKinds_.erase(it->first);
      tabPages_.erase(it->first);
      it = controls_.erase(it);
    } else {
      ++it;
    }
  }
  for (auto it = windows_.begin(); it != windows_.end();) {
    if (it->first != window && GetAncestor(it->second, GA_ROOT) == hwnd) it = windows_.erase(it);
    else ++it;
  }
  windows_.erase(window);
  dialogKeyWindows_.erase(hwnd);
  defaultButtons_.erase(hwnd);
  DestroyWindow(hwnd);
}

void Win32Ui::SetWindowTitle(int window, const std::string& title) {
  if (HWND hwnd = WindowHandle(window)) SetWindowTextA(hwnd, title.c_str());
}

std::string Win32Ui::WindowTitle(int window) {
  HWND hwnd = WindowHandle(window);
  return hwnd ? TextOf(hwnd) : "";
}

void Win32Ui::EnableWindow(int window, bool enabled) {
  if (HWND hwnd = WindowHandle(window)) ::EnableWindow(hwnd, enabled);
}

bool Win32Ui::IsWindowEnabled(int window) {
  HWND hwnd = WindowHandle(window);
  return hwnd && ::IsWindowEnabled(hwnd);
}

void Win32Ui::ShowWindow(int window, bool shown) {
  HWND hwnd = WindowHandle(window);
  if (!hwnd) return;
  bool popup = GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW;
  ::ShowWindow(hwnd, shown ? (popup ? SW_SHOWNOACTIVATE : SW_SHOW) : SW_HIDE);
}

bool Win32Ui::IsWindowShown(int window) {
  HWND hwnd = WindowHandle(window);
  return hwnd && IsWindowVisible(hwnd);
}

Rect Win32Ui::WindowRect(int window) {
  RECT r{0, 0, 0, 0};
  if (HWND hwnd = WindowHandle(window)) GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int Win32Ui::ActiveWindow() { return WindowNumberOf(GetActiveWindow()); }

void Win32Ui::MoveWindowTo(int window, int x, int y) {
  if (HWND hwnd = WindowHandle(window))
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::ClientSize(int window, int& w, int& h) {
  RECT r{0, 0, 0, 0};
  if (HWND hwnd = WindowHandle(window)) GetClientRect(hwnd, &r);
  w = r.right;
  h = r.bottom;
}

int Win32Ui::MenuBarHeight() { return GetSystemMetrics(SM_CYMENU); }

void Win32Ui::AcceptDroppedFiles(int window) {
  if (HWND hwnd = WindowHandle(window)) DragAcceptFiles(hwnd, TRUE);
}

// The loop translates no accelerators, and dialog keys only for the tool
// windows, so there is nothing to take away: Tab and Shift+Tab already reach
// the editing area.
void Win32Ui::RemoveKeyboardShortcuts(int) {}

Rect Win32Ui::WorkArea() {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect Win32Ui::WorkAreaAt(int x, int y) {
  MONITORINFO info;
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoA(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &info)) return WorkArea();
  const RECT& r = info.rcWork;
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
