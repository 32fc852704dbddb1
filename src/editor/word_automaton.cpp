#include "editor/word_automaton.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kNoState = -1;

struct Trie {
  uint32_t classes = 1;
  std::vector<int32_t> child;  // state * classes + class, kNoState when missing
  std::vector<std::vector<uint32_t>> ending;
};

void AssignByteClasses(WordAutomaton& a, Trie& trie, const std::vector<std::string_view>& words) {
  a.byteClass.fill(0);
  trie.classes = 1;
  for (std::string_view word : words)
    for (unsigned char c : word)
      if (a.byteClass[c] == 0) a.byteClass[c] = static_cast<uint8_t>(trie.classes++);
}

Trie BuildTrie(WordAutomaton& a, const std::vector<std::string_view>& words) {
  Trie trie;
  AssignByteClasses(a, trie, words);
  const uint32_t classes = trie.classes;
  trie.child.assign(classes, kNoState);
  trie.ending.resize(1);
  for (uint32_t w = 0; w < words.size(); ++w) {
    if (words[w].empty()) continue;
    uint32_t state = 0;
    for (unsigned char c : words[w]) {
      size_t cell = state * classes + a.byteClass[c];
      if (trie.child[cell] == kNoState) {
        trie.child[cell] = static_cast<int32_t>(trie.ending.size());
        trie.ending.emplace_back();
        trie.child.resize(trie.child.size() + classes, kNoState);
      }
      state = static_cast<uint32_t>(trie.child[cell]);
    }
    trie.ending[state].push_back(w);
  }
  return trie;
}

// Breadth first, so that every failure target is complete before it is
// used: a missing child becomes the failure state's transition.
std::vector<int32_t> CompleteTransitions(Trie& trie, std::vector<uint32_t>& breadthFirst) {
  const uint32_t classes = trie.classes;
  const uint32_t stateCount = static_cast<uint32_t>(trie.ending.size());
  std::vector<uint32_t> failure(stateCount, 0);
  std::vector<int32_t> link(stateCount, kNoState);
  std::vector<uint32_t>& queue = breadthFirst;
  queue.assign(1, 0);
  queue.reserve(stateCount);
  for (uint32_t c = 0; c < classes; ++c) {
    if (trie.child[c] == kNoState) {
      trie.child[c] = 0;
    } else {
      queue.push_back(static_cast<uint32_t>(trie.child[c]));
    }
  }
  for (size_t head = 1; head < queue.size(); ++head) {
    uint32_t state = queue[head];
    uint32_t fail = failure[state];
    link[state] = trie.ending[fail].empty() ? link[fail] : static_cast<int32_t>(fail);
    for (uint32_t c = 0; c < classes; ++c) {
      int32_t& next = trie.child[state * classes + c];
      int32_t viaFailure = trie.child[fail * classes + c];
      if (next == kNoState) {
        next = viaFailure;
      } else {
        failure[static_cast<uint32_t>(next)] = static_cast<uint32_t>(viaFailure);
        queue.push_back(static_cast<uint32_t>(next));
      }
    }
  }
  return link;
}

}  // namespace

WordAutomaton BuildWordAutomaton(const std::vector<std::string_view>& words) {
  WordAutomaton a;
  Trie trie = BuildTrie(a, words);
  std::vector<uint32_t> breadthFirst;
  std::vector<int32_t> link = CompleteTransitions(trie, breadthFirst);
  const uint32_t classes = trie.classes;
  const uint32_t stateCount = static_cast<uint32_t>(trie.ending.size());

  // Spellings: one per state where words end.
  std::vector<WordAutomaton::Output> spellingOutput(stateCount);
  uint32_t spellingCount = 0;
  a.moreWordsOf.assign(1, 0);
  for (uint32_t s = 0; s < stateCount; ++s) {
    const std::vector<uint32_t>& ending = trie.ending[s];
    if (ending.empty()) continue;
    uint32_t more = 0;
    if (ending.size() > 1) {
      more = static_cast<uint32_t>(a.moreWordsOf.size());
      a.moreWordsOf.push_back(static_cast<uint32_t>(ending.size() - 1));
      a.moreWordsOf.insert(a.moreWordsOf.end(), ending.begin() + 1, ending.end());
    }
    spellingOutput[s] = {spellingCount++, ending.front(),
                         static_cast<uint32_t>(words[ending.front()].size()), more};
  }
  a.spellingCount = spellingCount;

  // New numbers: states where no word ends first, the others after; each
  // group breadth first, so the shallow states that nearly every byte visits
  // share a few cache lines.
  auto hasOutput = [&](uint32_t s) { return !trie.ending[s].empty() || link[s] != kNoState; };
  std::vector<uint32_t> numberOf(stateCount);
  uint32_t next = 0;
  for (uint32_t s : breadthFirst)
    if (!hasOutput(s)) numberOf[s] = next++;
  const uint32_t firstOutputState = next;
  for (uint32_t s : breadthFirst)
    if (hasOutput(s)) numberOf[s] = next++;

  const uint32_t width = (classes + 7) / 8 * 8;
  const uint64_t cellCount = uint64_t{stateCount} * width;
  a.cellShift = cellCount / 8 <= 0x10000 ? 3 : 0;
  auto cellOf = [&](uint32_t s) { return (numberOf[s] * width) >> a.cellShift; };
  a.firstOutputCell = (firstOutputState * width) >> a.cellShift;
  // Exact for a multiple k * width: the product is k * 2^32 plus
  // k * (less than width), which stays below 2^32 while the cells do.
  a.outputListFactor = ((uint64_t{1} << 32) + width - 1) / width;
  if (a.cellShift == 3) {
    a.narrowCells.assign(cellCount, 0);
  } else {
    a.wideCells.assign(cellCount, 0);
  }
  a.outputLists.resize(stateCount - firstOutputState);
  for (uint32_t s = 0; s < stateCount; ++s) {
    const size_t row = size_t{numberOf[s]} * width;
    for (uint32_t c = 0; c < classes; ++c) {
      const uint32_t target = cellOf(static_cast<uint32_t>(trie.child[s * classes + c]));
      if (a.cellShift == 3) {
        a.narrowCells[row + c] = static_cast<uint16_t>(target);
      } else {
        a.wideCells[row + c] = target;
      }
    }
    if (numberOf[s] < firstOutputState) continue;
    const uint32_t begin = static_cast<uint32_t>(a.outputs.size());
    for (int32_t t = static_cast<int32_t>(s); t != kNoState; t = link[static_cast<uint32_t>(t)])
      if (!trie.ending[static_cast<uint32_t>(t)].empty())
        a.outputs.push_back(spellingOutput[static_cast<uint32_t>(t)]);
    const uint32_t count = static_cast<uint32_t>(a.outputs.size()) - begin;
    a.outputLists[numberOf[s] - firstOutputState] = {begin, count};
  }
  return a;
}

namespace {

// One text's walk. The walk only notes where a word may end, without
// branching on it: whether one does is unpredictable byte by byte, and a
// mispredicted branch costs more than the byte's whole step.
template <typename Cell, uint32_t kShift>
struct Walker {
  const WordAutomaton& a;
  const Cell* cells;
  std::string_view text;
  uint64_t* ends;
  size_t at = 0;
  size_t endCount = 0;
  uint32_t cell = 0;  // the start state comes first: no word ends in it
  uint8_t flags = 0;

  // Indentation leaves the walk where it started, so it is passed over
  // eight spaces at a time instead of byte by byte through the walk's chain
  // of dependent loads. Bytes are read little-endian: the lowest set byte of
  // x is the first one that is not a space.
  void PassIndentation() {
    if (cells[a.byteClass[' ']] != 0 || a.byteFlags[' '] != 0) return;
    while (at + 8 <= text.size()) {
      uint64_t x;
      std::memcpy(&x, text.data() + at, 8);
      x ^= 0x2020202020202020ull;
      if (x != 0) {
        at += static_cast<size_t>(__builtin_ctzll(x)) / 8;
        return;
      }
      at += 8;
    }
  }
  size_t Left() const { return text.size() - at; }
  void Step() {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    cell = cells[(cell << kShift) + a.byteClass[c]];
    flags |= a.byteFlags[c];
    ends[endCount] = (uint64_t{at} << 32) | (cell - a.firstOutputCell);
    endCount += cell >= a.firstOutputCell;
    ++at;
  }
  WordEnds Ends() const { return {ends, endCount, flags}; }
};

template <typename Cell, uint32_t kShift>
WordEnds WalkOne(WordAutomaton& a, const Cell* cells, std::string_view text) {
  Walker<Cell, kShift> w{a, cells, text, a.ends.data()};
  w.PassIndentation();
  while (w.Left() != 0) w.Step();
  return w.Ends();
}

// Each walk is a chain of loads that wait for each other; two chains side
// by side wait at the same time.
template <typename Cell, uint32_t kShift>
void WalkTwo(WordAutomaton& a, const Cell* cells, std::string_view first, std::string_view second,
             WordEnds& firstEnds, WordEnds& secondEnds) {
  Walker<Cell, kShift> w1{a, cells, first, a.ends.data()};
  Walker<Cell, kShift> w2{a, cells, second, a.ends.data() + first.size()};
  w1.PassIndentation();
  w2.PassIndentation();
  for (size_t both = std::min(w1.Left(), w2.Left()); both != 0; --both) {
    w1.Step();
    w2.Step();
  }
  while (w1.Left() != 0) w1.Step();
  while (w2.Left() != 0) w2.Step();
  firstEnds = w1.Ends();
  secondEnds = w2.Ends();
}

void ReserveEnds(WordAutomaton& a, size_t bytes) {
  if (a.ends.size() < bytes) a.ends.resize(bytes);
}

}  // namespace

WordEnds WalkWordEnds(WordAutomaton& a, std::string_view text) {
  ReserveEnds(a, text.size());
  if (a.cellShift == 3) return WalkOne<uint16_t, 3>(a, a.narrowCells.data(), text);
  return WalkOne<uint32_t, 0>(a, a.wideCells.data(), text);
}

void WalkWordEnds(WordAutomaton& a, std::string_view first, std::string_view second,
                  WordEnds& firstEnds, WordEnds& secondEnds) {
  ReserveEnds(a, first.size() + second.size());
  if (a.cellShift == 3) {
    WalkTwo<uint16_t, 3>(a, a.narrowCells.data(), first, second, firstEnds, secondEnds);
  } else {
    WalkTwo<uint32_t, 0>(a, a.wideCells.data(), first, second, firstEnds, secondEnds);
  }
}
