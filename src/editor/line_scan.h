#pragma once
// What the highlighter formats in one line: the words of the word lists, the
// line comment and the quoted texts, as formatting steps in the order they
// are applied (a later step wins where steps overlap).
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "editor/word_automaton.h"

// Only the single-line pass accepts a list word right after "(", so the two
// passes can format the same line differently.
enum class HighlightPass { WholeText, SingleLine };

// Which CategoryStyle record formats a step.
enum class HighlightCategory : uint8_t { Methods, Keywords, Comments, Events, Filename };
constexpr int kCategoryCount = 5;

// End column of a step that runs to the end of the line.
constexpr int kLineEnd = -1;

struct FormatStep {
  int start;  // 1-based column
  int end;    // exclusive column, or kLineEnd
  HighlightCategory category;
  bool operator==(const FormatStep& o) const {
    return start == o.start && end == o.end && category == o.category;
  }
};

// The word lists in the order their steps are applied. A word repeated
// within one list (the catalogue names the same method on many objects)
// gives one step: its repeats would lay the same format over the same
// stretch again, with nothing but that same format laid in between, so they
// cannot change the result and are left out.
struct HighlightWordLists {
  std::vector<std::string> catalogueNames;  // Keywords; no separator needed
  std::vector<std::string> commands;        // Methods
  std::vector<std::string> directions;      // Events
  std::vector<std::string> events;          // Events
  std::vector<std::string> keywords;        // Events
};

HighlightWordLists WordListsOf(const Catalogue& catalogue);

// Built once from the word lists (they never change after start-up), then
// used for every line. Holds scratch space, so one scanner serves one caller
// at a time. Pass the same `steps` vector for every line: it keeps its
// storage, so a line costs no allocation.
struct LineScanner {
  static constexpr uint8_t kNeedsSeparator = 0x80;  // else the category
  WordAutomaton automaton;
  std::vector<uint8_t> roleOf;  // per word, in step order

  // Scratch of a line.
  std::vector<uint32_t> seenInLine;  // per spelling: the generation whose line has it
  uint32_t generation = 0;
  std::vector<int32_t> foundWords;   // the steps found, with their word as sort key
  std::vector<FormatStep> foundSteps;
};

LineScanner BuildLineScanner(const HighlightWordLists& lists);
inline LineScanner BuildLineScanner(const Catalogue& catalogue) {
  return BuildLineScanner(WordListsOf(catalogue));
}

// Replaces `steps` with the line's steps. Only each word's first occurrence
// counts; an empty word never matches.
void ScanLine(LineScanner& scanner, std::string_view line, HighlightPass pass,
              std::vector<FormatStep>& steps);

// The same for two lines, faster than one after the other.
void ScanTwoLines(LineScanner& scanner, std::string_view first, std::string_view second,
                  HighlightPass pass, std::vector<FormatStep>& firstSteps,
                  std::vector<FormatStep>& secondSteps);

// Scans every line, two at a time, and hands each line's steps to
// take(index, steps) in order.
template <typename Lines, typename Take>
void ScanLines(LineScanner& scanner, const Lines& lines, HighlightPass pass, Take&& take) {
  std::vector<FormatStep> first, second;
  size_t i = 0;
  for (; i + 1 < lines.size(); i += 2) {
    ScanTwoLines(scanner, lines[i], lines[i + 1], pass, first, second);
    take(i, std::as_const(first));
    take(i + 1, std::as_const(second));
  }
  if (i < lines.size()) {
    ScanLine(scanner, lines[i], pass, first);
    take(i, std::as_const(first));
  }
}
