#pragma once
// Message boxes and the system's modal dialogs.
#include <string>

enum class MessageButtons { Ok, YesNo, YesNoCancel };

constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

struct FileDialogSpec {
  std::string title;
  std::string filter;         // "description|pattern|description|pattern..."
  int filterIndex = 0;        // 0-based pair preselected
  std::string initialFolder;
  std::string initialFile;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual int ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) = 0;
  // Both return the chosen path, or "" when cancelled.
  virtual std::string OpenFileDialog(const FileDialogSpec& form) = 0;
  virtual std::string SaveFileDialog(const FileDialogSpec& form) = 0;
};
