#pragma once
// The program's message boxes and common dialogs are modal and shown from
// inside the loop, so a test answers each as it comes up, the way a user
// clicks: the hook meets each box once, records its title and text, asks the
// test's answer for the button (the answer may fill the box in first) and
// presses it.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class DialogAnswers {
 public:
  using Answer = std::function<int(HWND box)>;
  explicit DialogAnswers(Answer answer = [](HWND) { return IDOK; }) : answer_(std::move(answer)) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~DialogAnswers() {
    if (hook_) UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  DialogAnswers(const DialogAnswers&) = delete;
  DialogAnswers& operator=(const DialogAnswers&) = delete;

  std::vector<std::string> seen;   // "title|text" of every box answered
  HWND lastOwner = nullptr;        // the window the last one belonged to

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char kind[16] = {0};
    DialogAnswers* self = current_;
    if (self && code == HCBT_ACTIVATE && GetClassNameA(box, kind, sizeof(kind)) && std::string(kind) == "#32770" &&
        !GetPropA(box, kAnsweredMark)) {
      SetPropA(box, kAnsweredMark, box);
      char title[256] = {0}, text[2048] = {0};
      GetWindowTextA(box, title, sizeof(title));
      GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));   // a message box's text control
      self->seen.push_back(std::string(title) + "|" + text);
      self->lastOwner = GetWindow(box, GW_OWNER);
      PostMessageA(box, WM_COMMAND, self->answer_(box), 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static constexpr const char* kAnsweredMark = "qvr.answered";
  inline static DialogAnswers* current_ = nullptr;
  HHOOK hook_ = nullptr;
  Answer answer_;
};

// Presses the buttons of `queue` box by box, and Cancel once it runs out.
inline DialogAnswers::Answer AnswersFrom(std::deque<int>& queue) {
  return [&queue](HWND) {
    if (queue.empty()) return IDCANCEL;
    const int answer = queue.front();
    queue.pop_front();
    return answer;
  };
}
