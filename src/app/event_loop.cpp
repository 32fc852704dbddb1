// The one loop: every event of every window arrives here, is handed to its
// owner by the tables below, and is followed by the post-event step.
#include <algorithm>
#include <map>

#include "app/app.h"
#include "app/commands.h"
#include "app/edit_commands.h"
#include "app/main_window.h"
#include "app/outside_changes.h"
#include "app/recovery.h"
#include "app/script_files.h"
#include "app/settings_window.h"
#include "catalogue/member_popup.h"
#include "catalogue/tree_event.h"
#include "editor/editor_ops.h"
#include "editor/find_replace.h"
#include "editor/highlight_passes.h"
#include "editor/large_edits.h"

namespace {

constexpr int kMouseLeft = 1;
constexpr int kKeyShift = 16;
constexpr int kKeyControl = 17;
constexpr int kKeyEscape = 27;
constexpr int kKeyBackspace = 8;
constexpr int kKeyDelete = 46;
constexpr int kKeyInsert = 45;
constexpr int kKeyTab = 9;
constexpr int kKeyReturn = 13;
constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;
constexpr int kPasteItem = 12;
constexpr int kUndoItem = 8;
constexpr int kRedoItem = 9;
constexpr int kCutItem = 10;
constexpr int kCtrlEnter = 10;

void HidePopupIfCaretLineMoved(App& app) {
  if (CaretLine(*app.edit) != app.state.lastCaretLine) HidePopup(app);
}

// Holding Ctrl moves the focus into the popup's list, which has no use for
// Ctrl and a letter; the editor's own shortcuts still act on the editing
// area, so a paste right after typing a dot is not silently lost, and so
// do the word and text moves and deletions.
void RunEditorShortcutFromPopup(App& app, int key) {
  static const std::map<int, int> kShortcutItems = {
      {'Z', 8}, {'Y', 9}, {'X', 10}, {'C', 11}, {'V', 12}, {'A', 14}};
  static const int kEditorKeys[] = {8, 46, 35, 36, 37, 39};  // Backspace, Delete, End, Home, Left, Right
  if (app.state.ctrlHeld != 1 || app.platform.ui->FocusedControl() != kPopupList) return;
  for (int editorKey : kEditorKeys)
    if (key == editorKey) app.edit->CtrlKey(key);
  auto it = kShortcutItems.find(key);
  if (it == kShortcutItems.end()) return;
  const Command* c = FindCommand(it->second);
  if (c && c->run) c->run(app);
}

void OnCloseRequest(App& app, const Event& e);

// Escape closes what the user is looking at: the popup, then the Find or
// Replace window it was pressed in; the settings window has no cancel.
void OnEscape(App& app, const Event& e) {
  if (app.state.PopupShown == 1) {
    HidePopup(app);
  } else if (e.window == kFindWindow || e.window == kReplaceWindow) {
    Event close;
    close.code = kEventClose;
    close.window = e.window;
    OnCloseRequest(app, close);
  } else if (!app.platform.ui->WindowExists(kSettingsWindow)) {
    TogglePanel(app);
  }
}

// Keys taken from the editing area before it handles them: its own paste
// brings another program's fonts and colours along.
// Undo, Redo and Cut by key go the menu's way too: a Replace all over a
// long script, or a cut of thousands of lines, is made and taken back by
// the editor, not by the control.
struct TakenKey {
  int key;
  unsigned modifiers;
  int item;   // the menu item it runs
};
constexpr TakenKey kTakenKeys[] = {
    {'V', kModControl, kPasteItem}, {kKeyInsert, kModShift, kPasteItem}, {'Z', kModControl, kUndoItem},
    {'Y', kModControl, kRedoItem}, {'X', kModControl, kCutItem}, {kKeyDelete, kModShift, kCutItem}};

// The keys taken while thousands of lines are selected, and what each puts
// in their place: the control would take the lines out in a time that grows
// with their number times the text's length. Enter and Tab are taken as
// keys: Wine's control makes its line break on the key, before any
// character comes.
struct LargeSelectionKey {
  int key;
  const char* text;
};
constexpr LargeSelectionKey kLargeSelectionKeys[] = {
    {kKeyDelete, ""}, {kKeyBackspace, ""}, {kKeyReturn, "\r"}, {kKeyTab, "\t"}};

void OnTakenKey(App& app, const Event& e) {
  if (e.control != kEditingArea) return;
  if (e.modifiers == kModTyped) return ReplaceSelectionAsEdit(app, std::string(1, static_cast<char>(e.key)));
  for (const LargeSelectionKey& key : kLargeSelectionKeys)
    if (e.modifiers == 0 && e.key == key.key) return ReplaceSelectionAsEdit(app, key.text);
  for (const TakenKey& key : kTakenKeys) {
    if (e.key != key.key || e.modifiers != key.modifiers) continue;
    const Command* command = FindCommand(key.item);
    if (command && command->run) command->run(app);
  }
}

void OnChar(App& app, const Event& e) {
  if (e.key == kCtrlEnter && app.state.PopupShown == 1 && PopupHasSelection(app))
    AcceptPopupEntry(app);
}

void OnKeyDown(App& app, const Event& e) {
  AppState& s = app.state;
  switch (e.key) {
    case kKeyBackspace:
    case kKeyDelete:
      RunEditorShortcutFromPopup(app, e.key);
      break;
    case kKeyShift:
      s.selectionInProgress = 1;
      HidePopupIfCaretLineMoved(app);
      break;
    case kKeyControl:
      s.ctrlHeld = 1;
      if (s.PopupShown == 1) app.platform.ui->Focus(kPopupList);
      break;
    case kKeyEscape:
      OnEscape(app, e);
      break;
    default:
      RunEditorShortcutFromPopup(app, e.key);
      break;
  }
}

void OnKeyUp(App& app, const Event& e) {
  if (e.key == kKeyControl) app.state.ctrlHeld = 0;
  if (e.key == kKeyShift) {
    app.state.selectionInProgress = 0;
    app.state.lastCaretLine = CaretLine(*app.edit);
  } else if (e.key == kKeyControl && app.state.PopupShown == 1) {
    ActivateEditor(*app.edit);
  }
}

void OnButtonDown(App& app, const Event&) {
  app.state.selectionInProgress = 1;
  HidePopupIfCaretLineMoved(app);
}

void OnButtonUp(App& app, const Event&) {
  app.state.selectionInProgress = 0;
  app.state.lastCaretLine = CaretLine(*app.edit);
}

void OnEditorDoubleClick(App& app, const Event& e) {
  if (e.offset >= 0) SelectWordAt(*app.edit, e.offset);
}

void OnDropFiles(App& app, const Event& e);

void OnTimer(App& app, const Event&) { WriteRecoveryCopy(app); }

void OnCommandEvent(App& app, const Event& e) {
  const Command* c = FindCommand(e.item);
  if (c && c->run) c->run(app);
}

void OnCloseRequest(App& app, const Event& e) {
  if (e.window == kMainWindow) {
    RequestQuit(app);
  } else if (e.window == kFindWindow || e.window == kReplaceWindow) {
    app.platform.ui->CloseWindow(e.window);
    ActivateEditor(*app.edit);
  }
}

void OnControlEvent(App& app, const Event& e);

using EventHandler = void (*)(App&, const Event&);

const std::map<int, EventHandler> kEventTable = {
    {kEventChar, OnChar},
    {kEventKeyDown, OnKeyDown},
    {kEventKeyUp, OnKeyUp},
    {kEventLButtonDown, OnButtonDown},
    {kEventLButtonUp, OnButtonUp},
    {kEventEditorDoubleClick, OnEditorDoubleClick},
    {kEventDropFiles, OnDropFiles},
    {kEventControl, OnControlEvent},
    {kEventCommand, OnCommandEvent},
    {kEventTakenKey, OnTakenKey},
    {kEventClose, OnCloseRequest},
    {kEventTimer, OnTimer},
};

void OnPopupListEvent(App& app, const Event& e) {
  if (e.type == kControlDoubleClick) AcceptPopupEntry(app);
}

void OnSplitterMoved(App& app, const Event&) {
  Ui& ui = *app.platform.ui;
  app.state.PanelHidden = 0;
  app.state.TreeWidth = std::max(0, ui.ControlRect(kSplitter).w - kSplitterBar - ui.SplitterPos(kSplitter));
}

void OnSettingsWindowControl(App& app, const Event& e) { OnSettingsControl(app, e.control); }
void OnFindWindowControl(App& app, const Event& e) { OnFindControl(app, e.control); }
void OnReplaceWindowControl(App& app, const Event& e) { OnReplaceControl(app, e.control); }

void OnTreeEvent(App& app, const Event& e) {
  OnCommandTreeEvent(app.state, *app.platform.ui, e.type, e.treeItem,
                     {[&app] { HidePopup(app); }, [&app] { HighlightAll(app); }});
}

// Control events by control number. The command tree, the Settings, Find
// and Replace windows add their rows as they are built.
const std::map<int, EventHandler> kControlTable = {
    {kCommandTree, OnTreeEvent},
    {kPopupList, OnPopupListEvent},
    {kSplitter, OnSplitterMoved},
    {kHighlightCheck, OnSettingsWindowControl},
    {kApplyChangesButton, OnSettingsWindowControl},
    {kSwatchButtons[0], OnSettingsWindowControl},
    {kSwatchButtons[1], OnSettingsWindowControl},
    {kSwatchButtons[2], OnSettingsWindowControl},
    {kSwatchButtons[3], OnSettingsWindowControl},
    {kSwatchButtons[4], OnSettingsWindowControl},
    {kChooseFontButton, OnSettingsWindowControl},
    {kProjectButton, OnSettingsWindowControl},
    {kFindNextButton, OnFindWindowControl},
    {kFindCancelButton, OnFindWindowControl},
    {kFindMatchCase, OnFindWindowControl},
    {kReplaceFindNextButton, OnReplaceWindowControl},
    {kReplaceButton, OnReplaceWindowControl},
    {kReplaceAllButton, OnReplaceWindowControl},
    {kReplaceMatchCase, OnReplaceWindowControl},
};

void OnControlEvent(App& app, const Event& e) {
  auto it = kControlTable.find(e.control);
  if (it != kControlTable.end()) it->second(app, e);
}

void OnDropFiles(App& app, const Event& e) { OnFilesDropped(app, e.droppedFiles); }

}  // namespace

// The document counts as changed when its text changed, whatever changed it:
// typing, a paste by any key, a drag inside the text or a drop from another
// program all leave the control's modified flag set, and keys that change
// nothing (Ctrl+C, Escape, typing in a tool window) leave it alone.
void NoteTextChanges(App& app) {
  if (app.edit && app.edit->GetModify()) {
    MarkChanged(app.state);
    app.edit->SetModify(false);
  }
}

void TakeOverEditorKeys(App& app) {
  for (const TakenKey& key : kTakenKeys) app.platform.ui->TakeOverKey(kEditingArea, key.key, key.modifiers);
  auto large = [&app] { return app.edit && SelectionIsLarge(*app.edit); };
  for (const LargeSelectionKey& key : kLargeSelectionKeys)
    app.platform.ui->TakeOverKeyWhile(kEditingArea, key.key, 0, large);
  app.platform.ui->TakeOverKeyWhile(kEditingArea, kTypedKey, 0, large);
}

void DispatchEvent(App& app, const Event& event) {
  AppState& s = app.state;
  s.stepAtSelection = event.code == kEventChar || event.code == kEventKeyDown;
  s.stepChar = event.code == kEventChar && event.key >= 32 && event.key < 256 ? static_cast<char>(event.key) : 0;
  // With Ctrl an arrow moves by words or paragraphs, past empty lines.
  const bool arrow = event.code == kEventKeyDown && s.ctrlHeld == 0;
  s.stepArrow = !arrow ? 0 : event.key == kKeyDown || event.key == kKeyRight ? 1
                         : event.key == kKeyUp || event.key == kKeyLeft  ? -1 : 0;
  auto it = kEventTable.find(event.code);
  if (it != kEventTable.end()) it->second(app, event);
}

// Runs after every event, mouse moves included, so it reads the caret once:
// neither watch moves it (HighlightLine puts the selection back as it was).
// The caret field follows every move, whatever is switched on, and is
// written once at the end.
void PostEventStep(App& app) {
  AppState& s = app.state;
  NoteTextChanges(app);
  NoteRecoveryDue(app);
  // Asked here rather than inside the activation itself: a question box
  // opened while the system is still activating the window upsets its focus,
  // and while it is still switching, Wine names the old window as active.
  if (s.activationSeen == 1) {
    s.activationSeen = 0;
    if (app.platform.ui->ActiveWindow() == kMainWindow) CheckOutsideChanges(app);
  }
  // Shift or the button let go inside a modal dialog never reaches this
  // loop; left at 1, the flag would stop every realtime pass.
  if (s.selectionInProgress == 1 && !app.platform.ui->KeyHeld(kKeyShift) &&
      !app.platform.ui->KeyHeld(kMouseLeft)) {
    s.selectionInProgress = 0;
    s.lastCaretLine = CaretLine(*app.edit);
  }
  const bool realtime = s.Enabled == 1 && s.Realtime == 1;
  const CaretPlace caret = ReadCaret(*app.edit, app.caret, s.stepArrow);
  // A change made at the selection is told by where the caret went; any
  // other (Undo, Replace, a drop, the editor's own) leaves nothing known of
  // the looks.
  TextStep step = TextStep::None;
  if (s.textChanges != s.textChangesSeen) {
    s.textChangesSeen = s.textChanges;
    step = s.stepAtSelection == 1 ? StepOfEdit(*app.edit, app.caret) : TextStep::Other;
    NoteTextStep(app.looks, step, app.caret.before.line);
  }
  const bool lineLeftJoined = step == TextStep::JoinBefore || step == TextStep::JoinEmptyLastLine;
  // A character typed at a caret on its line ends just before it.
  const char typedBefore =
      step == TextStep::OnCaretLine && app.caret.move == CaretWatch::Move::SameLine &&
              caret.end == app.caret.before.end + 1 ? s.stepChar : 0;
  // A pass selects the line it formats, and the control takes a selection
  // back only with its active end at the higher offset: one made upwards
  // (its anchor, the caret before it, at the higher end) would come back
  // reversed, and Shift+arrows would then move its other end. So while such
  // a selection stands a left line waits, and is formatted once it is gone.
  const CharRange selection = app.edit->ExGetSel();
  const bool selecting = selection.cpMin != selection.cpMax;
  if (!selecting) s.selectionAnchor = selection.cpMin;
  const bool reversed = selecting && s.selectionAnchor == selection.cpMax;
  if (realtime && caret.line != s.lastCaretLine && s.selectionInProgress == 0) {
    // A line joined to the caret's is the caret's line now; a line nothing
    // touched since a pass saw it is as the pass left it.
    const bool needsPass = !lineLeftJoined && NeedsPass(app.looks, s.lastCaretLine);
    if (needsPass && reversed) {
      if (std::find(s.linesAwaitingPass.begin(), s.linesAwaitingPass.end(), s.lastCaretLine) ==
          s.linesAwaitingPass.end())
        s.linesAwaitingPass.push_back(s.lastCaretLine);
    } else if (needsPass) {
      const bool leftByEnter = app.caret.lineLeft.cpMin >= 0 && caret.line == s.lastCaretLine + 1;
      HighlightLine(app, s.lastCaretLine, leftByEnter ? app.caret.lineLeft : CharRange{-1, -1});
    }
    s.lastCaretLine = caret.line;
    if (s.PopupShown == 1) HidePopup(app);
  }
  if (realtime && !reversed && s.selectionInProgress == 0 && !s.linesAwaitingPass.empty()) {
    for (int line : s.linesAwaitingPass)
      if (line != caret.line) HighlightLine(app, line);
    s.linesAwaitingPass.clear();
  }
  if (s.VorodazedEzoze == 1 && (caret.column != s.lastCaretColumn || caret.line != s.lastCaretLine)) {
    if (s.PopupShown == 1) TrackPopup(app, caret);
    else DetectDot(app, caret, typedBefore);
    s.lastCaretColumn = caret.column;
    s.lastCaretLine = caret.line;
  }
  RefreshCaretStatus(app, caret);
}

void RunEventLoop(App& app) {
  Event event;
  while (app.state.QuitRequested != 1) {
    if (!app.platform.events->NextEvent(event, true)) break;
    DispatchEvent(app, event);
    PostEventStep(app);
  }
}

bool RunPendingEvents(App& app) {
  Event event;
  while (app.state.QuitRequested != 1 && app.platform.events->NextEvent(event, false)) {
    DispatchEvent(app, event);
    PostEventStep(app);
  }
  return app.state.QuitRequested != 1;
}
