#include "editor/format_runs.h"

#include <algorithm>
#include <climits>

CategoryStyles CategoryStylesOf(const AppState& state) {
  CategoryStyles styles;
  styles[static_cast<int>(HighlightCategory::Methods)] = state.Methods;
  styles[static_cast<int>(HighlightCategory::Keywords)] = state.Keywords;
  styles[static_cast<int>(HighlightCategory::Comments)] = state.Comments;
  styles[static_cast<int>(HighlightCategory::Events)] = state.Events;
  styles[static_cast<int>(HighlightCategory::Filename)] = state.Filename;
  return styles;
}

namespace {

// The end of the line sorts after every column the line's text can give.
int Boundary(int column) { return column == kLineEnd ? INT_MAX : column; }

// The last step covering the stretch starting at `column`, or -1. Every
// step's ends are boundaries, so a stretch lies wholly inside or outside.
int LastCovering(const std::vector<FormatStep>& steps, int column) {
  for (int k = static_cast<int>(steps.size()) - 1; k >= 0; --k)
    if (steps[k].start <= column && column < Boundary(steps[k].end)) return k;
  return -1;
}

bool SameFormat(const FormatRun& a, const FormatRun& b) {
  return a.setsColor == b.setsColor && a.color == b.color && a.setsEffects == b.setsEffects &&
         a.effects == b.effects;
}

}  // namespace

std::vector<FormatRun> MergeStepsIntoRuns(const std::vector<FormatStep>& steps,
                                          HighlightPass pass, const CategoryStyles& styles,
                                          bool applyColors, bool applyFontStyles) {
  const bool blackFirst = pass == HighlightPass::SingleLine;
  std::vector<int> bounds;
  bounds.reserve(steps.size() * 2 + 2);
  for (const FormatStep& step : steps) {
    bounds.push_back(step.start);
    bounds.push_back(Boundary(step.end));
  }
  if (blackFirst) {
    bounds.push_back(1);
    bounds.push_back(INT_MAX);
  }
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());

  std::vector<FormatRun> runs;
  for (size_t b = 0; b + 1 < bounds.size(); ++b) {
    int from = bounds[b];
    int to = bounds[b + 1];
    int k = LastCovering(steps, from);
    FormatRun run{from, to == INT_MAX ? kLineEnd : to, false, 0, false, 0};
    if (k >= 0) {
      const CategoryStyle& style = styles[static_cast<int>(steps[k].category)];
      run.setsColor = applyColors;
      run.color = applyColors ? ColorOf(style) : 0;
      run.setsEffects = applyFontStyles;
      run.effects = applyFontStyles ? EffectsOf(style) : 0;
    }
    // The single-line pass blackens the line whatever ApplyColors says.
    if (blackFirst && !run.setsColor) {
      run.setsColor = true;
      run.color = 0;
    }
    if (!run.setsColor && !run.setsEffects) continue;
    if (!runs.empty() && runs.back().end == from && SameFormat(runs.back(), run)) {
      runs.back().end = run.end;
    } else {
      runs.push_back(run);
    }
  }
  return runs;
}
