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
// target's row offset, then where the state's spelling list starts and how
// long it is. A spelling is one distinct word text (a list may repeat a
// word); a state's spelling list holds every spelling that ends there, its
// own and those of its shorter suffixes, so a hit needs no walk along suffix
// links. Lists are padded to kListMinimum with a placeholder that never
// counts, so the usual short list is handled without a loop.
// States where spellings end are numbered last, so "a word may end here" is
// one comparison against `firstOutputRow`, off the path from one byte to the
// next.
struct WordAutomaton {
  static constexpr uint32_t kListBegin = 0;  // cells after a row's transitions
  static constexpr uint32_t kListCount = 1;
  static constexpr uint32_t kInfoCells = 2;
  static constexpr uint32_t kListMinimum = 2;

  struct Spelling {
    uint32_t length;
    uint32_t firstWord;  // into wordsOf
    uint32_t wordCount;
  };

  std::array<uint8_t, 256> byteClass{};
  uint32_t classCount = 1;
  uint32_t rowStride = 1 + kInfoCells;
  uint32_t firstOutputRow = 0;
  std::vector<uint32_t> rows;
  std::vector<uint32_t> spellingLists;  // the states' lists, one after another
  std::vector<Spelling> spellings;      // the last one is the placeholder
  std::vector<uint32_t> wordsOf;        // word indices by spelling, ascending

  // Scratch of the scan, kept here so a scan allocates nothing.
  std::vector<uint32_t> seenInLine;  // per spelling: the generation whose line has it
  uint32_t generation = 0;
  std::vector<uint32_t> endRows;     // where a word may end: the row reached
  std::vector<uint32_t> endOffsets;  // and the offset of the byte
  std::vector<WordHit> hits;         // the result: the first hitCount entries
  size_t hitCount = 0;

  // Bytes the caller wants to know about: the walk ORs byteFlags of every
  // byte into flagsSeen, nearly for free, so the caller can skip searches
  // for characters the text does not contain.
  std::array<uint8_t, 256> byteFlags{};
  uint8_t flagsSeen = 0;
};

// How many entries past hitCount may be read (never used) by a caller that
// works on a fixed number of hits at a time.
constexpr size_t kHitSlack = 32;

// An empty word never matches.
WordAutomaton BuildWordAutomaton(const std::vector<std::string_view>& words);

// Leaves in automaton.hits[0, hitCount) the first occurrence of every word
// found in the text, in no particular order (each word at most once;
// identical words each get their own hit), and sets flagsSeen. Returns
// hitCount.
size_t FindFirstOccurrences(WordAutomaton& automaton, std::string_view text);
