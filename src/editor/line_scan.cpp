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
  const ListRole roles[] = {
      {&lists.catalogueNames, HighlightCategory::Keywords, false},
      {&lists.commands, HighlightCategory::Methods, true},
      {&lists.directions, HighlightCategory::Events, true},
      {&lists.events, HighlightCategory::Events, true},
      {&lists.keywords, HighlightCategory::Events, true},
  };
  LineScanner scanner;
  std::vector<std::string_view> words;
  for (const ListRole& role : roles)
    for (const std::string& word : *role.words) {
      words.push_back(word);
      scanner.categoryOfWord.push_back(role.category);
      scanner.wordNeedsSeparator.push_back(role.needsSeparator ? 1 : 0);
    }
  scanner.automaton = BuildWordAutomaton(words);
  return scanner;
}

namespace {

// A list word must start a word of the line, or it would colour the middle
// of identifiers; only the first occurrence is judged, as users know it.
bool StartsWord(std::string_view line, uint32_t start, HighlightPass pass) {
  if (start == 0) return true;
  char before = line[start - 1];
  return before == ' ' || (pass == HighlightPass::SingleLine && before == '(');
}

void AddCommentStep(std::string_view line, std::vector<FormatStep>& steps) {
  size_t p = line.find("//");
  if (p != std::string_view::npos)
    steps.push_back({static_cast<int>(p) + 1, kLineEnd, HighlightCategory::Comments});
}

// Quotes pair up from the left; there is no escape, and an unpaired last
// quote formats nothing.
void AddQuotedSteps(std::string_view line, std::vector<FormatStep>& steps) {
  const char* begin = line.data();
  const char* end = begin + line.size();
  const char* p = begin;
  while (p < end) {
    const char* open = static_cast<const char*>(std::memchr(p, '"', static_cast<size_t>(end - p)));
    if (!open) return;
    const char* close =
        static_cast<const char*>(std::memchr(open + 1, '"', static_cast<size_t>(end - open - 1)));
    if (!close) return;
    // Columns: the opening quote is at column (open - begin) + 1, so the text
    // starts one further; the closing quote's column ends the range.
    steps.push_back({static_cast<int>(open - begin) + 2, static_cast<int>(close - begin) + 1,
                     HighlightCategory::Filename});
    p = close + 1;
  }
}

}  // namespace

void ScanLine(LineScanner& scanner, std::string_view line, HighlightPass pass,
              std::vector<FormatStep>& steps) {
  steps.clear();
  FindFirstOccurrences(scanner.automaton, line, scanner.hits);
  for (const WordHit& hit : scanner.hits) {
    if (scanner.wordNeedsSeparator[hit.word] && !StartsWord(line, hit.start, pass)) continue;
    int start = static_cast<int>(hit.start) + 1;
    steps.push_back({start, start + static_cast<int>(scanner.automaton.wordLength[hit.word]),
                     scanner.categoryOfWord[hit.word]});
  }
  AddCommentStep(line, steps);
  AddQuotedSteps(line, steps);
}
