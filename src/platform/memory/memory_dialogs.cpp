#include "platform/memory/memory_dialogs.h"

int MemoryDialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) {
  shown.push_back({"message", title, text, buttons, {}, {}, 0, {}});
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
  shown.push_back({"open", form.title, form.initialFile, MessageButtons::Ok, form, {}, 0, {}});
  return NextFile(fileAnswers);
}

std::string MemoryDialogs::SaveFileDialog(const FileDialogSpec& form) {
  shown.push_back({"save", form.title, form.initialFile, MessageButtons::Ok, form, {}, 0, {}});
  return NextFile(fileAnswers);
}

bool MemoryDialogs::ChooseFontDialog(const std::string& face, int points, FontChoice& chosen) {
  Shown s;
  s.kind = "font";
  s.font = {face, points * 10};
  shown.push_back(s);
  if (fontAnswers.empty() || fontAnswers.front().face.empty()) {
    if (!fontAnswers.empty()) fontAnswers.pop_front();
    return false;
  }
  chosen = fontAnswers.front();
  fontAnswers.pop_front();
  return true;
}

int64_t MemoryDialogs::ChooseColorDialog(uint32_t initial, CustomColors& custom) {
  Shown s;
  s.kind = "color";
  s.color = initial;
  s.custom = custom;
  shown.push_back(s);
  if (editCustomColors) editCustomColors(custom);
  if (colorAnswers.empty()) return -1;
  const int64_t answer = colorAnswers.front();
  colorAnswers.pop_front();
  return answer;
}
