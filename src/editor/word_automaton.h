#pragma once
// Finds, in one pass over a text, where each of many words first occurs.
// The highlighter asks this for every line with a few thousand words, so a
// search per word would cost thousands of passes per line.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct WordHit {
  uint32_t word;   // index of the word in the list the automaton was built from
  uint32_t start;  // 0-based offset of its first occurrence
};

// A dense automaton over byte classes (bytes that occur in no word share one
// class). Each state owns one row: a transition per class, holding the
// target's row offset, then what the state knows about words ending in it,
// so a hit touches only the row the walk has just read.
// States where some word ends are numbered last, so "a word may end here"
// is one comparison against `firstOutputRow`, off the path from one byte to
// the next.
struct WordAutomaton {
  // Cells after the transitions of a row.
  static constexpr uint32_t kSeenInLine = 0;   // the scan generation that last met the state
  static constexpr uint32_t kSuffixLink = 1;   // row of the longest shorter suffix where words end
  static constexpr uint32_t kWordsBegin = 2;   // first of the state's words in wordsAt
  static constexpr uint32_t kWordCount = 3;
  static constexpr uint32_t kDepth = 4;        // length of every word ending here
  static constexpr uint32_t kInfoCells = 5;
  static constexpr uint32_t kNoRow = UINT32_MAX;

  std::array<uint8_t, 256> byteClass{};
  uint32_t classCount = 1;
  uint32_t rowStride = 1 + kInfoCells;
  uint32_t firstOutputRow = 0;
  std::vector<uint32_t> rows;     // the seen-in-line cells are the scan's scratch
  std::vector<uint32_t> wordsAt;  // word indices by state, ascending within a state
  std::vector<uint32_t> wordLength;
  uint32_t generation = 0;
  std::vector<uint32_t> endRows;     // where a word may end: the row reached
  std::vector<uint32_t> endOffsets;  // and the offset of the byte
};

// An empty word never matches.
WordAutomaton BuildWordAutomaton(const std::vector<std::string_view>& words);

// Replaces `hits` with the first occurrence of every word found in the text,
// ordered by word index. Identical words each get their own hit.
void FindFirstOccurrences(WordAutomaton& automaton, std::string_view text,
                          std::vector<WordHit>& hits);
