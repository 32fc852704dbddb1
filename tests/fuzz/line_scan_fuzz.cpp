// The fast line scan against the plain one, on word lists and lines made
// from the input, one line at a time and two at a time.
#include <fuzzer/FuzzedDataProvider.h>

#include "editor/line_scan.h"
#include "editor/reference_line_scan.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  HighlightWordLists lists;
  for (std::vector<std::string>* list :
       {&lists.catalogueNames, &lists.commands, &lists.directions, &lists.events, &lists.keywords})
    for (int n = input.ConsumeIntegralInRange(0, 6); n > 0; --n) list->push_back(input.ConsumeRandomLengthString(8));
  const HighlightPass pass = input.ConsumeBool() ? HighlightPass::SingleLine : HighlightPass::WholeText;
  const std::string first = input.ConsumeRandomLengthString(200);
  const std::string second = input.ConsumeRemainingBytesAsString();

  LineScanner scanner = BuildLineScanner(lists);
  const HighlightWordLists distinct = WithoutRepeatsInEachList(lists);
  std::vector<FormatStep> steps, firstSteps, secondSteps;
  for (const std::string& line : {first, second}) {
    ScanLine(scanner, line, pass, steps);
    FUZZ_CHECK(steps == ReferenceScanLine(distinct, line, pass));
    FUZZ_CHECK(LooksAfter(steps, line.size()) == LooksAfter(ReferenceScanLine(lists, line, pass), line.size()));
  }
  ScanTwoLines(scanner, first, second, pass, firstSteps, secondSteps);
  FUZZ_CHECK(firstSteps == ReferenceScanLine(distinct, first, pass));
  FUZZ_CHECK(secondSteps == ReferenceScanLine(distinct, second, pass));
  return 0;
}
