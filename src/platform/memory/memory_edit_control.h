#pragma once
// An editing control held in memory that behaves like the rich-edit control
// in every way the editor relies on: one paragraph mark per line break,
// a selection clamped to the text, per-character formats, an undo history
// that records format changes and is emptied by a non-undoable replace.
#include <functional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "editor/rich_text.h"
#include "platform/edit_control.h"

class MemoryEditControl : public EditControl {
 public:
  // A character's look; a new control's text is the system font's 9 points.
  using Format = CharLook;

  explicit MemoryEditControl(Clipboard* clipboard = nullptr) : clipboard_(clipboard) {}

  // What the user does, as the control handles it.
  void TypeChar(char c);         // a character message; '\r' breaks the line, 8 deletes back
  void PressDelete();
  void MoveCaretTo(long offset);

  // Inspection for tests.
  const std::string& RawText() const { return text_; }   // '\r' between lines
  const Format& FormatAt(long offset) const { return formats_[offset]; }
  long Length() const { return static_cast<long>(text_.size()); }
  bool visible = true;
  bool redraw = true;
  bool hideSelection = false;
  std::function<void()> onFocus;   // tells the window set who has the focus
  long textLimit = 32767;
  int formatCalls = 0;           // SetSelectionFormat calls made
  int richTextCalls = 0;         // SetRichText calls made

  void ExSetSel(long cpMin, long cpMax) override;
  CharRange ExGetSel() override { return sel_; }
  long ExLineFromChar(long offset) override;
  long LineIndex(long line) override;
  long LineLength(long offset) override;
  long GetLineCount() override;
  std::string GetLine(long line, long capacity) override;
  std::string GetTextRange(long from, long to) override;
  std::string GetSelText() override { return GetTextRange(sel_.cpMin, sel_.cpMax); }
  long GetFirstVisibleLine() override { return 0; }
  long PosFromCharX(long offset) override;
  long PosFromCharY(long offset) override;
  void SetSelectionFormat(const CharFormat& format) override;
  CharFormat GetSelectionFormat() override;
  void ReplaceSel(const std::string& text, bool undoable) override;
  void Cut() override;
  void Copy() override;
  void Undo() override;
  void Redo() override;
  bool CanUndo() override { return !undo_.empty(); }
  long SetUndoLimit(long steps) override { return undoLimit_ = steps; }
  bool GetModify() override { return modified_; }
  void SetModify(bool modified) override { modified_ = modified; }
  void SetText(const std::string& text) override;
  std::string GetText() override;
  long GetTextLength() override;
  long GetTextLengthEx() override { return Length(); }
  void SetRichText(const std::string& rtf, bool selectionOnly) override;
  std::string GetRichText() override;
  std::string GetSelectionRichText() override;
  void SetTextLimit(long limit) override { textLimit = limit; }
  void HideSelection(bool hide) override { hideSelection = hide; }
  void SetRedraw(bool on) override { redraw = on; }
  void SuspendUndo(bool suspend) override { undoSuspended_ = suspend; }
  void SetVisible(bool on) override { visible = on; }
  void Focus() override {
    if (onFocus) onFocus();
  }
  void CtrlKey(int virtualKey) override;

 private:
  struct Snapshot {
    std::string text;
    std::vector<Format> formats;
    CharRange sel;
  };
  void RememberForUndo();
  void CarryFormatsIntoHistory(long from, long to);
  void Insert(long at, const std::string& paragraphText, const Format& format);
  long LineStartOf(long offset) const;
  Format FormatForInsertAt(long offset) const;
  std::string SelectedText() const;
  long WordMove(long from, bool left) const;

  std::string text_;
  std::vector<Format> formats_;
  inline static const Format kDefaultFormat{0, 0, 180, "System"};
  Format insertFormat_ = kDefaultFormat;
  bool insertFormatSet_ = false;
  CharRange sel_;
  std::vector<Snapshot> undo_, redo_;
  bool undoSuspended_ = false;
  long undoLimit_ = 100;   // the real control's own
  bool modified_ = false;
  Clipboard* clipboard_;
};
