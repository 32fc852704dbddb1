#pragma once
#include <windows.h>

#include "platform/edit_control.h"

// The rich-edit control behind the editing operations: one message per call.
class Win32EditControl : public EditControl {
 public:
  explicit Win32EditControl(HWND hwnd) : hwnd_(hwnd) {}
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
  void SetText(const std::string& text) override;
  std::string GetText() override;
  long GetTextLength() override;
  void SetRichText(const std::string& rtf, bool selectionOnly) override;
  std::string GetRichText() override;
  std::string GetSelectionRichText() override;
  void SetTextLimit(long limit) override;
  void HideSelection(bool hide) override;
  void SetRedraw(bool redraw) override;
  void SuspendUndo(bool suspend) override;
  void SetVisible(bool visible) override;
  void Focus() override;

 private:
  void ClearInChunks();
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(hwnd_, msg, w, l); }
  HWND hwnd_;
};

// Loads the rich-edit library and names the class to create.
const char* RichEditClassName();
// The control starts in the system font's bold; the editor's text starts
// plain.
void PrepareRichEdit(HWND hwnd);
