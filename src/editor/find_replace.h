#pragma once
// The Find and Replace tool windows: built anew at each opening, served by
// the one event loop, searching the editing area line by line.
#include "app/app.h"

// Find window (3) and Replace window (4) controls.
constexpr int kFindText = 57, kFindNextButton = 58, kFindCancelButton = 59, kFindMatchCase = 70;
constexpr int kReplaceFindText = 62, kReplaceWithText = 63, kReplaceFindNextButton = 64,
              kReplaceButton = 65, kReplaceAllButton = 66, kReplaceMatchCase = 67;

void OpenFindWindow(App& app);
void OpenReplaceWindow(App& app);

// Handlers of the tool windows' controls, by control number.
void OnFindControl(App& app, int control);
void OnReplaceControl(App& app, int control);

// Selects the next match: in the Find window's case (false) or the Replace
// window's (true).
void FindNext(App& app, bool replaceWindow);
// Past this many touched lines Replace all loads the whole new text as a
// script is opened: in a time that grows with the text alone, and at the cost
// of the control's undo history, which such a load empties.
constexpr int kWholeTextReplaceLines = 2000;

// Replaces one match per line from the caret's line on, as one undo step.
void ReplaceAll(App& app, const std::string& replacement);
