#include "editor/word_automaton.h"

#include <algorithm>

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
  a.wordLength.resize(words.size());
  for (uint32_t w = 0; w < words.size(); ++w) {
    a.wordLength[w] = static_cast<uint32_t>(words[w].size());
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

// A line has few hits and each word at most one, so a hit's place is the
// number of smaller word indices. Counting over a fixed width, padded with
// words that sort last, keeps every branch predictable, where an insertion
// sort mispredicts at nearly every step. Both buffers hold at least kWidth.
template <size_t kWidth>
void RankSort(const WordHit* in, size_t n, WordHit* out) {
  uint32_t word[kWidth];
  for (size_t j = 0; j < kWidth; ++j) {
    uint32_t inside = 0u - static_cast<uint32_t>(j < n);
    word[j] = (in[j].word & inside) | ~inside;
  }
  for (size_t i = 0; i < n; ++i) {
    uint32_t rank = 0;
    for (size_t j = 0; j < kWidth; ++j) rank += word[j] < word[i];
    out[rank] = in[i];
  }
}

void SortByWord(const WordHit* in, size_t n, WordHit* out) {
  if (n <= 8) return RankSort<8>(in, n, out);
  if (n <= 32) return RankSort<32>(in, n, out);
  std::copy(in, in + n, out);
  std::sort(out, out + n, [](const WordHit& x, const WordHit& y) { return x.word < y.word; });
}

}  // namespace

WordAutomaton BuildWordAutomaton(const std::vector<std::string_view>& words) {
  WordAutomaton a;
  a.placeholderWord = static_cast<uint32_t>(words.size());
  Trie trie = BuildTrie(a, words);
  std::vector<uint32_t> breadthFirst;
  std::vector<int32_t> link = CompleteTransitions(trie, breadthFirst);
  const uint32_t classes = trie.classes;
  const uint32_t stateCount = static_cast<uint32_t>(trie.ending.size());
  a.classCount = classes;
  a.rowStride = classes + WordAutomaton::kInfoCells;

  // New numbers: states where no word ends first, the others after; each
  // group breadth first, so the shallow states that nearly every byte visits
  // share a few cache lines.
  auto hasOutput = [&](uint32_t s) { return !trie.ending[s].empty() || link[s] != kNoState; };
  std::vector<uint32_t> rowOf(stateCount);
  uint32_t next = 0;
  for (uint32_t s : breadthFirst)
    if (!hasOutput(s)) rowOf[s] = a.rowStride * next++;
  a.firstOutputRow = a.rowStride * next;
  for (uint32_t s : breadthFirst)
    if (hasOutput(s)) rowOf[s] = a.rowStride * next++;

  a.rows.assign(static_cast<size_t>(stateCount) * a.rowStride, 0);
  for (uint32_t s = 0; s < stateCount; ++s) {
    uint32_t* row = &a.rows[rowOf[s]];
    for (uint32_t c = 0; c < classes; ++c)
      row[c] = rowOf[static_cast<uint32_t>(trie.child[s * classes + c])];
    const uint32_t begin = static_cast<uint32_t>(a.endingWords.size());
    for (int32_t t = static_cast<int32_t>(s); t != kNoState; t = link[static_cast<uint32_t>(t)])
      for (uint32_t w : trie.ending[static_cast<uint32_t>(t)])
        a.endingWords.push_back({w, a.wordLength[w]});
    const uint32_t count = static_cast<uint32_t>(a.endingWords.size()) - begin;
    while (a.endingWords.size() < begin + WordAutomaton::kListMinimum)
      a.endingWords.push_back({a.placeholderWord, 0});
    row[classes + WordAutomaton::kListBegin] = begin;
    row[classes + WordAutomaton::kListCount] = count;
    a.longestList = std::max(a.longestList, count);
  }
  a.seenInLine.assign(words.size() + 1, 0);
  return a;
}

size_t FindFirstOccurrences(WordAutomaton& a, std::string_view text) {
  if (++a.generation == 0) {
    std::fill(a.seenInLine.begin(), a.seenInLine.end(), 0);
    a.generation = 1;
  }
  constexpr size_t kSortWidth = 32;
  // Room for the most hits the line can give, and for the sort to read a
  // full width past them.
  const size_t room = text.size() * std::max(a.longestList, WordAutomaton::kListMinimum) + kSortWidth;
  if (a.found.size() < room) {
    a.endRows.resize(text.size());
    a.endOffsets.resize(text.size());
    a.found.resize(room);
    a.hits.resize(room);
  }

  // The walk only notes where a word may end, without branching on it:
  // whether one does is unpredictable byte by byte, and a mispredicted
  // branch costs more than the byte's whole step.
  const uint32_t* rows = a.rows.data();
  const uint8_t* byteClass = a.byteClass.data();
  const uint32_t firstOutputRow = a.firstOutputRow;
  uint32_t* endRows = a.endRows.data();
  uint32_t* endOffsets = a.endOffsets.data();
  size_t endCount = 0;
  uint32_t row = 0;  // the start state comes first: no word ends in it
  for (size_t i = 0; i < text.size(); ++i) {
    row = rows[row + byteClass[static_cast<unsigned char>(text[i])]];
    endRows[endCount] = row;
    endOffsets[endCount] = static_cast<uint32_t>(i);
    endCount += row >= firstOutputRow;
  }

  // Every word ending at a noted place; only its first place is kept. The
  // slot is written either way and kept only when the word is new here; the
  // placeholder is marked seen so it never is.
  const uint32_t classes = a.classCount;
  const uint32_t generation = a.generation;
  uint32_t* seen = a.seenInLine.data();
  seen[a.placeholderWord] = generation;
  WordHit* found = a.found.data();
  size_t count = 0;
  auto take = [&](const WordAutomaton::EndingWord& ending, uint32_t end) {
    found[count] = WordHit{ending.word, end - ending.length};
    count += seen[ending.word] != generation;
    seen[ending.word] = generation;
  };
  for (size_t e = 0; e < endCount; ++e) {
    const uint32_t* info = rows + endRows[e] + classes;
    const WordAutomaton::EndingWord* list = a.endingWords.data() + info[WordAutomaton::kListBegin];
    const uint32_t end = endOffsets[e] + 1;
    take(list[0], end);
    take(list[1], end);
    for (uint32_t k = WordAutomaton::kListMinimum; k < info[WordAutomaton::kListCount]; ++k)
      take(list[k], end);
  }
  SortByWord(found, count, a.hits.data());
  a.hitCount = count;
  return count;
}
