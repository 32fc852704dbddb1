#pragma once
#include <windows.h>

#include <functional>

#include "platform/edit_control.h"

// The rich-edit control behind the editing operations: one message per call.
class Win32EditControl : public EditControl {
 public:
  // `renewed` hears of the new window when a long text is dropped by
  // putting a fresh control in the old one's place.
  Win32EditControl(HWND hwnd, std::function<void(HWND)> renewed)
      : hwnd_(hwnd), renewed_(std::move(renewed)) {}
  HWND Handle() const { return hwnd_; }

  void ExSetSel(long cpMin, long cpMax) override;
  CharRange ExGetSel() override;
  long ExLineFromChar(long offset) override;
  long LineIndex(long line) override;
  long LineLength(long offset) override;
  long GetLineCount() override;
  std::string GetLine(long line, long capacity) override;
  long GetFirstVisibleLine() override;
  std::string GetTextRange(long from, long to) override;
  std::string GetSelText() override;
  long PosFromCharX(long offset) override;
  long PosFromCharY(long offset) override;
  void SetSelectionFormat(const CharFormat& format) override;
  CharFormat GetSelectionFormat() override;
  void ReplaceSel(const std::string& text, bool undoable) override;
  void Cut() override;
  void Copy() override;
  void Undo() override;
  void Redo() override;
  bool CanUndo() override;
  long SetUndoLimit(long steps) override;
  // The control's own flag misses some changes (an undo, a cut by key), so
  // its change notification, when it comes from the user's doing rather
  // than from one of our calls, counts as well.
  bool GetModify() override { return changeNotified_ || Send(EM_GETMODIFY) != 0; }
  void SetModify(bool modified) override {
    changeNotified_ = false;
    Send(EM_SETMODIFY, modified ? TRUE : FALSE);
  }
  // EN_CHANGE reached the parent.
  void OnChangeNotification() {
    if (callsInProgress_ == 0) changeNotified_ = true;
  }
  void SetText(const std::string& text) override;
  std::string GetText() override;
  long GetTextLength() override;
  long GetTextLengthEx() override;
  void SetRichText(const std::string& rtf, bool selectionOnly) override;
  std::string GetRichText() override;
  std::string GetSelectionRichText() override;
  void SetTextLimit(long limit) override;
  void HideSelection(bool hide) override;
  void SetRedraw(bool redraw) override;
  void SuspendUndo(bool suspend) override;
  void SetVisible(bool visible) override;
  void Focus() override;
  void CtrlKey(int virtualKey) override;

 private:
  void DropLongText();
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) {
    ++callsInProgress_;
    LRESULT result = SendMessageA(hwnd_, msg, w, l);
    --callsInProgress_;
    return result;
  }
  int callsInProgress_ = 0;
  bool changeNotified_ = false;
  HWND hwnd_;
  std::function<void(HWND)> renewed_;
  // What the editor asked of the control, so a fresh one starts the same.
  long limit_ = 0;
  long undoLimit_ = 0;
  bool undoSuspended_ = false;
  bool redrawOff_ = false;
};

// Loads the rich-edit library and names the class to create.
const char* RichEditClassName();
// The control starts in the system font's bold; the editor's text starts
// plain.
void PrepareRichEdit(HWND hwnd);
