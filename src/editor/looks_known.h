#pragma once
// What the editor knows of the text's looks without asking the control. In
// Wine every question that names a position costs the control a walk from
// the start of the text (2 ms at the end of 50,000 lines), so the line the
// caret leaves is looked at only when it may need it: after a pass over the
// whole text every line looks as a pass leaves it, and typing changes only
// the lines it touches, which are kept by number until a pass has seen them.
#include <vector>

struct LooksKnown {
  bool known = false;       // false: any line may need a pass
  std::vector<int> touched; // lines (1-based) changed since a pass saw them, ascending
};

// How one step changed the text, told by where the caret went.
enum class TextStep {
  None,              // the text did not change
  OnCaretLine,       // within the caret's line
  BreakAtTextEnd,    // a line break after the last character
  BreakAtCaret,      // a line break splitting the caret's line
  JoinEmptyLastLine, // the empty last line taken out from its start
  JoinBefore,        // the caret's line joined to the one before (Backspace)
  JoinAfter,         // the next line joined to the caret's (Delete)
  Other,             // anything else: nothing more is known
};

void KnowWholeText(LooksKnown& looks, bool highlighted);
// `line` is the caret's line before the step.
void NoteTextStep(LooksKnown& looks, TextStep step, int line);
bool NeedsPass(const LooksKnown& looks, int line);
void NotePassed(LooksKnown& looks, int first, int last);
