#pragma once
// Message boxes and file dialogs that answer from a script the test sets,
// and remember what they were asked.
#include <deque>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/dialogs.h"

class MemoryDialogs : public Dialogs {
 public:
  struct Shown {
    std::string kind;   // "message", "open", "save"
    std::string title;
    std::string text;   // message text, or the initial file of a file dialog
    MessageButtons buttons = MessageButtons::Ok;
    FileDialogSpec form;
  };
  std::deque<int> messageAnswers;          // kAnswer*; an empty script answers OK/Cancel
  std::deque<std::string> fileAnswers;     // "" cancels
  std::vector<Shown> shown;

  int ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) override;
  std::string OpenFileDialog(const FileDialogSpec& form) override;
  std::string SaveFileDialog(const FileDialogSpec& form) override;
};

class MemoryClipboard : public Clipboard {
 public:
  std::string text;
  std::string GetText() override { return text; }
  void SetText(const std::string& t) override { text = t; }
};
