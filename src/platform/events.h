#pragma once
// Events as the loop sees them: input messages from any window by their
// message number, and the program's own codes for controls and commands.
#include <cstdint>
#include <string>
#include <vector>

constexpr int kEventChar = 258;
constexpr int kEventKeyDown = 256;
constexpr int kEventKeyUp = 257;
constexpr int kEventLButtonDown = 513;
constexpr int kEventLButtonUp = 514;
// A double-click in the editing area. The control's own word selection
// stops at format boundaries and knows nothing of a script's words, so the
// loop selects the word itself; `offset` is the character under the pointer.
constexpr int kEventEditorDoubleClick = 515;
constexpr int kEventDropFiles = 563;
constexpr int kEventClose = 16;
constexpr int kEventControl = 13100;
constexpr int kEventCommand = 13101;
// A key the logic has taken over from a control (Ui::TakeOverKey): the
// control never sees it. `control`, `key` and `modifiers` say which.
constexpr int kEventTakenKey = 13102;
// The timer started with EventSource::StartTimer ran out.
constexpr int kEventTimer = 275;

// Modifier keys held with a key.
constexpr unsigned kModControl = 1, kModShift = 2, kModAlt = 4;
// Any character typed, for Ui::TakeOverKeyWhile; a taken character comes
// as kEventTakenKey with the character as `key` and kModTyped.
constexpr int kTypedKey = -1;
constexpr unsigned kModTyped = 8;
// What kTypedKey stands for: a character that goes into the text, Tab and
// Enter included, typed without Ctrl or Alt.
inline bool IsTypedCharacter(int character, unsigned modifiers) {
  const bool text = character >= 32 ? character != 127 : character == '\t' || character == '\r';
  return text && !(modifiers & (kModControl | kModAlt));
}

// Control event types.
constexpr int kControlClick = 1;
constexpr int kControlDoubleClick = 2;
constexpr int kControlSelChanged = 3;
constexpr int kControlEnter = 4;   // Enter pressed in a tree
constexpr int kControlOther = 0;

struct Event {
  int code = 0;
  int window = -1;    // close requests; the window a key was pressed in
  int control = -1;   // control events
  int type = 0;       // control event type
  int item = 0;       // menu item or toolbar button
  int key = 0;        // virtual key (256, 257) or character code (258)
  unsigned modifiers = 0;  // kMod* bits (13102)
  long offset = -1;   // character offset in the editing area (515)
  // A tree's double-click: the item under the pointer, 0 when the pointer
  // was on a button, an indent or empty space.
  uintptr_t treeItem = 0;
  std::vector<std::string> droppedFiles;  // full paths, in drop order
};

class EventSource {
 public:
  virtual ~EventSource() = default;
  // Takes the next event. With wait false it returns false at once when
  // nothing is pending; with wait true it blocks until something arrives.
  virtual bool NextEvent(Event& event, bool wait) = 0;
  // One kEventTimer once `milliseconds` have passed, delivered only when no
  // input is waiting, so it never holds up a key. Starting it again while it
  // runs starts it over.
  virtual void StartTimer(int milliseconds) = 0;
  // The local date and time as a user reads them: "2026-12-08 03:10".
  virtual std::string LocalTime() = 0;
};
