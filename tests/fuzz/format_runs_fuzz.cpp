// The merged runs of a line against painting every step in order.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "editor/format_runs.h"
#include "fuzz/fuzz_check.h"

namespace {

struct Look {
  uint32_t color;
  uint32_t effects;
  bool operator==(const Look& o) const { return color == o.color && effects == o.effects; }
};
using LineModel = std::vector<Look>;  // columns 1..length; index 0 unused

void Paint(LineModel& model, int start, int end, bool setColor, uint32_t color, bool setEffects, uint32_t effects) {
  const int last = end == kLineEnd ? static_cast<int>(model.size()) : end;
  for (int c = std::max(start, 1); c < last && c < static_cast<int>(model.size()); ++c) {
    if (setColor) model[c].color = color;
    if (setEffects) model[c].effects = effects;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int length = input.ConsumeIntegralInRange(0, 60);
  CategoryStyles styles;
  for (CategoryStyle& s : styles) {
    s.red = input.ConsumeIntegralInRange<int16_t>(-1, 256);
    s.green = input.ConsumeIntegralInRange<int16_t>(-1, 256);
    s.blue = input.ConsumeIntegralInRange<int16_t>(-1, 256);
    s.bold = input.ConsumeIntegral<uint8_t>();
    s.italic = input.ConsumeIntegral<uint8_t>();
    s.underline = input.ConsumeIntegral<uint8_t>();
  }
  const HighlightPass pass = input.ConsumeBool() ? HighlightPass::SingleLine : HighlightPass::WholeText;
  const bool colors = input.ConsumeBool(), fontStyles = input.ConsumeBool();
  LineModel before(static_cast<size_t>(length) + 1);
  for (Look& look : before) look = {input.ConsumeIntegralInRange<uint32_t>(0, 3), input.ConsumeIntegralInRange<uint32_t>(0, 15)};
  std::vector<FormatStep> steps;
  while (input.remaining_bytes() > 0 && steps.size() < 64) {
    FormatStep step;
    step.start = input.ConsumeIntegralInRange(1, length + 2);
    step.end = input.ConsumeBool() ? kLineEnd : input.ConsumeIntegralInRange(step.start, length + 3);
    step.category = static_cast<HighlightCategory>(input.ConsumeIntegralInRange(0, kCategoryCount - 1));
    steps.push_back(step);
  }

  LineModel literal = before, merged = before;
  if (pass == HighlightPass::SingleLine) Paint(literal, 1, kLineEnd, true, 0, false, 0);
  for (const FormatStep& s : steps) {
    const CategoryStyle& style = styles[static_cast<int>(s.category)];
    Paint(literal, s.start, s.end, colors, ColorOf(style), fontStyles, EffectsOf(style));
  }
  const std::vector<FormatRun> runs = MergeStepsIntoRuns(steps, pass, styles, colors, fontStyles);
  for (const FormatRun& r : runs) Paint(merged, r.start, r.end, r.setsColor, r.color, r.setsEffects, r.effects);
  FUZZ_CHECK(literal == merged);
  for (size_t k = 1; k < runs.size(); ++k) {
    FUZZ_CHECK(runs[k - 1].end != kLineEnd);
    FUZZ_CHECK(runs[k - 1].end <= runs[k].start);
  }
  return 0;
}
