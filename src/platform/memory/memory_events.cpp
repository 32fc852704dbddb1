#include "platform/memory/memory_events.h"

#include <algorithm>

void MemoryEvents::Push(Event event, std::function<void()> effect) {
  queue_.push_back({std::move(event), std::move(effect)});
}

MemoryEditControl* MemoryEvents::FocusedEditor() {
  auto it = ui_.editors.find(ui_.focused);
  return it == ui_.editors.end() ? nullptr : it->second.get();
}

bool MemoryEvents::NextEvent(Event& event, bool) {
  if (queue_.empty()) return false;
  // The system hands out a timer's message only once no input is waiting.
  if (queue_.front().event.code == kEventTimer && queue_.size() > 1) {
    queue_.push_back(std::move(queue_.front()));
    queue_.pop_front();
  }
  Item item = std::move(queue_.front());
  queue_.pop_front();
  // A key down taken from the control is never translated into its
  // character: the character Key() queued after it goes too.
  const bool charOfTakenKey = item.event.code == kEventChar && item.event.key == charOfTakenKey_;
  charOfTakenKey_ = -1;
  if (charOfTakenKey) item.event.code = 0;
  if (charOfTakenKey || TakenWhile(item.event)) item.effect = nullptr;
  if (item.event.code == kEventTakenKey && item.event.modifiers != kModTyped) charOfTakenKey_ = item.event.key;
  if (item.effect) item.effect();
  event = std::move(item.event);
  // A key reaches the window that holds the focus, as the system sends it.
  const bool key = event.code == kEventChar || event.code == kEventKeyDown || event.code == kEventKeyUp;
  if (key && event.window < 0 && ui_.controls.count(ui_.focused)) {
    int window = ui_.controls[ui_.focused].window;
    while (ui_.windows.count(window) && ui_.windows[window].parent >= 0) window = ui_.windows[window].parent;
    event.window = window;
  }
  if (ignoreNext_) event.code = 0;
  ignoreNext_ = false;
  return true;
}

// A key down, or a character typed, that the logic takes over while its
// condition holds becomes kEventTakenKey and never reaches the control.
bool MemoryEvents::TakenWhile(Event& event) {
  const bool typed = event.code == kEventChar;
  if ((!typed && event.code != kEventKeyDown) || !ui_.editors.count(ui_.focused)) return false;
  const unsigned modifiers = (ui_.heldKeys.count(kVkControl) ? kModControl : 0) |
                             (ui_.heldKeys.count(kVkShift) ? kModShift : 0);
  if (typed && !IsTypedCharacter(event.key, modifiers)) return false;
  const auto when = ui_.keysTakenWhile.find({ui_.focused, typed ? kTypedKey : event.key, typed ? 0u : modifiers});
  if (when == ui_.keysTakenWhile.end() || !when->second()) return false;
  event.code = kEventTakenKey;
  event.control = ui_.focused;
  event.modifiers = typed ? kModTyped : modifiers;
  return true;
}

void MemoryEvents::Advance(int milliseconds) {
  now_ += milliseconds;
  if (timerDue_ < 0 || now_ < timerDue_) return;
  timerDue_ = -1;
  Event e;
  e.code = kEventTimer;
  Push(e);
}

void MemoryEvents::Type(const std::string& text) {
  for (char c : text) {
    if (c == '\r') {
      Key(kVkReturn);
      continue;
    }
    Event e;
    e.code = kEventChar;
    e.key = static_cast<unsigned char>(c);
    Push(e, [this, c] {
      if (MemoryEditControl* edit = FocusedEditor()) {
        edit->TypeChar(c);
      } else if (ui_.controls.count(ui_.focused) &&
                 ui_.controls[ui_.focused].kind == ControlKind::TextField) {
        ui_.controls[ui_.focused].text += c;
      }
    });
  }
}

void MemoryEvents::MoveVertically(MemoryEditControl& edit, int delta) {
  CharRange sel = edit.ExGetSel();
  long line = edit.ExLineFromChar(sel.cpMin);
  long column = sel.cpMin - edit.LineIndex(line);
  long target = line + delta;
  if (target < 0 || target >= edit.GetLineCount()) return;
  long start = edit.LineIndex(target);
  edit.MoveCaretTo(start + std::min(column, edit.LineLength(start)));
}

void MemoryEvents::KeyDown(int vk) {
  Event e;
  e.code = kEventKeyDown;
  e.key = vk;
  Push(e, [this, vk] {
    ui_.heldKeys.insert(vk);
    MemoryEditControl* edit = FocusedEditor();
    if (!edit) return;
    long caret = edit->ExGetSel().cpMin;
    switch (vk) {
      case kVkBack: edit->TypeChar(8); break;
      case kVkDelete: edit->PressDelete(); break;
      case kVkLeft: edit->MoveCaretTo(caret - 1); break;
      case kVkRight: edit->MoveCaretTo(caret + 1); break;
      case kVkUp: MoveVertically(*edit, -1); break;
      case kVkDown: MoveVertically(*edit, 1); break;
      case kVkHome: edit->MoveCaretTo(edit->LineIndex(edit->ExLineFromChar(caret))); break;
      case kVkEnd: {
        long start = edit->LineIndex(edit->ExLineFromChar(caret));
        edit->MoveCaretTo(start + edit->LineLength(start));
        break;
      }
      default: break;
    }
  });
}

void MemoryEvents::KeyUp(int vk) {
  Event e;
  e.code = kEventKeyUp;
  e.key = vk;
  Push(e, [this, vk] { ui_.heldKeys.erase(vk); });
}

void MemoryEvents::Key(int vk) {
  KeyDown(vk);
  if (vk == kVkReturn) {
    Event e;
    e.code = kEventChar;
    e.key = 13;
    Push(e, [this] {
      if (MemoryEditControl* edit = FocusedEditor()) edit->TypeChar('\r');
    });
  } else if (vk == kVkBack || vk == kVkEscape) {
    Event e;
    e.code = kEventChar;
    e.key = vk;
    Push(e);
  }
  KeyUp(vk);
}

void MemoryEvents::MouseDown(long offset) {
  Event e;
  e.code = kEventLButtonDown;
  Push(e, [this, offset] {
    ui_.heldKeys.insert(kVkLButton);
    ui_.focused = 2;
    if (MemoryEditControl* edit = FocusedEditor()) edit->MoveCaretTo(offset);
  });
}

void MemoryEvents::MouseUp() {
  Event e;
  e.code = kEventLButtonUp;
  Push(e, [this] { ui_.heldKeys.erase(kVkLButton); });
}

void MemoryEvents::Click(long offset) {
  MouseDown(offset);
  MouseUp();
}

void MemoryEvents::DoubleClick(long offset) {
  // As the system sends it: a click, the double-click, and its button release.
  Click(offset);
  Event e;
  e.code = kEventEditorDoubleClick;
  e.offset = offset;
  Push(e);
  MouseUp();
}

void MemoryEvents::Command(int item) {
  Event e;
  e.code = kEventCommand;
  e.item = item;
  Push(e);
}

void MemoryEvents::ControlEvent(int control, int type) {
  Event e;
  e.code = kEventControl;
  e.control = control;
  e.type = type;
  Push(e);
}

void MemoryEvents::TreeDoubleClick(int control, TreeItem item) {
  Event e;
  e.code = kEventControl;
  e.control = control;
  e.type = kControlDoubleClick;
  e.treeItem = item;
  Push(e, [this, control, item] {
    if (item != kTreeRoot) ui_.TreeSelect(control, item);  // the first click selects it
  });
}

void MemoryEvents::TakenKey(int control, int key, unsigned modifiers) {
  Event e;
  e.code = kEventTakenKey;
  e.control = control;
  e.key = key;
  e.modifiers = modifiers;
  Push(e);
}

void MemoryEvents::ClickControl(int control) {
  Event e;
  e.code = kEventControl;
  e.control = control;
  e.type = kControlClick;
  // A click the control did not take reaches the loop as nothing at all.
  Push(e, [this, control] {
    if (!ui_.PressControl(control)) ignoreNext_ = true;
  });
}

void MemoryEvents::Close(int window) {
  Event e;
  e.code = kEventClose;
  e.window = window;
  Push(e);
}

void MemoryEvents::Drop(const std::vector<std::string>& paths) {
  Event e;
  e.code = kEventDropFiles;
  e.droppedFiles = paths;
  Push(e);
}

void MemoryEvents::Other(int code) {
  Event e;
  e.code = code;
  Push(e);
}

void MemoryEvents::Do(int code, std::function<void()> effect) {
  Event e;
  e.code = code;
  Push(e, std::move(effect));
}
