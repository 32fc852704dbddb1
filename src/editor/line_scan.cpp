#include "editor/line_scan.h"

#include <cstring>

HighlightWordLists WordListsOf(const Catalogue& catalogue) {
  HighlightWordLists lists;
  lists.catalogueNames.reserve(catalogue.reference.size());
  for (const ReferenceEntry& entry : catalogue.reference) lists.catalogueNames.push_back(entry.name);
  lists.commands = catalogue.commands;
  lists.directions = catalogue.directions;
  lists.events = catalogue.events;
  lists.keywords = catalogue.keywords;
  return lists;
}

LineScanner BuildLineScanner(const HighlightWordLists& lists) {
  struct ListRole {
    const std::vector<std::string>* words;
    HighlightCategory category;
    bool needsSeparator;
  };
  // The order of this table is the order of the steps.
  const ListRole listRoles[] = {
      {&lists.catalogueNames, HighlightCategory::Keywords, false},
      {&lists.commands, HighlightCategory::Methods, true},
      {&lists.directions, HighlightCategory::Events, true},
      {&lists.events, HighlightCategory::Events, true},
      {&lists.keywords, HighlightCategory::Events, true},
  };
  LineScanner scanner;
  std::vector<std::string_view> words;
  for (const ListRole& role : listRoles)
    for (const std::string& word : *role.words) {
      words.push_back(word);
      scanner.roles.push_back({static_cast<int>(word.size()), role.category, role.needsSeparator});
    }
  scanner.automaton = BuildWordAutomaton(words);
  return scanner;
}

namespace {

// Quotes pair up from the left; there is no escape, and an unpaired last
// quote formats nothing.
void AddQuotedSteps(std::string_view line, std::vector<FormatStep>& steps) {
  const char* begin = line.data();
  const char* end = begin + line.size();
  const char* open = static_cast<const char*>(std::memchr(begin, '"', line.size()));
  while (open) {
    const char* close =
        static_cast<const char*>(std::memchr(open + 1, '"', static_cast<size_t>(end - open - 1)));
    if (!close) return;
    // The text starts one column after the opening quote (at column
    // open - begin + 1); the closing quote's column ends the range.
    steps.push_back({static_cast<int>(open - begin) + 2, static_cast<int>(close - begin) + 1,
                     HighlightCategory::Filename});
    open = static_cast<const char*>(std::memchr(close + 1, '"', static_cast<size_t>(end - close - 1)));
  }
}

}  // namespace

void ScanLine(LineScanner& scanner, std::string_view line, HighlightPass pass,
              std::vector<FormatStep>& steps) {
  const size_t hitCount = FindFirstOccurrences(scanner.automaton, line);
  const WordHit* hits = scanner.automaton.hits.data();
  const size_t wordHits = hitCount;

  // A list word must start a word of the line, or it would colour the middle
  // of identifiers; only its first occurrence is judged. Every hit is written
  // and kept only when it counts, which spares a poorly predicted branch.
  steps.resize(wordHits);
  FormatStep* out = steps.data();
  size_t kept = 0;
  const bool parenthesisSeparates = pass == HighlightPass::SingleLine;
  for (size_t h = 0; h < wordHits; ++h) {
    const LineScanner::WordRole& role = scanner.roles[hits[h].word];
    const char before = hits[h].start == 0 ? ' ' : line[hits[h].start - 1];
    const bool counts = !role.needsSeparator || before == ' ' ||
                        (parenthesisSeparates && before == '(');
    const int start = static_cast<int>(hits[h].start) + 1;
    out[kept] = FormatStep{start, start + role.length, role.category};
    kept += counts;
  }
  steps.resize(kept);
  size_t comment = line.find("//");
  if (comment != std::string_view::npos)
    steps.push_back({static_cast<int>(comment) + 1, kLineEnd, HighlightCategory::Comments});
  AddQuotedSteps(line, steps);
}
