// The popup's filter runs on every caret move while the popup shows: over the
// whole shipped member index, after any word and after one of the three
// words that look at owners.
#include <benchmark/benchmark.h>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/command_tree.h"
#include "catalogue/member_rules.h"

namespace {

void BM_FilterMembers(benchmark::State& state, const char* prefix, const char* word) {
  MemoryFileSystem files;
  if (LoadDataSet(QVR_DATA_DIR, files) == 0) {
    state.SkipWithError("no data set");
    return;
  }
  Catalogue catalogue;
  BuildCommandOutline(MakeCatalogueSource(files, ""), catalogue);
  std::vector<std::string> matches;
  matches.reserve(catalogue.memberNames.size());
  for (auto _ : state) {
    FilterMembers(catalogue.memberNames, catalogue.memberOwners, prefix, word, matches);
    benchmark::DoNotOptimize(matches.data());
  }
  state.counters["names"] = static_cast<double>(catalogue.memberNames.size());
  state.counters["matches"] = static_cast<double>(matches.size());
}
BENCHMARK_CAPTURE(BM_FilterMembers, one_letter_any_word, "s", "player")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterMembers, one_letter_after_Game, "s", "Game")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FilterMembers, no_prefix_any_word, "", "player")->Unit(benchmark::kMicrosecond);

}  // namespace
