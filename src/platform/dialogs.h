#pragma once
// Message boxes and the system's modal dialogs.
#include <cstdint>
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

struct FontChoice {
  std::string face;
  int tenths = 0;   // point size in tenths of a point
};

// The colour chooser's sixteen custom colour slots, 0x00BBGGRR each.
struct CustomColors {
  uint32_t slot[16] = {};
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual int ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) = 0;
  // Both return the chosen path, or "" when cancelled.
  virtual std::string OpenFileDialog(const FileDialogSpec& form) = 0;
  virtual std::string SaveFileDialog(const FileDialogSpec& form) = 0;
  // Preset to `face` at `points`; false when cancelled.
  virtual bool ChooseFontDialog(const std::string& face, int points, FontChoice& chosen) = 0;
  // Opens on `initial`; the user may edit `custom`. Returns the colour
  // (0x00BBGGRR) or -1 when cancelled.
  virtual int64_t ChooseColorDialog(uint32_t initial, CustomColors& custom) = 0;
};
