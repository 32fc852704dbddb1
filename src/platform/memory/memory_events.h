#pragma once
// A scripted user: tests queue what the user does, and each action reaches
// the controls (as the system's dispatch would) just before the loop sees
// its event.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/memory/memory_ui.h"

constexpr int kVkLButton = 1;
constexpr int kVkBack = 8;
constexpr int kVkReturn = 13;
constexpr int kVkShift = 16;
constexpr int kVkControl = 17;
constexpr int kVkEscape = 27;
constexpr int kVkEnd = 35;
constexpr int kVkHome = 36;
constexpr int kVkLeft = 37;
constexpr int kVkUp = 38;
constexpr int kVkRight = 39;
constexpr int kVkDown = 40;
constexpr int kVkDelete = 46;

class MemoryEvents : public EventSource {
 public:
  explicit MemoryEvents(MemoryUi& ui) : ui_(ui) {}

  void Type(const std::string& text);      // characters; '\r' presses Enter
  void Key(int vk);                        // key down, its character if any, key up
  void KeyDown(int vk);
  void KeyUp(int vk);
  void Click(long offset);                 // left button down and up in the editor
  void MouseDown(long offset);
  void MouseUp();
  void DoubleClick(long offset);           // on the character at offset
  void Command(int item);
  void ControlEvent(int control, int type);
  // A double-click in a tree: on an item (selected by its first click), or
  // on a button or empty space (kTreeRoot).
  void TreeDoubleClick(int control, TreeItem item);
  // A key the logic took over from a control (Ui::TakeOverKey).
  void TakenKey(int control, int key, unsigned modifiers);
  // A mouse click on a button, check box or option button: its state
  // changes as the system changes it, then its event, if it took the click.
  void ClickControl(int control);
  void Close(int window);
  void Drop(const std::vector<std::string>& paths);
  void Other(int code);
  // Runs an arbitrary step as an event of its own (e.g. a splitter drag).
  void Do(int code, std::function<void()> effect);

  size_t Pending() const { return queue_.size(); }
  bool NextEvent(Event& event, bool wait) override;

  // The clock is the test's: time passes only through Advance, and a timer
  // that runs out queues its event behind what the user did before.
  void StartTimer(int milliseconds) override { timerDue_ = now_ + milliseconds; }
  void Advance(int milliseconds);
  bool TimerRunning() const { return timerDue_ >= 0; }
  std::string localTime = "2026-12-08 03:10";
  std::string LocalTime() override { return localTime; }

 private:
  bool TakenWhile(Event& event);
  struct Item {
    Event event;
    std::function<void()> effect;
  };
  void Push(Event event, std::function<void()> effect = nullptr);
  MemoryEditControl* FocusedEditor();
  void MoveVertically(MemoryEditControl& edit, int delta);

  MemoryUi& ui_;
  std::deque<Item> queue_;
  bool ignoreNext_ = false;
  int charOfTakenKey_ = -1;
  long long now_ = 0;
  long long timerDue_ = -1;
};
