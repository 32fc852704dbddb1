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
// target's row offset, then where its word list starts and how long it is.
// A state's word list holds every word that ends there, its own and those of
// its shorter suffixes, so a hit needs no walk along suffix links. Lists are
// padded to kListMinimum with a placeholder word that never counts, so the
// usual short list is handled without a loop.
// States with words are numbered last, so "a word may end here" is one
// comparison against `firstOutputRow`, off the path from one byte to the
// next.
struct WordAutomaton {
  static constexpr uint32_t kListBegin = 0;  // cells after a row's transitions
  static constexpr uint32_t kListCount = 1;
  static constexpr uint32_t kInfoCells = 2;
  static constexpr uint32_t kListMinimum = 2;

  struct EndingWord {
    uint32_t word;
    uint32_t length;
  };

  std::array<uint8_t, 256> byteClass{};
  uint32_t classCount = 1;
  uint32_t rowStride = 1 + kInfoCells;
  uint32_t firstOutputRow = 0;
  std::vector<uint32_t> rows;
  std::vector<EndingWord> endingWords;  // the states' lists, one after another
  std::vector<uint32_t> wordLength;
  uint32_t placeholderWord = 0;  // the number of words
  uint32_t longestList = 0;

  // Scratch of the scan, kept here so a scan allocates nothing.
  std::vector<uint32_t> seenInLine;  // per word: the generation whose line has it
  uint32_t generation = 0;
  std::vector<uint32_t> endRows;     // where a word may end: the row reached
  std::vector<uint32_t> endOffsets;  // and the offset of the byte
  std::vector<WordHit> found;        // grows only; its size is not the hit count
  std::vector<WordHit> hits;         // the result: the first hitCount entries
  size_t hitCount = 0;
};

// An empty word never matches.
WordAutomaton BuildWordAutomaton(const std::vector<std::string_view>& words);

// Leaves in automaton.hits[0, hitCount) the first occurrence of every word
// found in the text, ordered by word index; identical words each get their
// own hit. Returns hitCount.
size_t FindFirstOccurrences(WordAutomaton& automaton, std::string_view text);
