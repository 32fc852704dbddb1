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

// Hits per line are few, so a plain insertion sort beats a general one.
void SortByWord(std::vector<WordHit>& hits) {
  if (hits.size() > 32) {
    std::sort(hits.begin(), hits.end(),
              [](const WordHit& x, const WordHit& y) { return x.word < y.word; });
    return;
  }
  for (size_t i = 1; i < hits.size(); ++i) {
    WordHit h = hits[i];
    size_t j = i;
    for (; j > 0 && hits[j - 1].word > h.word; --j) hits[j] = hits[j - 1];
    hits[j] = h;
  }
}

}  // namespace

WordAutomaton BuildWordAutomaton(const std::vector<std::string_view>& words) {
  WordAutomaton a;
  Trie trie = BuildTrie(a, words);
  std::vector<uint32_t> breadthFirst;
  std::vector<int32_t> link = CompleteTransitions(trie, breadthFirst);
  const uint32_t classes = trie.classes;
  const uint32_t stateCount = static_cast<uint32_t>(trie.ending.size());
  a.classCount = classes;
  a.rowStride = classes + WordAutomaton::kInfoCells;

  // New numbers: states where no word can end first, the others after;
  // each group breadth first, so the shallow states that nearly every byte
  // visits share a few cache lines.
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
    uint32_t* info = row + classes;
    info[WordAutomaton::kSuffixLink] =
        link[s] == kNoState ? WordAutomaton::kNoRow : rowOf[static_cast<uint32_t>(link[s])];
    info[WordAutomaton::kWordsBegin] = static_cast<uint32_t>(a.wordsAt.size());
    info[WordAutomaton::kWordCount] = static_cast<uint32_t>(trie.ending[s].size());
    info[WordAutomaton::kDepth] =
        trie.ending[s].empty() ? 0 : a.wordLength[trie.ending[s].front()];
    a.wordsAt.insert(a.wordsAt.end(), trie.ending[s].begin(), trie.ending[s].end());
  }
  return a;
}

void FindFirstOccurrences(WordAutomaton& a, std::string_view text, std::vector<WordHit>& hits) {
  hits.clear();
  uint32_t* rows = a.rows.data();
  const uint32_t classes = a.classCount;
  if (++a.generation == 0) {
    for (size_t row = 0; row < a.rows.size(); row += a.rowStride)
      rows[row + classes + WordAutomaton::kSeenInLine] = 0;
    a.generation = 1;
  }
  if (a.endRows.size() < text.size()) {
    a.endRows.resize(text.size());
    a.endOffsets.resize(text.size());
  }

  // The walk only notes where a word may end, without branching on it:
  // whether one does is unpredictable byte by byte, and a mispredicted
  // branch costs more than the byte's whole step.
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

  const uint32_t generation = a.generation;
  for (size_t e = 0; e < endCount; ++e) {
    // A state met before in this line had its whole suffix chain recorded
    // then, at an earlier end, so the chain can stop there.
    for (uint32_t r = endRows[e]; r != WordAutomaton::kNoRow;) {
      uint32_t* info = rows + r + classes;
      if (info[WordAutomaton::kSeenInLine] == generation) break;
      info[WordAutomaton::kSeenInLine] = generation;
      uint32_t start = endOffsets[e] + 1 - info[WordAutomaton::kDepth];
      const uint32_t* word = a.wordsAt.data() + info[WordAutomaton::kWordsBegin];
      for (uint32_t k = 0; k < info[WordAutomaton::kWordCount]; ++k)
        hits.push_back(WordHit{word[k], start});
      r = info[WordAutomaton::kSuffixLink];
    }
  }
  SortByWord(hits);
}
