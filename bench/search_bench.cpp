// Replace all's search over a large script with a match on every line.
#include <benchmark/benchmark.h>

#include "editor/search.h"

namespace {

void BM_ReplaceAllMatches(benchmark::State& state) {
  std::vector<std::string> script;
  for (int i = 0; i < 10000; ++i) script.push_back("    keeper.Say(\"line " + std::to_string(i) + "\"); // keeper");
  for (auto _ : state) {
    std::vector<std::string> lines = script;
    ReplaceAllResult r = ReplaceAllMatches(lines, 0, "KEEPER", "guard", false, {});
    benchmark::DoNotOptimize(r.replaced);
  }
  state.counters["lines"] = 10000;
}
BENCHMARK(BM_ReplaceAllMatches)->Unit(benchmark::kMillisecond);

}  // namespace
