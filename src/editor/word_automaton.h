#pragma once
// Finds, in one pass over a text, where any of many words ends. The
// highlighter asks this for every line with a few thousand words, so a
// search per word would cost thousands of passes per line.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A dense automaton over byte classes (bytes that occur in no word share one
// class). Each state owns one row of cells, a transition per class, padded
// to a multiple of 8 cells. A cell holds the target row's offset, divided by
// 8 when every such quotient fits 16 bits: the walk then roams half the
// memory, and it is the memory the walk touches, more than the work per
// byte, that sets its pace.
// States where a word may end are numbered last, so "a word may end here" is
// one comparison against `firstOutputCell`, off the path from one byte to
// the next. Those states have an output list each, apart from the rows so
// that the few lists stay in a near cache while the walk roams the rows. An
// output is one spelling (a distinct word text) that ends in the state, its
// own or a shorter suffix's, so a hit needs no walk along suffix links; it
// carries all a hit needs in one record. A state where a word may end has at
// least one output.
struct WordAutomaton {
  struct Output {
    uint32_t spelling;   // one number per word text, for "seen before"
    uint32_t word;       // the spelling's first word
    uint32_t length;
    uint32_t moreWords;  // where the spelling's other words start in moreWordsOf, 0 if none
  };
  struct OutputList {
    uint32_t begin;  // into outputs
    uint32_t count;  // at least 1
  };

  std::array<uint8_t, 256> byteClass{};
  uint32_t cellShift = 0;      // 3 with the narrow cells, 0 with the wide ones
  std::vector<uint16_t> narrowCells;
  std::vector<uint32_t> wideCells;
  uint32_t firstOutputCell = 0;
  // Turns (cell - firstOutputCell) << cellShift into the state's place in
  // outputLists: a multiply and a shift instead of a division by the width.
  uint64_t outputListFactor = 0;
  std::vector<OutputList> outputLists;  // one per state where spellings end
  std::vector<Output> outputs;          // the lists, one after another
  uint32_t spellingCount = 0;
  // For a spelling of several words: its word count, then the words after
  // the first. Entry 0 is unused so 0 can mean "none".
  std::vector<uint32_t> moreWordsOf;

  // Scratch of the walk, kept here so a walk allocates nothing.
  std::vector<uint64_t> ends;  // where a word may end, as WordEnds holds them

  // Bytes the caller wants to know about: the walk ORs byteFlags of every
  // byte into its result, nearly for free, so the caller can skip searches
  // for characters the text does not contain.
  std::array<uint8_t, 256> byteFlags{};
};

// Every byte of a text where a word may end: the byte's offset in the high
// half, the cell reached there, less firstOutputCell, in the low half (one
// store per byte where two would slow the walk). Points into the
// automaton's scratch, so it lasts until the next walk.
struct WordEnds {
  const uint64_t* ends;
  size_t count;
  uint8_t flags;  // byteFlags of all the text's bytes, ORed
};
inline uint32_t EndCell(uint64_t end) { return static_cast<uint32_t>(end); }
inline uint32_t EndOffset(uint64_t end) { return static_cast<uint32_t>(end >> 32); }

// An empty word never matches.
WordAutomaton BuildWordAutomaton(const std::vector<std::string_view>& words);

WordEnds WalkWordEnds(WordAutomaton& automaton, std::string_view text);
// Two texts at once, faster than one after the other.
void WalkWordEnds(WordAutomaton& automaton, std::string_view first, std::string_view second,
                  WordEnds& firstEnds, WordEnds& secondEnds);

// The outputs of the state whose cell a walk noted, `count` of them.
inline const WordAutomaton::Output* OutputsAt(const WordAutomaton& a, uint32_t endCell,
                                              uint32_t& count) {
  const uint32_t place = static_cast<uint32_t>(
      (uint64_t{endCell << a.cellShift} * a.outputListFactor) >> 32);
  const WordAutomaton::OutputList& list = a.outputLists[place];
  count = list.count;
  return a.outputs.data() + list.begin;
}
