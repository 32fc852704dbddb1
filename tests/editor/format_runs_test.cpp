#include "editor/format_runs.h"

#include <gtest/gtest.h>

#include <random>

#include "editor/line_scan_samples.h"

namespace {

using HC = HighlightCategory;

struct CharLook {
  uint32_t color;
  uint32_t effects;
  bool operator==(const CharLook& o) const { return color == o.color && effects == o.effects; }
};

// One entry per column 1..length; index 0 unused.
using LineModel = std::vector<CharLook>;

void Paint(LineModel& model, int start, int end, bool setColor, uint32_t color, bool setEffects,
           uint32_t effects) {
  int last = end == kLineEnd ? static_cast<int>(model.size()) : end;
  for (int c = std::max(start, 1); c < last && c < static_cast<int>(model.size()); ++c) {
    if (setColor) model[c].color = color;
    if (setEffects) model[c].effects = effects;
  }
}

// What the passes would do call by call.
void ApplyStepByStep(LineModel& model, const std::vector<FormatStep>& steps, HighlightPass pass,
                     const CategoryStyles& styles, bool colors, bool fontStyles) {
  if (pass == HighlightPass::SingleLine) Paint(model, 1, kLineEnd, true, 0, false, 0);
  for (const FormatStep& s : steps) {
    const CategoryStyle& style = styles[static_cast<int>(s.category)];
    Paint(model, s.start, s.end, colors, ColorOf(style), fontStyles, EffectsOf(style));
  }
}

void ApplyRuns(LineModel& model, const std::vector<FormatRun>& runs) {
  for (const FormatRun& r : runs)
    Paint(model, r.start, r.end, r.setsColor, r.color, r.setsEffects, r.effects);
}

CategoryStyles RandomStyles(std::mt19937& rng) {
  CategoryStyles styles;
  for (CategoryStyle& s : styles) {
    // Few distinct values, so neighbouring runs often look alike and merge.
    s.red = static_cast<int16_t>(samples::Roll(rng, 2) * 200);
    s.blue = static_cast<int16_t>(samples::Roll(rng, 2) * 200);
    s.bold = static_cast<uint8_t>(samples::Roll(rng, 3));  // 2 is not "on"
    s.underline = static_cast<uint8_t>(samples::Roll(rng, 2));
  }
  return styles;
}

TEST(FormatRuns, EqualApplyingEveryStepInOrder) {
  std::mt19937 rng(17);
  for (int round = 0; round < 4000; ++round) {
    int length = samples::Roll(rng, 20);
    std::vector<FormatStep> steps(static_cast<size_t>(samples::Roll(rng, 8)));
    for (FormatStep& s : steps) {
      s.start = 1 + samples::Roll(rng, length + 1);
      s.end = samples::Roll(rng, 5) == 0 ? kLineEnd : s.start + samples::Roll(rng, length + 2 - s.start);
      s.category = static_cast<HC>(samples::Roll(rng, kCategoryCount));
    }
    CategoryStyles styles = RandomStyles(rng);
    HighlightPass pass = samples::Roll(rng, 2) ? HighlightPass::SingleLine : HighlightPass::WholeText;
    bool colors = samples::Roll(rng, 2), fontStyles = samples::Roll(rng, 2);

    LineModel before(static_cast<size_t>(length) + 1);
    for (CharLook& c : before) c = {static_cast<uint32_t>(samples::Roll(rng, 3)), static_cast<uint32_t>(samples::Roll(rng, 8))};
    LineModel literal = before, merged = before;
    ApplyStepByStep(literal, steps, pass, styles, colors, fontStyles);
    auto runs = MergeStepsIntoRuns(steps, pass, styles, colors, fontStyles);
    ApplyRuns(merged, runs);
    ASSERT_TRUE(literal == merged) << "round " << round;
    for (size_t k = 1; k < runs.size(); ++k) {
      ASSERT_NE(runs[k - 1].end, kLineEnd);
      ASSERT_LE(runs[k - 1].end, runs[k].start);
    }
  }
}

TEST(FormatRuns, OverlapsCollapseToOneRunPerFinalLook) {
  AppState state;
  CategoryStyles styles = CategoryStylesOf(state);
  // x = "a//b" + c : the comment runs to the end, the quoted text wins inside.
  std::vector<FormatStep> steps = {{7, kLineEnd, HC::Comments}, {6, 10, HC::Filename}};
  auto runs = MergeStepsIntoRuns(steps, HighlightPass::SingleLine, styles, true, false);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].start, 1);
  EXPECT_EQ(runs[0].end, 6);
  EXPECT_EQ(runs[0].color, 0u);
  EXPECT_EQ(runs[1].start, 6);
  EXPECT_EQ(runs[1].end, 10);
  EXPECT_EQ(runs[1].color, ColorOf(state.Filename));
  EXPECT_EQ(runs[2].start, 10);
  EXPECT_EQ(runs[2].end, kLineEnd);
  EXPECT_EQ(runs[2].color, ColorOf(state.Comments));
  EXPECT_FALSE(runs[2].setsEffects);
}

TEST(FormatRuns, WithBothFlagsOffOnlyTheSingleLinePassTouchesTheLine) {
  CategoryStyles styles = CategoryStylesOf(AppState());
  std::vector<FormatStep> steps = {{1, 4, HC::Methods}};
  EXPECT_TRUE(MergeStepsIntoRuns(steps, HighlightPass::WholeText, styles, false, false).empty());
  auto runs = MergeStepsIntoRuns(steps, HighlightPass::SingleLine, styles, false, false);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].start, 1);
  EXPECT_EQ(runs[0].end, kLineEnd);
  EXPECT_TRUE(runs[0].setsColor);
  EXPECT_EQ(runs[0].color, 0u);
}

}  // namespace
