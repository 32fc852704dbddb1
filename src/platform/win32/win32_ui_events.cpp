// Window messages turned into the loop's events.
#include "platform/win32/win32_ui.h"

#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

// ---- Messages and events ---------------------------------------------------

void Win32Ui::OnCommand(int window, WPARAM wParam, LPARAM lParam) {
  HWND from = reinterpret_cast<HWND>(lParam);
  Event e;
  if (!from || from == toolbar_) {
    e.code = kEventCommand;
    e.item = LOWORD(wParam);
    e.window = window;
    Queue(e);
    return;
  }
  int control = ControlNumberOf(from);
  if (control < 0) return;
  WORD code = HIWORD(wParam);
  e.code = kEventControl;
  e.control = control;
  e.type = code == LBN_DBLCLK && controlKinds_[control] == ControlKind::ListBox ? kControlDoubleClick
           : code == BN_CLICKED ? kControlClick
                                : kControlOther;
  // Change notifications are not events of ours; the editing area keeps
  // them as part of its modified flag.
  if (controlKinds_[control] == ControlKind::RichEdit) {
    auto editor = editors_.find(control);
    if (code == EN_CHANGE && editor != editors_.end()) editor->second->OnChangeNotification();
    return;
  }
  if (controlKinds_[control] == ControlKind::TextField) return;
  Queue(e);
}

void Win32Ui::QueueDrop(HDROP drop) {
  Event e;
  e.code = kEventDropFiles;
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string path(length + 1, '\0');
    DragQueryFileA(drop, i, &path[0], length + 1);
    path.resize(length);
    e.droppedFiles.push_back(path);
  }
  Queue(e);
}

void Win32Ui::OnNotify(int, const NMHDR& header) {
  if (header.code == TTN_GETDISPINFOA) {
    auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
    auto it = toolTips_.find(static_cast<int>(header.idFrom));
    if (it != toolTips_.end()) info.lpszText = const_cast<char*>(it->second.c_str());
    return;
  }
  int control = ControlNumberOf(header.hwndFrom);
  // Files dropped on the text are a drop on the window. Answering 0 keeps
  // the control from inserting them; the drop's owner releases it.
  if (header.code == EN_DROPFILES) {
    QueueDrop(static_cast<HDROP>(reinterpret_cast<const ENDROPFILES&>(header).hDrop));
    return;
  }
  if (header.code == TCN_SELCHANGE && tabPages_.count(control)) {
    ShowTabPage(control);
    return;
  }
  if (control < 0 || controlKinds_[control] != ControlKind::Tree) return;
  Event e;
  e.code = kEventControl;
  e.control = control;
  if (header.code == NM_DBLCLK) {
    e.type = kControlDoubleClick;
    e.treeItem = treeItemClicked_;
    treeItemClicked_ = 0;
  } else if (header.code == NM_RETURN) {
    e.type = kControlEnter;
  } else if (header.code == NM_CLICK) {
    e.type = kControlClick;
  }
  else if (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW) e.type = kControlSelChanged;
  else return;
  Queue(e);
}

LRESULT Win32Ui::HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  int window = WindowNumberOf(hwnd);
  if (hook_ && window >= 0) hook_(window, static_cast<int>(msg));
  switch (msg) {
    case WM_SIZE:
      if (statusBar_ && GetParent(statusBar_) == hwnd) SendMessageA(statusBar_, WM_SIZE, 0, 0);
      if (toolbar_ && GetParent(toolbar_) == hwnd) SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
      // Wine keeps the old pixels of a window that grows and of the controls
      // the layout moved, and repaints only part of them: the description
      // line, the check box and the status bar stayed blank. Everything
      // moved, so everything is drawn again.
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_COMMAND:
      OnCommand(window, wParam, lParam);
      return 0;
    case DM_GETDEFID:
      // Asked by the dialog keys when Enter is pressed.
      return DefaultButtonOf(hwnd);
    case WM_NOTIFY:
      OnNotify(window, *reinterpret_cast<NMHDR*>(lParam));
      return 0;
    case WM_MEASUREITEM: {
      // Created before its font is set: the item height of the font it gets.
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure.CtlType != ODT_LISTBOX) break;
      HDC dc = GetDC(hwnd);
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      TEXTMETRICA metrics;
      GetTextMetricsA(dc, &metrics);
      SelectObject(dc, old);
      ReleaseDC(hwnd, dc);
      measure.itemHeight = static_cast<UINT>(metrics.tmHeight);
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_LISTBOX) break;
      DrawListItem(item);
      return TRUE;
    }
    case WM_QUERYENDSESSION:
      // Sent, not posted: the answer is due before the session goes on. Every
      // top-level window is asked; the main window speaks for the program.
      if (window == 0 && sessionEndQuery_) return sessionEndQuery_() ? TRUE : FALSE;
      return TRUE;
    case WM_ACTIVATE:
      // A window that comes back from behind a message box, a dialog or
      // another program gives the keys to the control that had them, as the
      // system's dialogs do; the default would give them to the window itself,
      // where typed keys vanish.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) lastFocus_[hwnd] = focus;
      } else if (!HIWORD(wParam) && RestoreFocus(hwnd)) {
        return 0;
      }
      break;
    case WM_CLOSE: {
      // Closing is the program's decision, taken in the loop.
      Event e;
      e.code = kEventClose;
      e.window = window;
      Queue(e);
      return 0;
    }
    case WM_DROPFILES: {
      HDROP drop = reinterpret_cast<HDROP>(wParam);
      QueueDrop(drop);
      DragFinish(drop);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool Win32Ui::RestoreFocus(HWND window) {
  HWND focus = lastFocus_[window];
  if (!focus || !IsWindow(focus) || !IsChild(window, focus) || !IsWindowVisible(focus)) {
    // Never focused yet, or the control was replaced: the editing area.
    focus = nullptr;
    for (const auto& [number, kind] : controlKinds_)
      if (kind == ControlKind::RichEdit && IsChild(window, ControlHandle(number))) focus = ControlHandle(number);
  }
  if (!focus) return false;
  SetFocus(focus);
  return true;
}

bool Win32Ui::IsControlOfKind(HWND hwnd, ControlKind kind) const {
  auto found = controlKinds_.find(ControlNumberOf(hwnd));
  return found != controlKinds_.end() && found->second == kind;
}

bool Win32Ui::IsEditingArea(HWND hwnd) const { return IsControlOfKind(hwnd, ControlKind::RichEdit); }

// Enter presses the focused push button, as in the system's dialogs, and
// otherwise the window's default button. Our windows are no dialogs, so the
// dialog manager asks the window which one that is.
LRESULT Win32Ui::DefaultButtonOf(HWND window) {
  HWND focus = GetFocus();
  int control = -1;
  if (focus && GetAncestor(focus, GA_ROOT) == window &&
      (IsControlOfKind(focus, ControlKind::Button) || IsControlOfKind(focus, ControlKind::ImageButton)))
    control = ControlNumberOf(focus);
  auto found = defaultButtons_.find(window);
  if (control < 0 && found != defaultButtons_.end()) control = found->second;
  return control < 0 ? 0 : MAKELRESULT(kChildIdBase + control, DC_HASDEFID);
}

// Tab, Shift+Tab, the arrow keys, Enter and Space of a tool window go to the
// system's dialog keys. Escape stays the loop's: the dialog manager would
// turn it into a command number of our menu.
bool Win32Ui::TakeDialogKey(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  if ((msg.message == WM_KEYDOWN || msg.message == WM_CHAR) && msg.wParam == VK_ESCAPE) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return dialogKeyWindows_.count(root) && IsDialogMessageA(root, &msg);
}

void Win32Ui::TakeOverKey(int control, int key, unsigned modifiers) {
  takenKeys_.insert({control, key, modifiers});
}

void Win32Ui::TakeOverKeyWhile(int control, int key, unsigned modifiers, std::function<bool()> when) {
  keysTakenWhile_[{control, key, modifiers}] = std::move(when);
}

bool Win32Ui::KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

bool Win32Ui::TakeKey(const MSG& msg, Event& event) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
  const unsigned modifiers = (GetKeyState(VK_CONTROL) < 0 ? kModControl : 0) |
                             (GetKeyState(VK_SHIFT) < 0 ? kModShift : 0) | (GetKeyState(VK_MENU) < 0 ? kModAlt : 0);
  const int control = ControlNumberOf(msg.hwnd);
  const bool typed = msg.message == WM_CHAR;
  if (typed && !IsTypedCharacter(static_cast<int>(msg.wParam), modifiers)) return false;
  const std::tuple<int, int, unsigned> key = {control, typed ? kTypedKey : static_cast<int>(msg.wParam),
                                              typed ? 0u : modifiers};
  const bool always = !typed && takenKeys_.count(key) != 0;
  const auto when = keysTakenWhile_.find(key);
  if (!always && (when == keysTakenWhile_.end() || !when->second())) return false;
  event = Event();
  event.code = kEventTakenKey;
  event.control = control;
  event.key = static_cast<int>(msg.wParam);
  event.modifiers = typed ? kModTyped : modifiers;
  return true;
}

// The tree reports a double-click without saying where it was; an item
// selected earlier is not what the user pointed at.
void Win32Ui::NoteTreeDoubleClick(const MSG& msg) {
  TVHITTESTINFO hit;
  ZeroMemory(&hit, sizeof(hit));
  hit.pt.x = static_cast<short>(LOWORD(msg.lParam));
  hit.pt.y = static_cast<short>(HIWORD(msg.lParam));
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(msg.hwnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  treeItemClicked_ = item && (hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) ? reinterpret_cast<TreeItem>(item) : 0;
}

// The control answers with the nearest caret position, which is the next
// character when the point lies in the right half of a character; the
// character whose cell holds the point is what a user means.
long Win32Ui::CharacterUnder(HWND edit, int x, int y) const {
  POINTL point{x, y};
  long offset = static_cast<long>(SendMessageA(edit, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
  if (offset > 0) {
    LRESULT at = SendMessageA(edit, EM_POSFROMCHAR, offset, 0);
    if (static_cast<short>(LOWORD(at)) > x) --offset;
  }
  return offset;
}

bool Win32Ui::NextEvent(Event& event, bool wait) {
  if (!queue_.empty()) {
    event = std::move(queue_.front());
    queue_.pop_front();
    return true;
  }
  MSG msg;
  if (wait) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return false;
  } else if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    return false;
  } else if (msg.message == WM_QUIT) {
    return false;
  }
  // A thread timer keeps firing until it is seen here: a message box's own
  // loop hands its messages to nobody.
  if (msg.message == WM_TIMER && !msg.hwnd && timer_ && msg.wParam == timer_) {
    KillTimer(nullptr, timer_);
    timer_ = 0;
    event = Event();
    event.code = kEventTimer;
    return true;
  }
  if (msg.message == WM_LBUTTONDBLCLK && IsEditingArea(msg.hwnd)) {
    // The loop selects the word; the control's own word selection is not wanted.
    event = Event();
    event.code = kEventEditorDoubleClick;
    event.offset = CharacterUnder(msg.hwnd, static_cast<short>(LOWORD(msg.lParam)),
                                  static_cast<short>(HIWORD(msg.lParam)));
    return true;
  }
  // A drop posted to the text itself is a drop on the window too.
  if (msg.message == WM_DROPFILES && IsEditingArea(msg.hwnd)) msg.hwnd = GetAncestor(msg.hwnd, GA_ROOT);
  if (TakeKey(msg, event)) return true;
  if (msg.message == WM_LBUTTONDBLCLK && IsControlOfKind(msg.hwnd, ControlKind::Tree)) NoteTreeDoubleClick(msg);
  if (!TakeDialogKey(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  switch (msg.message) {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      // Handled or not by the dialog keys, the loop still needs to see them:
      // Shift and Ctrl held and let go, Escape, and typing.
      event = Event();
      event.code = static_cast<int>(msg.message);
      event.key = static_cast<int>(msg.wParam);
      event.window = WindowNumberOf(GetAncestor(msg.hwnd, GA_ROOT));
      return true;
    default:
      break;
  }
  if (!queue_.empty()) {
    event = std::move(queue_.front());
    queue_.pop_front();
    return true;
  }
  event = Event();
  event.code = static_cast<int>(msg.message);
  return true;
}

void Win32Ui::StartTimer(int milliseconds) {
  if (timer_) KillTimer(nullptr, timer_);
  timer_ = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), nullptr);
}

std::string Win32Ui::LocalTime() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char text[32];
  wsprintfA(text, "%04u-%02u-%02u %02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
  return text;
}
