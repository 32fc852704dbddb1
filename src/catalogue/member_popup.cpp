#include "catalogue/member_popup.h"

#include <algorithm>

#include "catalogue/member_rules.h"
#include "editor/editor_ops.h"

namespace {

constexpr int kPopupWidth = 100;
constexpr int kPopupHeight = 120;

void FilterMatches(App& app) {
  AppState& s = app.state;
  FilterMembers(s.catalogue.memberNames, s.catalogue.memberOwners, s.TypedPrefix, s.ObjectWord,
                s.MatchList);
  s.MatchCount = static_cast<int>(s.MatchList.size());
}

void FillPopupList(App& app) { app.platform.ui->ListSetItems(kPopupList, app.state.MatchList); }

// The height of the caret's line in pixels, from the lines around it; a
// text of one line falls back to the font's usual line height.
int LineHeightAt(App& app, long lineIndex, int lineTop) {
  EditControl& edit = *app.edit;
  long next = edit.LineIndex(lineIndex + 1);
  if (next >= 0) return static_cast<int>(edit.PosFromCharY(next)) - lineTop;
  if (lineIndex > 0) return lineTop - static_cast<int>(edit.PosFromCharY(edit.LineIndex(lineIndex - 1)));
  return app.state.EditorFontSize * 96 * 6 / (72 * 5);  // 1.2 lines of the size in pixels
}

// Just below the caret's line, at the dot, as the control really shows it,
// whatever the font; kept relative to the main window, which it follows.
void PlacePopupAtCaret(App& app, int line, int column) {
  EditControl& edit = *app.edit;
  Ui& ui = *app.platform.ui;
  const long lineIndex = line - 1;
  const long offset = edit.LineIndex(lineIndex) + column - 1;
  PopupPlacementInput in;
  in.caretX = static_cast<int>(edit.PosFromCharX(offset));
  in.lineTop = static_cast<int>(edit.PosFromCharY(offset));
  in.lineHeight = LineHeightAt(app, lineIndex, in.lineTop);
  ui.ControlToScreen(kEditingArea, in.caretX, in.lineTop);
  in.mainWindow = ui.WindowRect(kMainWindow);
  in.workArea = ui.WorkAreaAt(in.caretX, in.lineTop);
  in.popupW = kPopupWidth;
  in.popupH = kPopupHeight;
  const PopupOffset at = PlacePopup(in);
  app.state.PopupOffsetX = at.x;
  app.state.PopupOffsetY = at.y;
  ui.MoveWindowTo(kPopupWindow, in.mainWindow.x + at.x, in.mainWindow.y + at.y);
}

}  // namespace

void CreateMemberPopup(App& app) {
  Ui& ui = *app.platform.ui;
  const Rect main = ui.WindowRect(kMainWindow);
  WindowSpec form;
  form.kind = WindowKind::Popup;
  form.x = main.x;
  form.y = main.y;
  form.clientW = kPopupWidth;
  form.clientH = kPopupHeight;
  if (!ui.MakeWindow(kPopupWindow, form)) return;
  ui.CreateControl(kPopupList, kPopupWindow, ControlKind::ListBox, {0, 0, kPopupWidth, kPopupHeight}, "");
}

void HidePopup(App& app) {
  // Hidden with the focus in its list (Ctrl held), the keys that follow
  // would reach no control at all.
  const bool listFocused = app.platform.ui->FocusedControl() == kPopupList;
  app.platform.ui->ShowWindow(kPopupWindow, false);
  if (listFocused) ActivateEditor(*app.edit);
  app.state.PopupShown = 0;
}

void DetectDot(App& app, const CaretPlace& caret, char before) {
  // Most caret moves stop at the character before the caret, which is a
  // walk over the text to read.
  if (caret.column < 2) return;
  if (before ? before != '.' : app.edit->GetTextRange(caret.end - 1, caret.end) != ".") return;
  AppState& s = app.state;
  const int column = caret.column, line = caret.line;
  const std::string text = GetLineText(*app.edit, line - 1);
  if (!CaretFollowsDot(text, column)) return;
  s.ObjectWord = ObjectWordBefore(text, column);
  s.TypedPrefix.clear();
  s.PopupShown = 1;
  s.DotColumn = column;
  FilterMatches(app);
  // An empty list would only be a white box in the way.
  if (s.MatchCount == 0) {
    s.PopupShown = 0;
    return;
  }
  PlacePopupAtCaret(app, line, column);
  app.platform.ui->ShowWindow(kPopupWindow, true);
  FillPopupList(app);
  ActivateEditor(*app.edit);
}

void TrackPopup(App& app, const CaretPlace& caret) {
  AppState& s = app.state;
  // The members belong to the dot on the line the popup opened on; an
  // accepted entry would replace text on whatever line the caret is on.
  if (caret.line != s.lastCaretLine || caret.column < s.DotColumn) {
    HidePopup(app);
    return;
  }
  // The typed prefix ends at the caret line's end: a selection across lines
  // gives a column past it.
  std::string typed = app.edit->GetTextRange(caret.lineStart + s.DotColumn - 1, caret.end);
  typed.resize(std::min(typed.size(), typed.find('\r')));
  const std::vector<std::string> before = s.MatchList;
  s.TypedPrefix = typed;
  FilterMatches(app);
  if (s.MatchCount == 0) {
    HidePopup(app);
    return;
  }
  // Moving the caret along the same prefix changes nothing in the list.
  if (s.MatchList != before || app.platform.ui->ListCount(kPopupList) != s.MatchCount) FillPopupList(app);
}

void RefreshCaretStatus(App& app, const CaretPlace& caret) {
  Ui& ui = *app.platform.ui;
  std::string text = CaretStatusText(caret.line, caret.column, app.state.selectionInProgress);
  // The bar repaints on every text it is given, and asking it for its text
  // is a message too: compare with what was written last.
  if (app.state.caretStatusShown == text) return;
  ui.SetStatusText(kStatusCaretField, text);
  app.state.caretStatusShown = std::move(text);
}


bool PopupHasSelection(App& app) { return app.platform.ui->ListSelection(kPopupList) >= 0; }

void AcceptPopupEntry(App& app) {
  Ui& ui = *app.platform.ui;
  const int chosen = ui.ListSelection(kPopupList);
  if (chosen < 0) return;
  EditControl& edit = *app.edit;
  const int line = CaretLine(edit);
  SelectRange(edit, line - 1, app.state.DotColumn, line - 1, CaretColumn(edit));
  InsertText(edit, app.state.Changed, ui.ListItem(kPopupList, chosen));
  HidePopup(app);
  ActivateEditor(edit);
}
