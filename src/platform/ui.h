#pragma once
// Windows and controls addressed by number. The logic says what to build and
// where; a realisation only translates.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/edit_control.h"

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Rect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

enum class ControlKind {
  Tree, RichEdit, Splitter, Static, CheckBox, ListBox, TextField, Button,
  WrappingStatic,   // a label whose words go on to the next line where it is too narrow
  Frame,        // a captioned group box
  OptionFirst,  // an option button that starts a new group
  Option,       // an option button in the group of the one before it
  Toggle,       // a push button that stays pressed (checked) until pressed again
  ImageButton,  // a push button showing an image set with SetControlImage
};

// A control's part in the keys of a tool window (Find, Replace, Settings):
// Tab and Shift+Tab stop at kTabStop controls in creation order, the arrow
// keys move within a run of controls that a kGroupStart control begins,
// Enter presses the window's kDefaultButton.
enum DialogKeys : unsigned {
  kNoDialogKeys = 0,
  kTabStop = 1,
  kGroupStart = 2,
  kDefaultButton = 4,
};

enum class WindowKind {
  Main,      // framed, sizable, with menu and icon
  Popup,     // borderless, topmost, not activated
  Tool,      // small framed tool window, with dialog keys
  Fixed,     // caption only: no system menu, so no close box; dialog keys
};

struct WindowSpec {
  WindowKind kind = WindowKind::Main;
  std::string title;
  int x = 0, y = 0;        // outer top-left corner on the screen
  int clientW = 0, clientH = 0;
  // Instead of x and y: the whole window, frame included, centred over this
  // screen rectangle.
  bool centred = false;
  Rect centreOver;
};

struct FontFace {
  std::string name;
  bool fixedPitch = false;
};

struct MenuItem {
  int number = 0;          // 0 marks a separator
  std::string caption;
  bool enabled = true;     // greyed while its command is not available
};
struct MenuTitle {
  std::string caption;
  std::vector<MenuItem> items;
};

struct ToolButton {
  int number = 0;          // 0 marks a separator
  int standardImage = 0;
  std::string tip;
  bool enabled = true;
};

using TreeItem = uintptr_t;  // 0 is the invisible root
constexpr TreeItem kTreeRoot = 0;

class Ui {
 public:
  virtual ~Ui() = default;

  virtual bool MakeWindow(int window, const WindowSpec& form) = 0;
  virtual bool WindowExists(int window) = 0;
  virtual void CloseWindow(int window) = 0;
  virtual void SetWindowTitle(int window, const std::string& title) = 0;
  virtual std::string WindowTitle(int window) = 0;
  virtual void EnableWindow(int window, bool enabled) = 0;
  virtual bool IsWindowEnabled(int window) = 0;
  virtual void ShowWindow(int window, bool shown) = 0;
  virtual bool IsWindowShown(int window) = 0;
  virtual Rect WindowRect(int window) = 0;                // outer, screen coordinates
  virtual int ActiveWindow() = 0;                         // -1 when none of ours is active
  virtual void MoveWindowTo(int window, int x, int y) = 0;  // keeps size and stacking
  virtual void ClientSize(int window, int& w, int& h) = 0;
  virtual int MenuBarHeight() = 0;
  virtual void AcceptDroppedFiles(int window) = 0;
  virtual void RemoveKeyboardShortcuts(int window) = 0;
  // From now on the key with exactly these modifiers (kMod* of events.h),
  // pressed in the control, goes to the loop as kEventTakenKey instead.
  virtual void TakeOverKey(int control, int key, unsigned modifiers) = 0;
  // The same, but only while `when` says so as the key comes; `key` may be
  // kTypedKey, any character typed without Ctrl or Alt.
  virtual void TakeOverKeyWhile(int control, int key, unsigned modifiers, std::function<bool()> when) = 0;
  // Whether a virtual key (or mouse button, 1) is down as of the last event
  // taken from the queue, whichever window's loop took it.
  virtual bool KeyHeld(int virtualKey) = 0;
  // The font faces installed for the screen, each once.
  virtual std::vector<FontFace> InstalledFaces() = 0;
  // Called for every message of every window of the program before its
  // default handling; the logic looks at WM_SIZE (5) and WM_MOVE (3).
  virtual void SetWindowHook(std::function<void(int window, int message)> hook) = 0;
  // Asked, and answered before the system goes on, when the user logs off or
  // shuts down: true lets the session end.
  virtual void SetSessionEndQuery(std::function<bool()> query) = 0;
  // A solid image, addressed by number (the colour swatches). Calling it
  // again for the same number and size repaints that image in place.
  virtual bool CreateImage(int image, int w, int h, uint32_t color) = 0;

  virtual bool CreateStatusBar(int window, const std::vector<int>& rightEdges) = 0;
  virtual void SetStatusText(int field, const std::string& text) = 0;
  virtual std::string StatusText(int field) = 0;
  virtual void SetMenu(int window, const std::vector<MenuTitle>& menu) = 0;
  virtual bool CreateToolbar(int window, const std::vector<ToolButton>& buttons) = 0;

  virtual bool CreateControl(int control, int window, ControlKind kind, const Rect& at,
                             const std::string& text, unsigned dialogKeys = kNoDialogKeys) = 0;
  // Selects the whole text of a text field, so that typing replaces it.
  virtual void SelectControlText(int control) = 0;
  virtual bool ControlExists(int control) = 0;
  // A tab control with one page per caption; page i becomes window
  // firstPage + i for CreateControl, origin at the page's top left. Only the
  // selected page (the first one at creation) shows; the user's choice of
  // tab switches pages without the logic.
  virtual bool CreateTabs(int control, int window, const Rect& at, const std::vector<std::string>& captions,
                          int firstPage) = 0;
  virtual void EnableControl(int control, bool enabled) = 0;
  virtual bool IsControlEnabled(int control) = 0;
  virtual void SetControlImage(int control, int image) = 0;
  virtual void MoveControl(int control, const Rect& at) = 0;
  virtual Rect ControlRect(int control) = 0;              // in its window's client area
  virtual void SetControlText(int control, const std::string& text) = 0;
  virtual std::string ControlText(int control) = 0;
  virtual bool IsChecked(int control) = 0;
  virtual void SetChecked(int control, bool checked) = 0;
  virtual void Focus(int control) = 0;
  // The editing control behind a control created as ControlKind::RichEdit.
  virtual EditControl* Editor(int control) = 0;
  virtual int FocusedControl() = 0;                       // -1 when none of ours

  // Splitter: two panes side by side, a bar of fixed width between them.
  virtual void SetSplitterPanes(int splitter, int left, int right, int barWidth) = 0;
  virtual void SetSplitterPos(int splitter, int pos) = 0;
  virtual int SplitterPos(int splitter) = 0;

  // Tree control.
  virtual void TreeClear(int control) = 0;
  virtual TreeItem TreeAdd(int control, TreeItem parent, const std::string& label, long data) = 0;
  virtual void TreeExpand(int control, TreeItem item) = 0;
  virtual void TreeSelect(int control, TreeItem item) = 0;
  virtual TreeItem TreeSelected(int control) = 0;
  virtual std::string TreeItemText(int control, TreeItem item) = 0;
  virtual long TreeItemData(int control, TreeItem item) = 0;
  virtual std::vector<TreeItem> TreeChildren(int control, TreeItem parent) = 0;

  // List box: items in the order added, at most one selected.
  virtual void ListSetItems(int control, const std::vector<std::string>& items) = 0;
  virtual int ListCount(int control) = 0;
  virtual int ListSelection(int control) = 0;   // -1 when nothing is selected
  virtual void ListSelect(int control, int index) = 0;
  virtual std::string ListItem(int control, int index) = 0;

  // Screen geometry: a point of a control's client area in screen
  // coordinates, and the part of the screen that windows may use: of the
  // primary monitor, or of the monitor nearest a screen point.
  virtual void ControlToScreen(int control, int& x, int& y) = 0;
  virtual Rect WorkArea() = 0;
  virtual Rect WorkAreaAt(int x, int y) = 0;
};
