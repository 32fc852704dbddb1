#pragma once
#include <windows.h>
#include <shellapi.h>

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/ui.h"
#include "platform/win32/win32_edit_control.h"

// A control's child-window id: its number plus this.
constexpr int kChildIdBase = 100;
// The window classes of the program's own windows and of the splitter.
constexpr const char* kWindowClass = "QvrWindow";
constexpr const char* kSplitterClass = "QvrSplitter";

std::string TextOf(HWND hwnd);

// Windows and controls by number, and the event queue their window
// procedures feed: notifications that arrive as sent messages wait here
// until the loop asks for its next event.
class Win32Ui : public Ui, public EventSource {
 public:
  Win32Ui();
  ~Win32Ui() override;

  HWND WindowHandle(int window) const;
  HWND ControlHandle(int control) const;
  // The window or control number of a handle, or -1.
  int WindowNumberOf(HWND hwnd) const;
  int ControlNumberOf(HWND hwnd) const;

  bool MakeWindow(int window, const WindowSpec& form) override;
  bool WindowExists(int window) override;
  void CloseWindow(int window) override;
  void SetWindowTitle(int window, const std::string& title) override;
  std::string WindowTitle(int window) override;
  void EnableWindow(int window, bool enabled) override;
  bool IsWindowEnabled(int window) override;
  void ShowWindow(int window, bool shown) override;
  bool IsWindowShown(int window) override;
  Rect WindowRect(int window) override;
  int ActiveWindow() override;
  void MoveWindowTo(int window, int x, int y) override;
  void ClientSize(int window, int& w, int& h) override;
  int MenuBarHeight() override;
  void AcceptDroppedFiles(int window) override;
  void RemoveKeyboardShortcuts(int window) override;
  void TakeOverKey(int control, int key, unsigned modifiers) override;
  void TakeOverKeyWhile(int control, int key, unsigned modifiers, std::function<bool()> when) override;
  bool KeyHeld(int virtualKey) override;
  std::vector<FontFace> InstalledFaces() override;
  void SetWindowHook(std::function<void(int, int)> hook) override { hook_ = std::move(hook); }
  void SetSessionEndQuery(std::function<bool()> query) override { sessionEndQuery_ = std::move(query); }
  bool CreateImage(int image, int w, int h, uint32_t color) override;

  bool CreateStatusBar(int window, const std::vector<int>& rightEdges) override;
  void SetStatusText(int field, const std::string& text) override;
  std::string StatusText(int field) override;
  void SetMenu(int window, const std::vector<MenuTitle>& menu) override;
  bool CreateToolbar(int window, const std::vector<ToolButton>& buttons) override;

  bool CreateControl(int control, int window, ControlKind kind, const Rect& at,
                     const std::string& text, unsigned dialogKeys = kNoDialogKeys) override;
  void SelectControlText(int control) override;
  bool ControlExists(int control) override;
  void MoveControl(int control, const Rect& at) override;
  Rect ControlRect(int control) override;
  void SetControlText(int control, const std::string& text) override;
  std::string ControlText(int control) override;
  bool CreateTabs(int control, int window, const Rect& at, const std::vector<std::string>& captions,
                  int firstPage) override;
  void EnableControl(int control, bool enabled) override;
  bool IsControlEnabled(int control) override;
  void SetControlImage(int control, int image) override;
  bool IsChecked(int control) override;
  void SetChecked(int control, bool checked) override;
  void Focus(int control) override;
  int FocusedControl() override;
  EditControl* Editor(int control) override;

  void SetSplitterPanes(int splitter, int left, int right, int barWidth) override;
  void SetSplitterPos(int splitter, int pos) override;
  int SplitterPos(int splitter) override;

  void TreeClear(int control) override;
  TreeItem TreeAdd(int control, TreeItem parent, const std::string& label, long data) override;
  void TreeExpand(int control, TreeItem item) override;
  void TreeSelect(int control, TreeItem item) override;
  TreeItem TreeSelected(int control) override;
  std::string TreeItemText(int control, TreeItem item) override;
  long TreeItemData(int control, TreeItem item) override;
  std::vector<TreeItem> TreeChildren(int control, TreeItem parent) override;

  void ListSetItems(int control, const std::vector<std::string>& items) override;
  int ListCount(int control) override;
  int ListSelection(int control) override;
  void ListSelect(int control, int index) override;
  std::string ListItem(int control, int index) override;

  void ControlToScreen(int control, int& x, int& y) override;
  Rect WorkArea() override;
  Rect WorkAreaAt(int x, int y) override;

  bool NextEvent(Event& event, bool wait) override;
  void StartTimer(int milliseconds) override;
  std::string LocalTime() override;

  // Window procedure plumbing.
  LRESULT HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleSplitterMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Queue(Event event) { queue_.push_back(std::move(event)); }
  static Win32Ui* Instance();

 private:
  struct Splitter {
    int left = -1, right = -1, barWidth = 7, pos = 0;
    bool dragging = false;
    int dragOffset = 0;
  };
  void LayOutSplitter(int splitter);
  void ShowTabPage(int control);
  void OnNotify(int window, const NMHDR& header);
  void QueueDrop(HDROP drop);
  void OnCommand(int window, WPARAM wParam, LPARAM lParam);
  void DrawListItem(const DRAWITEMSTRUCT& item);
  bool IsEditingArea(HWND hwnd) const;
  bool RestoreFocus(HWND window);
  bool IsControlOfKind(HWND hwnd, ControlKind kind) const;
  bool TakeDialogKey(MSG& msg);
  bool TakeKey(const MSG& msg, Event& event);
  void NoteTreeDoubleClick(const MSG& msg);
  LRESULT DefaultButtonOf(HWND window);
  long CharacterUnder(HWND edit, int x, int y) const;

  std::map<int, HWND> windows_;
  std::map<int, HWND> controls_;
  std::map<int, ControlKind> controlKinds_;
  std::map<int, std::unique_ptr<Win32EditControl>> editors_;
  std::map<int, Splitter> splitters_;
  std::map<int, HBITMAP> images_;
  std::map<int, std::vector<int>> tabPages_;   // tab control -> page windows
  std::map<int, std::string> toolTips_;
  // A list box keeps no strings of its own: it is refilled on every
  // keystroke, and telling it a new count is one message where adding the
  // items one by one took milliseconds. It draws its items from here.
  std::map<int, std::vector<std::string>> listItems_;
  // Top-level windows that take dialog keys, and their default buttons.
  std::set<HWND> dialogKeyWindows_;
  std::set<std::tuple<int, int, unsigned>> takenKeys_;   // control, key, modifiers
  std::map<std::tuple<int, int, unsigned>, std::function<bool()>> keysTakenWhile_;
  std::map<HWND, int> defaultButtons_;
  // The tree item a double-click landed on, until the tree reports it.
  TreeItem treeItemClicked_ = 0;
  HWND statusBar_ = nullptr;
  HWND toolbar_ = nullptr;
  std::function<void(int, int)> hook_;
  std::function<bool()> sessionEndQuery_;
  std::map<HWND, HWND> lastFocus_;   // top-level window -> its control that had the keys
  std::deque<Event> queue_;
  UINT_PTR timer_ = 0;   // a thread timer: it needs no window
};
