#include "editor/line_scan.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

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

namespace {

constexpr uint8_t kSlashFlag = 1;
constexpr uint8_t kQuoteFlag = 2;
constexpr size_t kSortWidth = 32;

}  // namespace

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
  for (const ListRole& role : listRoles) {
    std::unordered_set<std::string_view> inThisList;
    for (const std::string& word : *role.words) {
      if (!inThisList.insert(word).second) continue;
      words.push_back(word);
      scanner.roleOf.push_back(static_cast<uint8_t>(
          static_cast<uint8_t>(role.category) | (role.needsSeparator ? LineScanner::kNeedsSeparator : 0)));
    }
  }
  scanner.automaton = BuildWordAutomaton(words);
  scanner.automaton.byteFlags['/'] = kSlashFlag;
  scanner.automaton.byteFlags['"'] = kQuoteFlag;
  scanner.seenInLine.assign(scanner.automaton.spellingCount, 0);
  // Each word is found at most once per line; one slot past the last is
  // written, and the sort reads a fixed width.
  scanner.foundWords.resize(words.size() + 1 + kSortWidth);
  scanner.foundSteps.resize(words.size() + 1);
  return scanner;
}

namespace {

// Every word of every spelling that ends at a place the walk noted; only a
// spelling's first place is judged, and a list word counts only where it
// starts a word of the line, or it would colour the middle of identifiers.
// Each step is written either way and kept only when it counts, which spares
// branches that the line's text would make unpredictable.
size_t FindWordSteps(LineScanner& scanner, std::string_view line, HighlightPass pass,
                     const WordEnds& ends) {
  if (++scanner.generation == 0) {
    std::fill(scanner.seenInLine.begin(), scanner.seenInLine.end(), 0);
    scanner.generation = 1;
  }
  const WordAutomaton& a = scanner.automaton;
  const uint32_t generation = scanner.generation;
  uint32_t* seen = scanner.seenInLine.data();
  const uint8_t* roleOf = scanner.roleOf.data();
  const uint32_t* moreWordsOf = a.moreWordsOf.data();
  int32_t* words = scanner.foundWords.data();
  FormatStep* found = scanner.foundSteps.data();
  const bool afterParenthesis = pass == HighlightPass::SingleLine;
  size_t count = 0;

  auto add = [&](uint32_t word, uint32_t start, uint32_t length, bool fresh, char before) {
    const uint8_t role = roleOf[word];
    const bool separated = !(role & LineScanner::kNeedsSeparator) | (before == ' ') |
                           (afterParenthesis & (before == '('));
    const int column = static_cast<int>(start) + 1;
    words[count] = static_cast<int32_t>(word);
    found[count] = FormatStep{column, column + static_cast<int>(length),
                              static_cast<HighlightCategory>(role & ~LineScanner::kNeedsSeparator)};
    count += fresh & separated;
  };
  auto take = [&](const WordAutomaton::Output& output, uint32_t end) {
    const uint32_t start = end - output.length;
    const bool fresh = seen[output.spelling] != generation;
    seen[output.spelling] = generation;
    const char before = start == 0 ? ' ' : line[start - 1];
    add(output.word, start, output.length, fresh, before);
    if (fresh & (output.moreWords != 0)) {
      const uint32_t* more = moreWordsOf + output.moreWords;
      for (uint32_t k = 1; k <= more[0]; ++k) add(more[k], start, output.length, true, before);
    }
  };
  for (size_t e = 0; e < ends.count; ++e) {
    uint32_t listed = 0;
    const WordAutomaton::Output* outputs = OutputsAt(a, EndCell(ends.ends[e]), listed);
    const uint32_t end = EndOffset(ends.ends[e]) + 1;
    take(outputs[0], end);
    // Most states end one spelling only; a loop for all would mispredict
    // its end far more often than this rarely taken one.
    for (uint32_t k = 1; k < listed; ++k) take(outputs[k], end);
  }
  return count;
}

// A line has few steps and each word at most one, so a step's place is the
// number of smaller word indices. Counting over a fixed width, the unused
// places holding words that sort last, keeps every branch independent of
// the line (an insertion sort mispredicts at nearly every step) and lets
// the compiler count all places at once in vector registers. Word indices
// stay below 2^31, so signed comparisons serve. `words` may be read kWidth
// entries far.
template <size_t kWidth>
void RankSort(const int32_t* words, const FormatStep* in, size_t n, FormatStep* out) {
  int32_t word[kWidth];
  int32_t rank[kWidth] = {};
  for (size_t j = 0; j < kWidth; ++j) {
    const int32_t used = -static_cast<int32_t>(j < n);
    word[j] = (words[j] & used) | (INT32_MAX & ~used);
  }
  for (size_t j = 0; j < kWidth; ++j)
    for (size_t i = 0; i < kWidth; ++i) rank[i] += word[j] < word[i];
  for (size_t i = 0; i < n; ++i) out[rank[i]] = in[i];
}

void SortByWord(const int32_t* words, const FormatStep* in, size_t n, FormatStep* out) {
  if (n <= 4) return RankSort<4>(words, in, n, out);
  if (n <= 8) return RankSort<8>(words, in, n, out);
  if (n <= 16) return RankSort<16>(words, in, n, out);
  if (n <= kSortWidth) return RankSort<kSortWidth>(words, in, n, out);
  std::vector<size_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t x, size_t y) { return words[x] < words[y]; });
  for (size_t i = 0; i < n; ++i) out[i] = in[order[i]];
}

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

void FinishLine(LineScanner& scanner, std::string_view line, HighlightPass pass,
                const WordEnds& ends, std::vector<FormatStep>& steps) {
  const size_t found = FindWordSteps(scanner, line, pass, ends);
  steps.resize(found);
  SortByWord(scanner.foundWords.data(), scanner.foundSteps.data(), found, steps.data());
  // Most lines have neither; the walk has already said whether they do.
  if (ends.flags & kSlashFlag) {
    size_t comment = line.find("//");
    if (comment != std::string_view::npos)
      steps.push_back({static_cast<int>(comment) + 1, kLineEnd, HighlightCategory::Comments});
  }
  if (ends.flags & kQuoteFlag) AddQuotedSteps(line, steps);
}

// A scanner nobody built acts as one built from empty lists: comments and
// quoted text are still found.
void BuildIfNeeded(LineScanner& scanner) {
  if (scanner.automaton.narrowCells.empty() && scanner.automaton.wideCells.empty())
    scanner = BuildLineScanner(HighlightWordLists{});
}

}  // namespace

void ScanLine(LineScanner& scanner, std::string_view line, HighlightPass pass,
              std::vector<FormatStep>& steps) {
  BuildIfNeeded(scanner);
  FinishLine(scanner, line, pass, WalkWordEnds(scanner.automaton, line), steps);
}

void ScanTwoLines(LineScanner& scanner, std::string_view first, std::string_view second,
                  HighlightPass pass, std::vector<FormatStep>& firstSteps,
                  std::vector<FormatStep>& secondSteps) {
  BuildIfNeeded(scanner);
  WordEnds firstEnds, secondEnds;
  WalkWordEnds(scanner.automaton, first, second, firstEnds, secondEnds);
  FinishLine(scanner, first, pass, firstEnds, firstSteps);
  FinishLine(scanner, second, pass, secondEnds, secondSteps);
}
