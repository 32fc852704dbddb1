#include "editor/find_replace.h"

#include <algorithm>

#include "editor/editor_ops.h"
#include "editor/highlight_passes.h"
#include "editor/large_edits.h"
#include "editor/line_breaks.h"
#include "editor/rich_text.h"
#include "editor/search.h"

namespace {

struct ToolControl {
  int number;
  ControlKind kind;
  Rect at;
  const char* text;
  unsigned keys;
};

// Creation order is the order Tab walks: the fields and the check box on
// the left, then the buttons on the right, top to bottom.
constexpr unsigned kStop = kTabStop | kGroupStart;
const std::vector<ToolControl> kFindControls = {
    {56, ControlKind::Static, {10, 15, 70, 20}, "Find what:", kGroupStart},
    {kFindText, ControlKind::TextField, {80, 10, 290, 20}, "", kStop},
    {kFindMatchCase, ControlKind::CheckBox, {20, 50, 90, 20}, "Match case", kStop},
    {kFindNextButton, ControlKind::Button, {290, 40, 80, 20}, "Find next", kStop | kDefaultButton},
    {kFindCancelButton, ControlKind::Button, {290, 65, 80, 20}, "Cancel", kStop},
};

const std::vector<ToolControl> kReplaceControls = {
    // The labels have room for "Replace with:" in a wider dialog font, and
    // a gap before the fields.
    {60, ControlKind::Static, {8, 15, 80, 20}, "Find what:", kGroupStart},
    {kReplaceFindText, ControlKind::TextField, {92, 10, 210, 20}, "", kStop},
    {61, ControlKind::Static, {8, 45, 80, 20}, "Replace with:", kGroupStart},
    {kReplaceWithText, ControlKind::TextField, {92, 40, 210, 20}, "", kStop},
    {kReplaceMatchCase, ControlKind::CheckBox, {90, 70, 100, 20}, "Match case", kStop},
    {kReplaceFindNextButton, ControlKind::Button, {310, 10, 70, 20}, "Find next", kStop | kDefaultButton},
    {kReplaceButton, ControlKind::Button, {310, 35, 70, 20}, "Replace", kStop},
    {kReplaceAllButton, ControlKind::Button, {310, 60, 70, 20}, "Replace all", kStop},
};

// Reopening a window builds it anew, over the window active at that moment.
void OpenToolWindow(App& app, int window, const char* title, int w, int h,
                    const std::vector<ToolControl>& controls) {
  Ui& ui = *app.platform.ui;
  const int active = ui.ActiveWindow();
  const Rect over = active >= 0 ? ui.WindowRect(active) : ui.WorkArea();
  if (ui.WindowExists(window)) ui.CloseWindow(window);
  WindowSpec form;
  form.kind = WindowKind::Tool;
  form.title = title;
  form.clientW = w;
  form.clientH = h;
  form.centred = true;
  form.centreOver = over;
  if (!ui.MakeWindow(window, form)) return;
  for (const ToolControl& c : controls) ui.CreateControl(c.number, window, c.kind, c.at, c.text, c.keys);
}

// The match both windows now pass over. The realtime highlighter must not
// take the search's jump for the user leaving a line.
void RememberMatch(AppState& s, int line, int column) {
  s.lastCaretLine = line + 1;
  s.lastCaretColumn = column + 1;
  s.lastFoundLine = line;
  s.lastFoundColumn = column;
}

std::vector<std::string> EditorLines(App& app) { return SplitTextLines(GetEditorText(*app.edit)); }

// The looks of the lines from `first` to `last` as the control shows them,
// paragraph marks included between lines; known only when the control's
// rich text holds exactly `expected` there. Only those lines are read: the
// looks of a whole long script would cost 48 bytes a character.
void LooksOfLines(App& app, int first, int last, const std::string& expected, std::vector<CharLook>& looks,
                  bool& known) {
  SelectRange(*app.edit, first, 1, last, -1);
  std::string text;
  known = ReadRichText(app.edit->GetSelectionRichText(), text, looks, RichTextTarget::Selection) &&
          text == expected;
}

std::string JoinLines(const std::vector<std::string>& lines, int first, int last) {
  std::string text;
  for (int i = first; i <= last; ++i) {
    if (i > first) text += '\r';
    text += lines[i];
  }
  return text;
}

// The looks of the touched lines after Replace all: what stayed keeps its
// look, a replacement takes the look of the text it replaced (or of the
// character before it, when it replaced nothing).
std::vector<CharLook> LooksAfterReplacing(const std::vector<std::string>& before, int first, int last,
                                          const std::vector<CharLook>& oldLooks,
                                          const std::vector<Match>& at, size_t length,
                                          const std::string& replacement) {
  const std::string inserted = ToParagraphMarks(replacement);
  std::vector<CharLook> looks;
  size_t offset = 0;  // into oldLooks, at the start of the line
  size_t next = 0;    // the next replacement in `at`
  for (int line = first; line <= last; ++line) {
    const std::string& text = before[line];
    if (line > first) looks.push_back(oldLooks[offset - 1]);  // the paragraph mark
    size_t column = 0;
    if (next < at.size() && at[next].line == line) {
      column = static_cast<size_t>(at[next].column - 1);
      looks.insert(looks.end(), oldLooks.begin() + offset, oldLooks.begin() + offset + column);
      const size_t from = offset + column < offset + text.size() && length > 0 ? offset + column
                          : offset + column > 0                               ? offset + column - 1
                                                                              : 0;
      const CharLook look = from < oldLooks.size() ? oldLooks[from] : CharLook();
      looks.insert(looks.end(), inserted.size(), look);
      column += length;
      ++next;
    }
    looks.insert(looks.end(), oldLooks.begin() + offset + column, oldLooks.begin() + offset + text.size());
    offset += text.size() + 1;
  }
  return looks;
}

// The selection is the match Find next selected last, and still reads as it.
bool SelectionIsTheLastMatch(App& app) {
  const AppState& s = app.state;
  EditControl& edit = *app.edit;
  const CharRange sel = edit.ExGetSel();
  const long length = static_cast<long>(s.searchText.size());
  if (s.searchText.empty() || sel.cpMax - sel.cpMin != length) return false;
  const long line = edit.ExLineFromChar(sel.cpMin);
  if (line != s.lastFoundLine || sel.cpMin - edit.LineIndex(line) + 1 != s.lastFoundColumn) return false;
  return FindInLine(edit.GetTextRange(sel.cpMin, sel.cpMax), s.searchText, s.replaceMatchCase == 1) == 1;
}

}  // namespace

void OpenFindWindow(App& app) {
  OpenToolWindow(app, kFindWindow, "Find", 385, 91, kFindControls);
  Ui& ui = *app.platform.ui;
  ui.SetControlText(kFindText, app.state.searchText);
  ui.SetChecked(kFindMatchCase, app.state.findMatchCase == 1);
  ui.Focus(kFindText);
  // Typing a new search replaces the old one, as in every find window.
  ui.SelectControlText(kFindText);
}

void OpenReplaceWindow(App& app) {
  OpenToolWindow(app, kReplaceWindow, "Replace", 387, 102, kReplaceControls);
  Ui& ui = *app.platform.ui;
  ui.SetControlText(kReplaceFindText, app.state.searchText);
  ui.SetChecked(kReplaceMatchCase, app.state.replaceMatchCase == 1);
  ui.Focus(kReplaceFindText);
  ui.SelectControlText(kReplaceFindText);
}

void FindNext(App& app, bool replaceWindow) {
  AppState& s = app.state;
  const bool matchCase = (replaceWindow ? s.replaceMatchCase : s.findMatchCase) == 1;
  const Match m = FindNextMatch(EditorLines(app), CaretLine(*app.edit) - 1, s.searchText, matchCase,
                                {s.lastFoundLine, s.lastFoundColumn});
  if (m.line < 0) return;
  SelectRange(*app.edit, m.line, m.column, m.line, m.column + static_cast<long>(s.searchText.size()));
  RememberMatch(s, m.line, m.column);
}

void ReplaceAll(App& app, const std::string& replacement) {
  AppState& s = app.state;
  EditControl& edit = *app.edit;
  const int first = CaretLine(edit) - 1;
  const std::vector<std::string> before = EditorLines(app);
  std::vector<std::string> after = before;
  const ReplaceAllResult r = ReplaceAllMatches(after, first, s.searchText, replacement,
                                               s.replaceMatchCase == 1, {s.lastFoundLine, s.lastFoundColumn});
  if (r.replaced == 0) return;
  const int lastBefore = r.lastTouchedLine - static_cast<int>(after.size() - before.size());
  if (lastBefore - first + 1 > kWholeTextReplaceLines) {
    // The control takes one long rich-text transfer in a time that grows
    // with the square of its length (a 5 MB script froze for minutes); the
    // whole new text goes in by pieces as a script is opened, and the old
    // one is kept so Undo brings it back the same way.
    LoadText(app, after, s.Enabled == 1);
    OwnUndoStep step = StepBetween(ToCrLf(JoinLines(before, 0, static_cast<int>(before.size()) - 1)),
                                   ToCrLf(JoinLines(after, 0, static_cast<int>(after.size()) - 1)));
    step.asOpened = false;
    TakeOwnStep(s, std::move(step));
    MarkChanged(s);
    RememberMatch(s, r.last.line, r.last.column);
    SetCaret(edit, r.caretColumn, r.caretLine + 1);
    return;
  }

  // Every line from the caret's down to the last one replaced goes back in
  // one undoable transfer, so one Undo takes the whole Replace all back; the
  // characters that stayed keep their looks.
  std::vector<CharLook> oldLooks;
  bool known = false;
  LooksOfLines(app, first, lastBefore, JoinLines(before, first, lastBefore), oldLooks, known);
  const std::string newText = JoinLines(after, first, r.lastTouchedLine);
  std::vector<CharLook> newLooks =
      known ? LooksAfterReplacing(before, first, lastBefore, oldLooks, r.at, s.searchText.size(), replacement)
            : std::vector<CharLook>();
  if (newLooks.size() != newText.size()) {
    const CharLook plain{0, 0, s.EditorFontSize * 20, ShownFace(s).substr(0, kMaxFaceLength)};
    newLooks.assign(newText.size(), plain);
  }
  SelectRange(edit, first, 1, lastBefore, -1);
  edit.SetRichText(WriteRichText(newText, newLooks, RichTextTarget::Selection), true);
  MarkChanged(s);
  RememberMatch(s, r.last.line, r.last.column);
  SetCaret(edit, r.caretColumn, r.caretLine + 1);
}

void OnFindControl(App& app, int control) {
  AppState& s = app.state;
  Ui& ui = *app.platform.ui;
  if (control == kFindNextButton) {
    s.searchText = ui.ControlText(kFindText);
    s.findMatchCase = ui.IsChecked(kFindMatchCase) ? 1 : 0;
    FindNext(app, false);
  } else if (control == kFindCancelButton) {
    ui.CloseWindow(kFindWindow);
    ActivateEditor(*app.edit);
  } else if (control == kFindMatchCase) {
    s.findMatchCase = ui.IsChecked(kFindMatchCase) ? 1 : 0;
  }
}

void OnReplaceControl(App& app, int control) {
  AppState& s = app.state;
  Ui& ui = *app.platform.ui;
  if (control == kReplaceFindNextButton) {
    s.searchText = ui.ControlText(kReplaceFindText);
    s.replaceMatchCase = ui.IsChecked(kReplaceMatchCase) ? 1 : 0;
    FindNext(app, true);
  } else if (control == kReplaceButton) {
    // Only the match the window found is replaced: a selection made since,
    // or a bare caret, would take the replacement where nobody asked for it.
    s.searchText = ui.ControlText(kReplaceFindText);
    s.replaceMatchCase = ui.IsChecked(kReplaceMatchCase) ? 1 : 0;
    if (!SelectionIsTheLastMatch(app)) return FindNext(app, true);
    MarkChanged(s);
    ReplaceSelection(*app.edit, ui.ControlText(kReplaceWithText));
  } else if (control == kReplaceAllButton) {
    s.searchText = ui.ControlText(kReplaceFindText);
    ReplaceAll(app, ui.ControlText(kReplaceWithText));
  } else if (control == kReplaceMatchCase) {
    s.replaceMatchCase = ui.IsChecked(kReplaceMatchCase) ? 1 : 0;
  }
}
