#pragma once
// The member popup's decisions as plain functions of the line, the caret and
// the member index: which word stands before the dot, which members match,
// what the status bar says and where the popup goes on the screen.
#include <string>
#include <vector>

#include "platform/ui.h"

// The word before a dot that stands just left of `dotColumn` (the 1-based
// column right after the dot): everything back to the nearest space. Only
// the space delimits; tabs, brackets and further dots belong to the word.
std::string ObjectWordBefore(const std::string& line, int dotColumn);

// True when the caret at `column` stands right after a dot of `line`.
bool CaretFollowsDot(const std::string& line, int column);

// Rebuilds `matches` from the member index, in its order: every name that
// starts with `prefix` (letters compared without case, Latin-1 included),
// each as name + "()". After "Game", "actor" or "Scene" (exactly so) only
// members one of whose owners contains that word, in any case, are listed.
void FilterMembers(const std::vector<std::string>& names, const std::vector<std::vector<std::string>>& owners,
                   const std::string& prefix, const std::string& objectWord,
                   std::vector<std::string>& matches);

// "L: 12, C:5 -0": line, column and whether a selection is in progress.
std::string CaretStatusText(int line, int column, int selectionInProgress);

// Where the popup goes: just below the caret's line, at the dot, inside the
// screen's work area (above the line when there is no room below). The
// caret's place is given in screen pixels; the result is relative to the
// main window's outer top-left corner, as the window keeps it.
struct PopupPlacementInput {
  int caretX = 0, lineTop = 0, lineHeight = 0;  // screen pixels
  Rect mainWindow;                              // outer, screen
  Rect workArea;                                // screen
  int popupW = 0, popupH = 0;
};
struct PopupOffset {
  int x = 0, y = 0;
};
PopupOffset PlacePopup(const PopupPlacementInput& in);
