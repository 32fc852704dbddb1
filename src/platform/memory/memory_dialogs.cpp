#include "platform/memory/memory_dialogs.h"

int MemoryDialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) {
  shown.push_back({"message", title, text, buttons, {}});
  if (messageAnswers.empty()) return buttons == MessageButtons::Ok ? kAnswerOk : kAnswerCancel;
  int answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

static std::string NextFile(std::deque<std::string>& answers) {
  if (answers.empty()) return "";
  std::string path = answers.front();
  answers.pop_front();
  return path;
}

std::string MemoryDialogs::OpenFileDialog(const FileDialogSpec& form) {
  shown.push_back({"open", form.title, form.initialFile, MessageButtons::Ok, form});
  return NextFile(fileAnswers);
}

std::string MemoryDialogs::SaveFileDialog(const FileDialogSpec& form) {
  shown.push_back({"save", form.title, form.initialFile, MessageButtons::Ok, form});
  return NextFile(fileAnswers);
}
