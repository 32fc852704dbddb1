#pragma once
// The low-level editing control: one call per rich-edit message the editor
// uses. Offsets count a paragraph mark as one character, as the rich-edit
// control does; only SetText/GetText speak CR LF.
#include <cstdint>
#include <string>

struct CharRange {
  long cpMin = 0;
  long cpMax = 0;
};

// Mask and effect bits, with the rich-edit values so the Win32 side can pass
// them through unchanged.
constexpr uint32_t kCfmBold = 0x00000001;
constexpr uint32_t kCfmItalic = 0x00000002;
constexpr uint32_t kCfmUnderline = 0x00000004;
constexpr uint32_t kCfmStrikeout = 0x00000008;
constexpr uint32_t kCfmEffects = kCfmBold | kCfmItalic | kCfmUnderline | kCfmStrikeout;
constexpr uint32_t kCfmFace = 0x20000000;
constexpr uint32_t kCfmColor = 0x40000000;
constexpr uint32_t kCfmSize = 0x80000000;

constexpr uint32_t kEffectBold = 1;
constexpr uint32_t kEffectItalic = 2;
constexpr uint32_t kEffectUnderline = 4;
constexpr uint32_t kEffectStrikeout = 8;

// The face field of the control's format record holds 31 characters plus NUL.
constexpr size_t kMaxFaceLength = 31;

struct CharFormat {
  uint32_t mask = 0;      // which of the fields below are meant
  uint32_t effects = 0;   // kEffect* bits
  int32_t heightTwips = 0;
  uint32_t color = 0;     // COLORREF: red | green << 8 | blue << 16
  std::string face;
};

class EditControl {
 public:
  virtual ~EditControl() = default;

  // Selection and lines.
  virtual void ExSetSel(long cpMin, long cpMax) = 0;       // EM_EXSETSEL
  virtual CharRange ExGetSel() = 0;                        // EM_EXGETSEL
  virtual long ExLineFromChar(long offset) = 0;            // EM_EXLINEFROMCHAR
  virtual long LineIndex(long line) = 0;                   // EM_LINEINDEX (-1 past the end)
  virtual long LineLength(long offset) = 0;                // EM_LINELENGTH
  virtual long GetLineCount() = 0;                         // EM_GETLINECOUNT
  // EM_GETLINE: what the control copies, paragraph mark included, at most
  // `capacity` characters.
  virtual std::string GetLine(long line, long capacity) = 0;
  // EM_GETTEXTRANGE: the characters from `from` up to `to`, a paragraph
  // mark as '\r'; clamped to the text.
  virtual std::string GetTextRange(long from, long to) = 0;
  // EM_GETSELTEXT: the selected characters, a paragraph mark as '\r'; unlike
  // a range, read without naming a position.
  virtual std::string GetSelText() = 0;
  virtual long GetFirstVisibleLine() = 0;                  // EM_GETFIRSTVISIBLELINE
  virtual long PosFromCharX(long offset) = 0;              // EM_POSFROMCHAR, x only
  virtual long PosFromCharY(long offset) = 0;              // EM_POSFROMCHAR, y only (top of its line)

  // Formatting of the selection.
  virtual void SetSelectionFormat(const CharFormat& format) = 0;  // EM_SETCHARFORMAT
  // EM_GETCHARFORMAT(SCF_SELECTION): the mask tells which attributes are the
  // same over the whole selection.
  virtual CharFormat GetSelectionFormat() = 0;

  // Text changes.
  virtual void ReplaceSel(const std::string& text, bool undoable) = 0;  // EM_REPLACESEL
  virtual void Cut() = 0;                                  // WM_CUT
  virtual void Copy() = 0;                                 // WM_COPY
  virtual void Undo() = 0;                                 // EM_UNDO
  virtual void Redo() = 0;                                 // EM_REDO
  virtual bool CanUndo() = 0;                              // EM_CANUNDO
  // EM_SETUNDOLIMIT: how many steps the history keeps before it forgets the
  // oldest; returns the number the control took.
  virtual long SetUndoLimit(long steps) = 0;
  // EM_GETMODIFY / EM_SETMODIFY: set by every change of the text, whoever
  // made it (typing, a paste, a drag inside the text or from another program).
  virtual bool GetModify() = 0;
  virtual void SetModify(bool modified) = 0;

  // Whole text.
  virtual void SetText(const std::string& text) = 0;       // SetWindowTextA
  virtual std::string GetText() = 0;                       // GetWindowTextA (CR LF)
  virtual long GetTextLength() = 0;                        // GetWindowTextLengthA (CR LF)
  // EM_GETTEXTLENGTHEX (GTL_NUMCHARS): the offset past the last character,
  // a paragraph mark counting one; unlike a position, asked without a walk.
  virtual long GetTextLengthEx() = 0;
  // EM_SETTEXTEX with rich text: replaces the selection (or the whole text)
  // with formatted text in one transfer.
  virtual void SetRichText(const std::string& rtf, bool selectionOnly) = 0;
  // EM_STREAMOUT with rich text: the whole text with its formats.
  virtual std::string GetRichText() = 0;
  // EM_STREAMOUT with SFF_SELECTION: the selection with its formats.
  virtual std::string GetSelectionRichText() = 0;

  // Behaviour switches.
  virtual void SetTextLimit(long limit) = 0;               // EM_EXLIMITTEXT
  virtual void HideSelection(bool hide) = 0;               // EM_HIDESELECTION
  virtual void SetRedraw(bool redraw) = 0;                 // WM_SETREDRAW
  virtual void SuspendUndo(bool suspend) = 0;              // ITextDocument::Undo(tomSuspend/tomResume)
  virtual void SetVisible(bool visible) = 0;               // ShowWindow
  virtual void Focus() = 0;                                // SetFocus

  // WM_KEYDOWN and WM_KEYUP of a virtual key with Ctrl held, as if the
  // control had the focus: word moves, text start and end, deletions.
  virtual void CtrlKey(int virtualKey) = 0;
};
