// Rich text in and out of the memory control, through the editor's own
// reader and writer of the control's rich-text form.
#include <algorithm>

#include "editor/rich_text.h"
#include "platform/memory/memory_edit_control.h"

void MemoryEditControl::SetRichText(const std::string& rtf, bool selectionOnly) {
  ++richTextCalls;
  std::string chars;
  std::vector<CharLook> looks;
  if (!ReadRichText(rtf, chars, looks,
                    selectionOnly ? RichTextTarget::Selection : RichTextTarget::WholeText))
    return;
  if (!selectionOnly) sel_ = {0, Length()};
  long from = sel_.cpMin, to = std::min(sel_.cpMax, Length());
  RememberForUndo();
  modified_ = true;
  text_.erase(from, to - from);
  formats_.erase(formats_.begin() + from, formats_.begin() + to);
  text_.insert(from, chars);
  formats_.insert(formats_.begin() + from, looks.begin(), looks.end());
  long caret = selectionOnly ? from + static_cast<long>(chars.size()) : 0;
  if (undoSuspended_ && selectionOnly) CarryFormatsIntoHistory(from, caret);
  sel_ = {caret, caret};
  if (!selectionOnly) {
    undo_.clear();
    redo_.clear();
  }
}

std::string MemoryEditControl::GetRichText() { return WriteRichText(text_, formats_); }

std::string MemoryEditControl::GetSelectionRichText() {
  long from = sel_.cpMin, to = std::min(sel_.cpMax, Length());
  if (to <= from) return WriteRichText("", {}, RichTextTarget::Selection);
  return WriteRichText(text_.substr(from, to - from),
                       std::vector<CharLook>(formats_.begin() + from, formats_.begin() + to),
                       RichTextTarget::Selection);
}
