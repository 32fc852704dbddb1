#pragma once
// Edits of thousands of lines, made by loading the editing area afresh, and
// the undo steps the editor keeps for them.
#include <string>

#include "app/app.h"

// The control takes out or puts back thousands of lines in a time that grows
// with their number times the text's length; from this many lines on an
// edit goes the way of an opened script instead.
constexpr long kLargeEditLines = 500;

// Whether the selection spans kLargeEditLines lines or more: most are told
// by their length alone, without the walks over the text that finding
// lines costs.
bool SelectionIsLarge(EditControl& edit);

// Replaces the selection with `text` as one undoable step, by loading the
// whole new text when the edit takes out or brings in kLargeEditLines lines
// or more; false, with nothing done, when the control can do it itself.
bool ReplaceSelectionLarge(App& app, const std::string& text);

// The step from one whole text to another (CR LF, as the control gives it).
OwnUndoStep StepBetween(const std::string& before, const std::string& after);

// Enters an edit just made by loading the whole text anew as the newest step
// back; the steps forward are gone with it.
void TakeOwnStep(AppState& state, OwnUndoStep step);

// Turns what the control can undo and redo into the editor's own steps, for
// a text about to be loaded anew (which empties the control's history), so
// the user keeps every step. The control is left holding the oldest text its
// history reached; `now` is the text it held.
void KeepControlHistory(App& app, const std::string& now, bool asOpened);

// Undo and Redo of the editor's own steps, taken only when such a step is
// next in the history: the control has nothing of its own to undo (it was
// loaded afresh since) and the text is exactly what the step left. False
// when the step is not the editor's. Redo is asked once the control's own
// Redo changed nothing. A step of a few lines is made where it stands; a
// longer one loads the whole text, as it was made.
bool UndoOwnStep(App& app);
bool RedoOwnStep(App& app);

// The control's history was lost: no step the editor kept may be taken.
void ForgetOwnUndoSteps(AppState& state);
