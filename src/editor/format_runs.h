#pragma once
// The final look of a line after all its steps, as non-overlapping runs, so
// a pass can format each stretch once instead of once per overlapping step
// (every format call on the control is costly).
#include <array>
#include <cstdint>
#include <vector>

#include "app/app_state.h"
#include "editor/line_scan.h"
#include "settings/category_style.h"

using CategoryStyles = std::array<CategoryStyle, kCategoryCount>;

// The five records indexed by HighlightCategory.
CategoryStyles CategoryStylesOf(const AppState& state);

struct FormatRun {
  int start;  // 1-based column
  int end;    // exclusive column, or kLineEnd
  bool setsColor;
  uint32_t color;    // 0 when not set
  bool setsEffects;
  uint32_t effects;  // bold 1, italic 2, underline 4 (strikeout always cleared); 0 when not set
};

// Equal, character by character, to applying the steps in order: colours
// only when applyColors, effects only when applyFontStyles, and for the
// single-line pass the whole line turned black first. Stretches that end
// untouched get no run; adjacent stretches with the same format share one.
std::vector<FormatRun> MergeStepsIntoRuns(const std::vector<FormatStep>& steps,
                                          HighlightPass pass, const CategoryStyles& styles,
                                          bool applyColors, bool applyFontStyles);
