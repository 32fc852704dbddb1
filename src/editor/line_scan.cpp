#include "editor/line_scan.h"

#include <algorithm>
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

namespace {

constexpr uint8_t kSlashFlag = 1;
constexpr uint8_t kQuoteFlag = 2;

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
  for (const ListRole& role : listRoles)
    for (const std::string& word : *role.words) {
      words.push_back(word);
      scanner.roles.push_back({static_cast<int>(word.size()), role.category, role.needsSeparator});
    }
  scanner.automaton = BuildWordAutomaton(words);
  scanner.automaton.byteFlags['/'] = kSlashFlag;
  scanner.automaton.byteFlags['"'] = kQuoteFlag;
  return scanner;
}

namespace {

// A list word must start a word of the line, or it would colour the middle
// of identifiers; only its first occurrence is judged.
bool Counts(const LineScanner::WordRole& role, std::string_view line, uint32_t start,
            HighlightPass pass) {
  const char before = start == 0 ? ' ' : line[start - 1];
  return !role.needsSeparator | (before == ' ') |
         ((pass == HighlightPass::SingleLine) & (before == '('));
}

// A line has few hits and each word at most one, so a hit's place is the
// number of smaller word indices. Counting over a fixed width, the unused
// places holding words that sort last, keeps every branch independent of
// the line (an insertion sort mispredicts at nearly every step) and lets
// the compiler count all places at once in vector registers. Word indices
// stay below 2^31, so signed comparisons serve. `in` may be read kWidth
// entries far.
template <size_t kWidth>
void RankSort(const WordHit* in, size_t n, WordHit* out) {
  int32_t word[kWidth];
  int32_t rank[kWidth] = {};
  for (size_t j = 0; j < kWidth; ++j) {
    const int32_t used = -static_cast<int32_t>(j < n);
    word[j] = (static_cast<int32_t>(in[j].word) & used) | (INT32_MAX & ~used);
  }
  for (size_t j = 0; j < kWidth; ++j)
    for (size_t i = 0; i < kWidth; ++i) rank[i] += word[j] < word[i];
  for (size_t i = 0; i < n; ++i) out[rank[i]] = in[i];
}

void SortByWord(const WordHit* in, size_t n, WordHit* out) {
  static_assert(kHitSlack >= 32, "the widest rank sort reads 32 hits");
  if (n <= 8) return RankSort<8>(in, n, out);
  if (n <= 16) return RankSort<16>(in, n, out);
  if (n <= 32) return RankSort<32>(in, n, out);
  std::copy(in, in + n, out);
  std::sort(out, out + n, [](const WordHit& x, const WordHit& y) { return x.word < y.word; });
}

// Every hit is written and kept only when it counts, which spares a branch
// that the line's text would make unpredictable.
void AddWordSteps(LineScanner& scanner, std::string_view line, HighlightPass pass,
                  std::vector<FormatStep>& steps) {
  const size_t n = scanner.automaton.hitCount;
  if (scanner.ordered.size() < n) {
    scanner.ordered.resize(n);
    scanner.kept.resize(n);
  }
  SortByWord(scanner.automaton.hits.data(), n, scanner.ordered.data());
  FormatStep* out = scanner.kept.data();
  size_t kept = 0;
  for (size_t h = 0; h < n; ++h) {
    const WordHit& hit = scanner.ordered[h];
    const LineScanner::WordRole& role = scanner.roles[hit.word];
    const int column = static_cast<int>(hit.start) + 1;
    out[kept] = FormatStep{column, column + role.length, role.category};
    kept += Counts(role, line, hit.start, pass);
  }
  steps.assign(out, out + kept);
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

}  // namespace

void ScanLine(LineScanner& scanner, std::string_view line, HighlightPass pass,
              std::vector<FormatStep>& steps) {
  // A scanner nobody built acts as one built from empty lists: comments and
  // quoted text are still found.
  if (scanner.automaton.rows.empty()) scanner = BuildLineScanner(HighlightWordLists{});
  FindFirstOccurrences(scanner.automaton, line);
  AddWordSteps(scanner, line, pass, steps);
  // Most lines have neither; the walk has already said whether they do.
  if (scanner.automaton.flagsSeen & kSlashFlag) {
    size_t comment = line.find("//");
    if (comment != std::string_view::npos)
      steps.push_back({static_cast<int>(comment) + 1, kLineEnd, HighlightCategory::Comments});
  }
  if (scanner.automaton.flagsSeen & kQuoteFlag) AddQuotedSteps(line, steps);
}
