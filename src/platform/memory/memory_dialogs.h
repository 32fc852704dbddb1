#pragma once
// Message boxes and file dialogs that answer from a script the test sets,
// and remember what they were asked.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/dialogs.h"

class MemoryDialogs : public Dialogs {
 public:
  struct Shown {
    std::string kind;   // "message", "open", "save", "font", "color"
    std::string title;
    std::string text;   // message text, or the initial file of a file dialog
    MessageButtons buttons = MessageButtons::Ok;
    FileDialogSpec form;
    FontChoice font;        // the font chooser's preset (tenths = points * 10)
    uint32_t color = 0;     // the colour chooser's initial colour
    CustomColors custom;    // the custom colours it was handed
  };
  std::deque<int> messageAnswers;          // kAnswer*; an empty script answers OK/Cancel
  std::deque<std::string> fileAnswers;     // "" cancels
  std::deque<FontChoice> fontAnswers;      // an empty face cancels
  std::deque<int64_t> colorAnswers;        // -1 cancels
  // What the user does to the custom colour slots while a chooser is open.
  std::function<void(CustomColors&)> editCustomColors;
  std::vector<Shown> shown;

  int ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) override;
  std::string OpenFileDialog(const FileDialogSpec& form) override;
  std::string SaveFileDialog(const FileDialogSpec& form) override;
  bool ChooseFontDialog(const std::string& face, int points, FontChoice& chosen) override;
  int64_t ChooseColorDialog(uint32_t initial, CustomColors& custom) override;
};

class MemoryClipboard : public Clipboard {
 public:
  std::string text;
  std::string GetText() override { return text; }
  void SetText(const std::string& t) override { text = t; }
};
