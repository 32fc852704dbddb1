// Start-up cost of the catalogue: the 26 reference files with their includes,
// the six lists, the outline and the MemberIndex.
#include <benchmark/benchmark.h>

#include "catalogue/command_tree.h"
#include "catalogue/reference_parser.h"
#include "catalogue/catalogue_test_support.h"

namespace {

void ReportSize(benchmark::State& state, const Catalogue& catalogue, const TreeOutline& outline) {
  state.counters["entries"] = static_cast<double>(catalogue.reference.size());
  state.counters["names"] = static_cast<double>(catalogue.memberNames.size());
  state.counters["items"] = static_cast<double>(outline.nodes.size());
}

// Files already in memory: the parsing, the outline and the index alone.
void BM_CatalogueFromMemory(benchmark::State& state) {
  MemoryFileSystem files;
  if (LoadDataSet(QVR_DATA_DIR, files) == 0) {
    state.SkipWithError("no data set");
    return;
  }
  const CatalogueSource source = MakeCatalogueSource(files, "");
  Catalogue catalogue;
  TreeOutline outline;
  for (auto _ : state) {
    catalogue = Catalogue();
    outline = BuildCommandOutline(source, catalogue);
    benchmark::DoNotOptimize(outline.nodes.data());
  }
  ReportSize(state, catalogue, outline);
}
BENCHMARK(BM_CatalogueFromMemory)->Unit(benchmark::kMillisecond);

// The same with every file read from the disk (warm cache) as start-up does.
void BM_CatalogueFromDisk(benchmark::State& state) {
  DiskFileSystem files(QVR_DATA_DIR);
  const CatalogueSource source = MakeCatalogueSource(files, "");
  Catalogue catalogue;
  TreeOutline outline;
  for (auto _ : state) {
    catalogue = Catalogue();
    outline = BuildCommandOutline(source, catalogue);
    benchmark::DoNotOptimize(outline.nodes.data());
  }
  if (catalogue.reference.empty()) state.SkipWithError("no data set");
  ReportSize(state, catalogue, outline);
}
BENCHMARK(BM_CatalogueFromDisk)->Unit(benchmark::kMillisecond);

// The MemberIndex on its own, over the loaded entries.
void BM_BuildMemberIndex(benchmark::State& state) {
  MemoryFileSystem files;
  LoadDataSet(QVR_DATA_DIR, files);
  Catalogue catalogue;
  BuildCommandOutline(MakeCatalogueSource(files, ""), catalogue);
  for (auto _ : state) {
    BuildMemberIndex(catalogue);
    benchmark::DoNotOptimize(catalogue.memberNames.data());
  }
  state.counters["entries"] = static_cast<double>(catalogue.reference.size());
}
BENCHMARK(BM_BuildMemberIndex)->Unit(benchmark::kMicrosecond);

}  // namespace
