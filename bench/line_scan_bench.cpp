// Line scan speed: the automaton against one substring search per word, on a
// 10,000-line script. Bytes processed are the script's characters per pass.
#include <benchmark/benchmark.h>

#include "editor/line_scan.h"
#include "editor/line_scan_samples.h"
#include "editor/reference_line_scan.h"

namespace {

constexpr size_t kScriptLines = 10000;

struct BenchInput {
  bool present = false;
  HighlightWordLists lists;
  std::vector<std::string> script;
  int64_t bytes = 0;
};

BenchInput MakeInput(bool shipped) {
  BenchInput input;
  if (shipped) {
    input.present = samples::LoadShippedLists(QVR_DATA_DIR, input.lists);
  } else {
    input.lists = samples::GenerateRealisticLists(1, 2000, 100);
    input.present = true;
  }
  if (!input.present) return input;
  input.script = samples::GenerateScript(2, kScriptLines, input.lists);
  for (const std::string& line : input.script) input.bytes += static_cast<int64_t>(line.size());
  return input;
}

const BenchInput& Input(bool shipped) {
  static const BenchInput generated = MakeInput(false);
  static const BenchInput fromData = MakeInput(true);
  return shipped ? fromData : generated;
}

void BM_LineScanAutomaton(benchmark::State& state) {
  const BenchInput& input = Input(state.range(0) != 0);
  if (!input.present) {
    state.SkipWithError("no shipped word lists");
    return;
  }
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
  state.counters["words"] = static_cast<double>(scanner.categoryOfWord.size());
}

void BM_LineScanReference(benchmark::State& state) {
  const BenchInput& input = Input(state.range(0) != 0);
  if (!input.present) {
    state.SkipWithError("no shipped word lists");
    return;
  }
  size_t stepCount = 0;
  for (auto _ : state) {
    for (const std::string& line : input.script)
      stepCount += ReferenceScanLine(input.lists, line, HighlightPass::WholeText).size();
    benchmark::DoNotOptimize(stepCount);
  }
  state.SetBytesProcessed(state.iterations() * input.bytes);
}

void BM_BuildLineScanner(benchmark::State& state) {
  const BenchInput& input = Input(false);
  for (auto _ : state) benchmark::DoNotOptimize(BuildLineScanner(input.lists));
}

}  // namespace

// Argument 0: generated lists (2,000 names, 100 words per list); 1: shipped.
BENCHMARK(BM_LineScanAutomaton)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineScanReference)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildLineScanner)->Unit(benchmark::kMillisecond);
