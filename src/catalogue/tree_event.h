#pragma once
// What selecting and double-clicking an item of the command tree does. The
// decision is pure; OnCommandTreeEvent only applies it to the controls.
#include <functional>
#include <string>

#include "catalogue/catalogue.h"

struct AppState;
class Ui;

struct TreeEventOutcome {
  bool showDescription = false;  // description line (control 5)
  std::string description;
  bool showSignature = false;    // status bar field 0
  std::string signature;
  bool insert = false;
  std::string text;              // what a double-click inserts
  bool insertsCodeBlock = false; // re-highlight after inserting
};

// An item whose link names an entry with the item's own text stands for that
// entry alone: it alone is shown and inserted, so a member declared by several
// objects shows and inserts the one under the clicked object. Items without
// such a link (titles, groups, top-level labels) are matched by text in the
// order reference, Basic commands, Keywords, User, Low level events,
// Directions, Codeblocks: every match is shown in turn, so the last one stays
// visible, and the first one is inserted.
// With fullParameters a reference entry inserts its signature, or its name and
// suffix when it has no signature (rather than inserting nothing, which would
// only delete the selection).
TreeEventOutcome DecideTreeEvent(const Catalogue& catalogue, const std::string& selectedText,
                                 long itemLink, bool doubleClick, bool fullParameters);

// Calls into parts that are wired in by the event loop.
struct CommandTreeHooks {
  std::function<void()> hidePopup;     // HidePopup of the member popup
  std::function<void()> highlightAll;  // HighlightAll of the highlighter
};

// Control event of the command tree. A double-click (type 2) inserts the
// item under the pointer, `clicked`, selecting it first, and nothing when it
// was on no item (0); Enter (type 4) inserts the selected item.
void OnCommandTreeEvent(AppState& state, Ui& ui, int eventType, uintptr_t clicked, const CommandTreeHooks& hooks);
