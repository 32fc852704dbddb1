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
// class). Each state owns a row of `rowStride` cells: one transition per
// class, holding the target's row offset, then the state's own number.
// States where some word ends are numbered last, so "a word may end here"
// is one comparison against `firstOutputRow`, off the path from one byte to
// the next.
struct WordAutomaton {
  std::array<uint8_t, 256> byteClass{};
  uint32_t rowStride = 2;
  uint32_t firstOutputRow = 0;
  std::vector<uint32_t> rows;
  std::vector<int32_t> dictionaryLink;  // nearest shorter suffix state where words end, or -1
  std::vector<uint32_t> wordsBegin;     // per state, into wordsAt; one extra at the end
  std::vector<uint32_t> wordsAt;        // word indices ending in each state, ascending
  std::vector<uint32_t> wordLength;

  // Scratch of the scan, kept here so a scan allocates nothing.
  std::vector<uint32_t> seenInLine;  // per state: the generation it was last met in
  uint32_t generation = 0;
  std::vector<std::pair<uint32_t, uint32_t>> ends;  // (row, offset) where a word may end
};

// An empty word never matches.
WordAutomaton BuildWordAutomaton(const std::vector<std::string_view>& words);

// Replaces `hits` with the first occurrence of every word found in the text,
// ordered by word index. Identical words each get their own hit.
void FindFirstOccurrences(WordAutomaton& automaton, std::string_view text,
                          std::vector<WordHit>& hits);
