#include "platform/win32/win32_edit_control.h"

#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <algorithm>
#include <vector>

namespace {

// ITextDocument, for suspending the undo history while formatting.
const GUID kIidTextDocument = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

}  // namespace

const char* RichEditClassName() {
  static const char* name = [] {
    if (LoadLibraryA("RICHED20.DLL")) return "RichEdit20A";
    LoadLibraryA("RICHED32.DLL");
    return "RichEdit";
  }();
  return name;
}

void PrepareRichEdit(HWND hwnd) {
  CHARFORMATA cf;
  ZeroMemory(&cf, sizeof(cf));
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  SendMessageA(hwnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  SendMessageA(hwnd, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  // Changes of the text are told to the parent, and so are files dropped on
  // the text: the control is a drop target of its own.
  SendMessageA(hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_DROPFILES);
}

void Win32EditControl::ExSetSel(long cpMin, long cpMax) {
  CHARRANGE r{cpMin, cpMax};
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

CharRange Win32EditControl::ExGetSel() {
  CHARRANGE r{0, 0};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return {r.cpMin, r.cpMax};
}

long Win32EditControl::ExLineFromChar(long offset) {
  return static_cast<long>(Send(EM_EXLINEFROMCHAR, 0, offset));
}

long Win32EditControl::LineIndex(long line) { return static_cast<long>(Send(EM_LINEINDEX, line)); }

long Win32EditControl::LineLength(long offset) { return static_cast<long>(Send(EM_LINELENGTH, offset)); }

long Win32EditControl::GetLineCount() { return static_cast<long>(Send(EM_GETLINECOUNT)); }

std::string Win32EditControl::GetLine(long line, long capacity) {
  if (capacity <= 0) return "";
  if (capacity <= 0xFFFF) {
    // The buffer's first word tells the control its capacity.
    std::vector<char> buffer(capacity + 2, 0);
    *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(capacity);
    long copied = static_cast<long>(Send(EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer.data())));
    return std::string(buffer.data(), copied);
  }
  // A line longer than the word can say is read as a text range.
  long start = LineIndex(line);
  if (start < 0) return "";
  long length = LineLength(start);
  std::vector<char> buffer(length + 1, 0);
  TEXTRANGEA range;
  range.chrg = {start, start + length};
  range.lpstrText = buffer.data();
  long copied = static_cast<long>(Send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
  std::string text(buffer.data(), copied);
  text += '\r';
  if (static_cast<long>(text.size()) > capacity) text.resize(capacity);
  return text;
}

std::string Win32EditControl::GetTextRange(long from, long to) {
  if (to <= from || from < 0) return "";
  std::vector<char> buffer(static_cast<size_t>(to - from) + 1, 0);
  TEXTRANGEA range;
  range.chrg = {from, to};
  range.lpstrText = buffer.data();
  long copied = static_cast<long>(Send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
  return std::string(buffer.data(), static_cast<size_t>(std::max(copied, 0L)));
}

std::string Win32EditControl::GetSelText() {
  const CharRange sel = ExGetSel();
  std::vector<char> buffer(static_cast<size_t>(std::max(sel.cpMax - sel.cpMin, 0L)) + 1, 0);
  long copied = static_cast<long>(Send(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data())));
  return std::string(buffer.data(), static_cast<size_t>(std::clamp(copied, 0L, sel.cpMax - sel.cpMin)));
}

long Win32EditControl::GetFirstVisibleLine() { return static_cast<long>(Send(EM_GETFIRSTVISIBLELINE)); }

long Win32EditControl::PosFromCharX(long offset) {
  LRESULT packed = Send(EM_POSFROMCHAR, offset, 0);
  return static_cast<long>(LOWORD(packed));
}

long Win32EditControl::PosFromCharY(long offset) {
  LRESULT packed = Send(EM_POSFROMCHAR, offset, 0);
  return static_cast<short>(HIWORD(packed));
}

void Win32EditControl::SetSelectionFormat(const CharFormat& f) {
  CHARFORMATA cf;
  ZeroMemory(&cf, sizeof(cf));
  cf.cbSize = sizeof(cf);
  cf.dwMask = f.mask;
  cf.dwEffects = f.effects;
  cf.yHeight = f.heightTwips;
  cf.crTextColor = f.color;
  lstrcpynA(cf.szFaceName, f.face.c_str(), LF_FACESIZE);
  Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

CharFormat Win32EditControl::GetSelectionFormat() {
  CHARFORMATA cf;
  ZeroMemory(&cf, sizeof(cf));
  cf.cbSize = sizeof(cf);
  Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  CharFormat f;
  f.mask = cf.dwMask & (kCfmColor | kCfmSize | kCfmFace | kCfmEffects);
  f.effects = cf.dwEffects & kCfmEffects;
  f.heightTwips = cf.yHeight;
  // "Automatic" colour is the window text colour: black.
  f.color = (cf.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor;
  f.face = cf.szFaceName;
  return f;
}

void Win32EditControl::ReplaceSel(const std::string& text, bool undoable) {
  Send(EM_REPLACESEL, undoable ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32EditControl::Cut() { Send(WM_CUT); }
void Win32EditControl::Copy() { Send(WM_COPY); }
void Win32EditControl::Undo() { Send(EM_UNDO); }
void Win32EditControl::Redo() { Send(EM_REDO); }
bool Win32EditControl::CanUndo() { return Send(EM_CANUNDO) != 0; }

long Win32EditControl::SetUndoLimit(long steps) {
  undoLimit_ = steps;
  return static_cast<long>(Send(EM_SETUNDOLIMIT, static_cast<WPARAM>(steps)));
}

// Wine's control removes text run by run, and finds each run by walking its
// paragraphs from the start: emptying 50,000 lines takes minutes, however it
// is cut up. Destroying the control frees them in one walk, so a long text is
// dropped by putting a fresh control in the old one's place.
void Win32EditControl::DropLongText() {
  constexpr long kLongTextLines = 1000;
  if (GetLineCount() <= kLongTextLines) return;
  HWND old = hwnd_;
  HWND parent = GetParent(old);
  RECT at;
  GetWindowRect(old, &at);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&at), 2);
  const bool focused = GetFocus() == old;
  HWND fresh = CreateWindowExA(static_cast<DWORD>(GetWindowLongPtrA(old, GWL_EXSTYLE)), RichEditClassName(), "",
                               static_cast<DWORD>(GetWindowLongPtrA(old, GWL_STYLE)), at.left, at.top,
                               at.right - at.left, at.bottom - at.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))),
                               GetModuleHandleA(nullptr), nullptr);
  if (!fresh) return;
  SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PrepareRichEdit(fresh);
  hwnd_ = fresh;
  if (limit_) SetTextLimit(limit_);
  if (undoLimit_) SetUndoLimit(undoLimit_);
  if (undoSuspended_) SuspendUndo(true);
  if (redrawOff_) Send(WM_SETREDRAW, FALSE);
  if (renewed_) renewed_(fresh);
  if (focused) SetFocus(fresh);
  DestroyWindow(old);
}

void Win32EditControl::SetText(const std::string& text) {
  DropLongText();
  Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Win32EditControl::GetText() {
  int length = GetWindowTextLengthA(hwnd_);
  std::string text(length + 1, '\0');
  int copied = GetWindowTextA(hwnd_, &text[0], length + 1);
  text.resize(copied > 0 ? copied : 0);
  return text;
}

long Win32EditControl::GetTextLength() { return GetWindowTextLengthA(hwnd_); }

long Win32EditControl::GetTextLengthEx() {
  GETTEXTLENGTHEX how;
  how.flags = GTL_NUMCHARS;
  how.codepage = CP_ACP;
  return static_cast<long>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

void Win32EditControl::SetRichText(const std::string& rtf, bool selectionOnly) {
  if (!selectionOnly) DropLongText();
  SETTEXTEX how;
  how.flags = selectionOnly ? (ST_SELECTION | ST_KEEPUNDO) : ST_DEFAULT;
  how.codepage = CP_ACP;
  Send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(rtf.c_str()));
}

static DWORD CALLBACK CollectStream(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* taken) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(bytes), count);
  *taken = count;
  return 0;
}

static std::string StreamOut(HWND hwnd, WPARAM how) {
  std::string rtf;
  EDITSTREAM stream;
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&rtf);
  stream.dwError = 0;
  stream.pfnCallback = CollectStream;
  SendMessageA(hwnd, EM_STREAMOUT, how, reinterpret_cast<LPARAM>(&stream));
  return rtf;
}

std::string Win32EditControl::GetRichText() { return StreamOut(hwnd_, SF_RTF); }

std::string Win32EditControl::GetSelectionRichText() { return StreamOut(hwnd_, SF_RTF | SFF_SELECTION); }

void Win32EditControl::SetTextLimit(long limit) {
  limit_ = limit;
  Send(EM_EXLIMITTEXT, 0, limit);
}

void Win32EditControl::HideSelection(bool hide) { Send(EM_HIDESELECTION, hide ? TRUE : FALSE); }

void Win32EditControl::SetRedraw(bool redraw) {
  redrawOff_ = !redraw;
  Send(WM_SETREDRAW, redraw ? TRUE : FALSE);
  if (redraw) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32EditControl::SuspendUndo(bool suspend) {
  undoSuspended_ = suspend;
  IRichEditOle* ole = nullptr;
  Send(EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
  if (!ole) return;
  ITextDocument* document = nullptr;
  if (SUCCEEDED(ole->QueryInterface(kIidTextDocument, reinterpret_cast<void**>(&document))) && document) {
    long count = 0;
    document->Undo(suspend ? tomSuspend : tomResume, &count);
    document->Release();
  }
  ole->Release();
}

void Win32EditControl::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

// The control reads Ctrl from the thread's key state, which the user is
// holding already; a test's posted keys hold nothing.
void Win32EditControl::CtrlKey(int virtualKey) {
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE held[256];
  CopyMemory(held, keys, sizeof(held));
  held[VK_CONTROL] |= 0x80;
  held[VK_LCONTROL] |= 0x80;
  SetKeyboardState(held);
  SendMessageA(hwnd_, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 0);
  SendMessageA(hwnd_, WM_KEYUP, static_cast<WPARAM>(virtualKey), 0xC0000000);
  SetKeyboardState(keys);
}

void Win32EditControl::Focus() { SetFocus(hwnd_); }
