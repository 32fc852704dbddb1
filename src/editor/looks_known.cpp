#include "editor/looks_known.h"

#include <algorithm>

namespace {

// Past this many lines typed on and not yet seen, knowing them all is not
// worth it.
constexpr size_t kMostTouched = 64;

void Forget(LooksKnown& looks) {
  looks.known = false;
  looks.touched.clear();
}

void Touch(LooksKnown& looks, int line) {
  auto at = std::lower_bound(looks.touched.begin(), looks.touched.end(), line);
  if (at == looks.touched.end() || *at != line) looks.touched.insert(at, line);
  if (looks.touched.size() > kMostTouched) Forget(looks);
}

// Lines after `line` move by `by` (a line break added after it, or the line
// after it taken out).
void ShiftAfter(LooksKnown& looks, int line, int by) {
  for (int& l : looks.touched)
    if (l > line) l += by;
}

}  // namespace

void KnowWholeText(LooksKnown& looks, bool highlighted) {
  looks.known = highlighted;
  looks.touched.clear();
}

void NoteTextStep(LooksKnown& looks, TextStep step, int line) {
  if (!looks.known) return;
  switch (step) {
    case TextStep::None:
    case TextStep::BreakAtTextEnd:  // the line keeps its text, the new one is empty
      break;
    case TextStep::OnCaretLine:
      Touch(looks, line);
      break;
    case TextStep::BreakAtCaret:
      ShiftAfter(looks, line, 1);
      Touch(looks, line);
      Touch(looks, line + 1);
      break;
    case TextStep::JoinEmptyLastLine:
      NotePassed(looks, line, line);
      break;
    case TextStep::JoinBefore:
      NotePassed(looks, line, line);
      ShiftAfter(looks, line, -1);
      Touch(looks, line - 1);
      break;
    case TextStep::JoinAfter:
      NotePassed(looks, line + 1, line + 1);
      ShiftAfter(looks, line + 1, -1);
      Touch(looks, line);
      break;
    case TextStep::Other:
      Forget(looks);
      break;
  }
}

bool NeedsPass(const LooksKnown& looks, int line) {
  return !looks.known || std::binary_search(looks.touched.begin(), looks.touched.end(), line);
}

void NotePassed(LooksKnown& looks, int first, int last) {
  looks.touched.erase(std::remove_if(looks.touched.begin(), looks.touched.end(),
                                     [&](int l) { return l >= first && l <= last; }),
                      looks.touched.end());
}
