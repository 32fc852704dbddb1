#include "platform/memory/memory_edit_control.h"

#include <algorithm>
#include <cmath>

#include "editor/line_breaks.h"

// The control keeps a zero-terminated text, so nothing after a NUL arrives.
static std::string UpToNul(const std::string& text) {
  size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

void MemoryEditControl::ExSetSel(long from, long to) {
  const long len = Length();
  if (from < 0) from = -1;
  if (to < 0) to = -1;
  if (from == 0 && to == -1) {
    sel_ = {0, len + 1};
    return;
  }
  if (from == to && (to < 0 || to > len)) {
    sel_ = {len, len};
    return;
  }
  if (from < 0) {
    // Deselects and leaves the caret at the end of the old selection.
    long end = std::min(sel_.cpMax, len);
    sel_ = {end, end};
    return;
  }
  if (to < 0) to = len + 1;
  if (from > to) std::swap(from, to);
  if (from > len) {
    sel_ = {len, len};
    return;
  }
  if (to > len) to = len + 1;
  sel_ = {from, to};
}

long MemoryEditControl::LineStartOf(long offset) const {
  offset = std::clamp(offset, 0L, Length());
  size_t pos = offset == 0 ? std::string::npos : text_.rfind('\r', offset - 1);
  return pos == std::string::npos ? 0 : static_cast<long>(pos) + 1;
}

long MemoryEditControl::ExLineFromChar(long offset) {
  if (offset < 0) offset = sel_.cpMin;
  if (offset > Length()) return GetLineCount();
  return static_cast<long>(std::count(text_.begin(), text_.begin() + offset, '\r'));
}

long MemoryEditControl::LineIndex(long line) {
  if (line < 0) line = ExLineFromChar(sel_.cpMin);
  long start = 0;
  for (long i = 0; i < line; ++i) {
    size_t mark = text_.find('\r', start);
    if (mark == std::string::npos) return -1;
    start = static_cast<long>(mark) + 1;
  }
  return start;
}

long MemoryEditControl::LineLength(long offset) {
  if (offset < 0 || offset > Length()) return 0;
  long start = LineStartOf(offset);
  size_t mark = text_.find('\r', start);
  long end = mark == std::string::npos ? Length() : static_cast<long>(mark);
  return end - start;
}

long MemoryEditControl::GetLineCount() {
  return static_cast<long>(std::count(text_.begin(), text_.end(), '\r')) + 1;
}

std::string MemoryEditControl::GetLine(long line, long capacity) {
  long start = line < 0 ? -1 : LineIndex(line);
  if (start < 0 || capacity <= 0) return "";
  std::string copied = text_.substr(start, LineLength(start)) + "\r";
  if (static_cast<long>(copied.size()) > capacity) copied.resize(capacity);
  return copied;
}

std::string MemoryEditControl::GetTextRange(long from, long to) {
  from = std::clamp(from, 0L, Length());
  to = std::clamp(to, from, Length());
  return text_.substr(from, to - from);
}

long MemoryEditControl::PosFromCharX(long offset) {
  // A fixed 8-pixel cell with a 1-pixel left margin.
  long start = LineStartOf(offset);
  return 1 + (std::clamp(offset, 0L, Length()) - start) * 8;
}

long MemoryEditControl::PosFromCharY(long offset) {
  // 16-pixel lines with a 1-pixel top margin; nothing is scrolled.
  return 1 + ExLineFromChar(std::clamp(offset, 0L, Length())) * 16;
}

void MemoryEditControl::RememberForUndo() {
  if (undoSuspended_) return;
  undo_.push_back({text_, formats_, sel_});
  if (static_cast<long>(undo_.size()) > undoLimit_) undo_.erase(undo_.begin());
  redo_.clear();
}

// The real control's history holds positions, not copies: a format changed
// out of the history stays when an edit elsewhere is undone or redone. Each
// copy here takes the new formats where its text matches the current one
// (before and after the one stretch they differ in).
void MemoryEditControl::CarryFormatsIntoHistory(long from, long to) {
  for (std::vector<Snapshot>* history : {&undo_, &redo_}) {
    for (Snapshot& copy : *history) {
      const long ours = Length(), theirs = static_cast<long>(copy.text.size());
      long prefix = 0, suffix = 0;
      while (prefix < std::min(ours, theirs) && text_[prefix] == copy.text[prefix]) ++prefix;
      while (suffix < std::min(ours, theirs) - prefix &&
             text_[ours - 1 - suffix] == copy.text[theirs - 1 - suffix])
        ++suffix;
      for (long i = from; i < to; ++i) {
        if (i < prefix) copy.formats[i] = formats_[i];
        else if (i >= ours - suffix) copy.formats[i - ours + theirs] = formats_[i];
      }
    }
  }
}

void MemoryEditControl::SetSelectionFormat(const CharFormat& f) {
  ++formatCalls;
  auto apply = [&](Format& target) {
    if (f.mask & kCfmColor) target.color = f.color;
    if (f.mask & kCfmSize) target.heightTwips = f.heightTwips;
    if (f.mask & kCfmFace) target.face = f.face.substr(0, kMaxFaceLength);
    uint32_t effectMask = f.mask & kCfmEffects;
    target.effects = (target.effects & ~effectMask) | (f.effects & effectMask);
  };
  long from = sel_.cpMin, to = std::min(sel_.cpMax, Length());
  if (from >= to) {
    insertFormat_ = FormatForInsertAt(from);
    apply(insertFormat_);
    insertFormatSet_ = true;
    return;
  }
  RememberForUndo();
  modified_ = true;
  for (long i = from; i < to; ++i) apply(formats_[i]);
  if (undoSuspended_) CarryFormatsIntoHistory(from, to);
}

CharFormat MemoryEditControl::GetSelectionFormat() {
  long from = sel_.cpMin, to = std::min(sel_.cpMax, Length());
  Format first = from < to ? formats_[from] : FormatForInsertAt(from);
  CharFormat out;
  out.mask = kCfmColor | kCfmSize | kCfmFace | kCfmEffects;
  out.color = first.color;
  out.effects = first.effects;
  out.heightTwips = first.heightTwips;
  out.face = first.face;
  for (long i = from + 1; i < to; ++i) {
    const Format& f = formats_[i];
    if (f.color != first.color) out.mask &= ~kCfmColor;
    if (f.heightTwips != first.heightTwips) out.mask &= ~kCfmSize;
    if (f.face != first.face) out.mask &= ~kCfmFace;
    for (uint32_t bit : {kCfmBold, kCfmItalic, kCfmUnderline, kCfmStrikeout})
      if ((f.effects ^ first.effects) & bit) out.mask &= ~bit;
  }
  return out;
}

MemoryEditControl::Format MemoryEditControl::FormatForInsertAt(long offset) const {
  if (insertFormatSet_ && sel_.cpMin == sel_.cpMax) return insertFormat_;
  if (offset > 0 && offset <= Length()) return formats_[offset - 1];
  if (offset < Length()) return formats_[offset];
  return insertFormat_;
}

void MemoryEditControl::Insert(long at, const std::string& paragraphText, const Format& format) {
  text_.insert(at, paragraphText);
  formats_.insert(formats_.begin() + at, paragraphText.size(), format);
}

void MemoryEditControl::ReplaceSel(const std::string& text, bool undoable) {
  std::string marks = ToParagraphMarks(UpToNul(text));
  long from = sel_.cpMin, to = std::min(sel_.cpMax, Length());
  Format format = FormatForInsertAt(from);
  if (undoable) RememberForUndo();
  modified_ = true;   // even when nothing was replaced, as the real control does
  text_.erase(from, to - from);
  formats_.erase(formats_.begin() + from, formats_.begin() + to);
  Insert(from, marks, format);
  long caret = from + static_cast<long>(marks.size());
  sel_ = {caret, caret};
  insertFormatSet_ = false;
  // A change that cannot be undone makes the older steps meaningless.
  if (!undoable) {
    undo_.clear();
    redo_.clear();
  }
}

std::string MemoryEditControl::SelectedText() const {
  long from = sel_.cpMin, to = std::min(sel_.cpMax, Length());
  return from < to ? ToCrLf(text_.substr(from, to - from)) : "";
}

void MemoryEditControl::Cut() {
  if (sel_.cpMin == sel_.cpMax) return;
  Copy();
  ReplaceSel("", true);
}

void MemoryEditControl::Copy() {
  if (sel_.cpMin == sel_.cpMax || !clipboard_) return;
  clipboard_->SetText(SelectedText());
}

void MemoryEditControl::Undo() {
  if (undo_.empty()) return;
  redo_.push_back({text_, formats_, sel_});
  Snapshot s = std::move(undo_.back());
  undo_.pop_back();
  modified_ = true;
  text_ = std::move(s.text);
  formats_ = std::move(s.formats);
  sel_ = s.sel;
}

void MemoryEditControl::Redo() {
  if (redo_.empty()) return;
  undo_.push_back({text_, formats_, sel_});
  Snapshot s = std::move(redo_.back());
  redo_.pop_back();
  modified_ = true;
  text_ = std::move(s.text);
  formats_ = std::move(s.formats);
  sel_ = s.sel;
}

void MemoryEditControl::SetText(const std::string& text) {
  // A whole new text takes the control's default look, whatever the old
  // one looked like.
  text_.clear();
  formats_.clear();
  Insert(0, ToParagraphMarks(UpToNul(text)), kDefaultFormat);
  insertFormat_ = kDefaultFormat;
  insertFormatSet_ = false;
  sel_ = {0, 0};
  undo_.clear();
  redo_.clear();
  modified_ = false;
}

std::string MemoryEditControl::GetText() { return ToCrLf(text_); }

long MemoryEditControl::GetTextLength() {
  return Length() + static_cast<long>(std::count(text_.begin(), text_.end(), '\r'));
}

void MemoryEditControl::TypeChar(char c) {
  if (c == 8) {
    if (sel_.cpMin == sel_.cpMax) {
      if (sel_.cpMin == 0) return;
      sel_.cpMin -= 1;
    }
    ReplaceSel("", true);
    return;
  }
  // Ctrl+Enter, Ctrl+C and the other control characters insert nothing.
  if (static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\r') return;
  long selected = std::min(sel_.cpMax, Length()) - sel_.cpMin;
  if (Length() - selected + 1 > textLimit) return;
  ReplaceSel(std::string(1, c), true);
}

void MemoryEditControl::PressDelete() {
  if (sel_.cpMin == sel_.cpMax) {
    if (sel_.cpMin >= Length()) return;
    sel_.cpMax += 1;
  }
  ReplaceSel("", true);
}

void MemoryEditControl::MoveCaretTo(long offset) {
  offset = std::clamp(offset, 0L, Length());
  sel_ = {offset, offset};
  insertFormatSet_ = false;
}

// As the rich-edit control of Wine does it: a word is a run of anything but
// blanks, a move right ends at the next word's start, a line break counts
// as a word of its own; Backspace and Delete take one character, not a word.
long MemoryEditControl::WordMove(long from, bool left) const {
  auto blank = [this](long at) { return text_[at] == ' ' || text_[at] == '\t'; };
  const long start = LineStartOf(from);
  long end = from;
  while (end < Length() && text_[end] != '\r') ++end;
  if (left) {
    if (from == start) return std::max(0L, from - 1);
    while (from > start && blank(from - 1)) --from;
    while (from > start && !blank(from - 1)) --from;
    return from;
  }
  if (from == end) return std::min(Length(), from + 1);
  while (from < end && !blank(from)) ++from;
  while (from < end && blank(from)) ++from;
  return from;
}

void MemoryEditControl::CtrlKey(int virtualKey) {
  constexpr int kBack = 8, kEnd = 35, kHome = 36, kLeft = 37, kRight = 39, kDelete = 46;
  if (virtualKey == kBack) TypeChar(8);
  else if (virtualKey == kDelete) PressDelete();
  else if (virtualKey == kHome) MoveCaretTo(0);
  else if (virtualKey == kEnd) MoveCaretTo(Length());
  else if (virtualKey == kLeft) MoveCaretTo(WordMove(sel_.cpMin, true));
  else if (virtualKey == kRight) MoveCaretTo(WordMove(sel_.cpMax, false));
}
