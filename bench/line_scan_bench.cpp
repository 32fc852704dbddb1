// Line scan speed: the automaton against one substring search per word, on a
// 10,000-line script. Bytes processed are the script's characters per pass.
#include <benchmark/benchmark.h>

#include "editor/line_scan.h"
#include "editor/line_scan_samples.h"
#include "editor/reference_line_scan.h"

namespace {

constexpr size_t kScriptLines = 10000;

enum Input { kGenerated, kShippedLists, kShippedSamples };

struct BenchInput {
  bool present = false;
  HighlightWordLists lists;
  std::vector<std::string> script;
  int64_t bytes = 0;
};

BenchInput MakeInput(Input which) {
  BenchInput input;
  if (which == kGenerated) {
    input.lists = samples::GenerateRealisticLists(1, 2000, 100);
    input.present = true;
  } else {
    input.present = samples::LoadShippedLists(QVR_DATA_DIR, input.lists);
  }
  if (!input.present) return input;
  if (which == kShippedSamples) {
    // The shipped sample scripts, repeated: real lines, shorter than the
    // generated ones (braces, blank lines), so the cost per line shows more.
    const std::vector<std::string> lines = samples::LoadSampleScriptLines(QVR_DATA_DIR);
    input.present = !lines.empty();
    for (size_t i = 0; input.present && i < kScriptLines; ++i)
      input.script.push_back(lines[i % lines.size()]);
  } else {
    input.script = samples::GenerateScript(2, kScriptLines, input.lists);
  }
  for (const std::string& line : input.script) input.bytes += static_cast<int64_t>(line.size());
  return input;
}

const BenchInput& InputFor(int64_t which) {
  static const BenchInput inputs[] = {MakeInput(kGenerated), MakeInput(kShippedLists),
                                      MakeInput(kShippedSamples)};
  return inputs[which];
}

// The input the benchmark's argument names, or none when the data set is
// missing (the benchmark is then marked skipped).
const BenchInput* InputOrSkip(benchmark::State& state) {
  const BenchInput& input = InputFor(state.range(0));
  if (input.present) return &input;
  state.SkipWithError("no shipped data set");
  return nullptr;
}

void BM_LineScanAutomaton(benchmark::State& state) {
  const BenchInput* found = InputOrSkip(state);
  if (!found) return;
  const BenchInput& input = *found;
  LineScanner scanner = BuildLineScanner(input.lists);
  std::vector<FormatStep> steps;
  size_t stepCount = 0;
  for (auto _ : state) {
    for (const std::string& line : input.script) {
      ScanLine(scanner, line, HighlightPass::WholeText, steps);
      stepCount += steps.size();
    }
    benchmark::DoNotOptimize(stepCount);
  }
  state.SetBytesProcessed(state.iterations() * input.bytes);
  state.counters["words"] = static_cast<double>(scanner.roleOf.size());
  state.counters["bytes/line"] =
      static_cast<double>(input.bytes) / static_cast<double>(input.script.size());
}

// The way the highlighting passes scan a text: two lines at a time.
void BM_LineScanPairs(benchmark::State& state) {
  const BenchInput* found = InputOrSkip(state);
  if (!found) return;
  const BenchInput& input = *found;
  LineScanner scanner = BuildLineScanner(input.lists);
  size_t stepCount = 0;
  for (auto _ : state) {
    ScanLines(scanner, input.script, HighlightPass::WholeText,
              [&](size_t, const std::vector<FormatStep>& steps) { stepCount += steps.size(); });
    benchmark::DoNotOptimize(stepCount);
  }
  state.SetBytesProcessed(state.iterations() * input.bytes);
}

void BM_LineScanReference(benchmark::State& state) {
  const BenchInput* found = InputOrSkip(state);
  if (!found) return;
  const BenchInput& input = *found;
  size_t stepCount = 0;
  for (auto _ : state) {
    for (const std::string& line : input.script)
      stepCount += ReferenceScanLine(input.lists, line, HighlightPass::WholeText).size();
    benchmark::DoNotOptimize(stepCount);
  }
  state.SetBytesProcessed(state.iterations() * input.bytes);
}

void BM_BuildLineScanner(benchmark::State& state) {
  const BenchInput& input = InputFor(kGenerated);
  for (auto _ : state) benchmark::DoNotOptimize(BuildLineScanner(input.lists));
}

}  // namespace

// Argument 0: generated lists (2,000 names, 100 words per list) and script;
// 1: shipped lists, generated script; 2: shipped lists and sample scripts.
BENCHMARK(BM_LineScanAutomaton)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineScanPairs)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineScanReference)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildLineScanner)->Unit(benchmark::kMillisecond);
