#pragma once
// The line scan done the slow, obvious way: one substring search per word,
// exactly in the order the steps are applied. The fast scanner must always
// agree with it.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "editor/line_scan.h"

// 1-based column of the first occurrence, 0 when absent. An empty word is
// treated as absent: it would format nothing anyway.
inline int ReferenceFirstColumn(std::string_view line, const std::string& word) {
  if (word.empty()) return 0;
  size_t p = line.find(word);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

inline std::vector<FormatStep> ReferenceScanLine(const HighlightWordLists& lists,
                                                 std::string_view line, HighlightPass pass) {
  std::vector<FormatStep> steps;
  for (const std::string& name : lists.catalogueNames) {
    int p = ReferenceFirstColumn(line, name);
    if (p > 0) steps.push_back({p, p + static_cast<int>(name.size()), HighlightCategory::Keywords});
  }
  auto separatedWords = [&](const std::vector<std::string>& words, HighlightCategory category) {
    for (const std::string& word : words) {
      int p = ReferenceFirstColumn(line, word);
      if (p == 0) continue;
      bool counts = p == 1 || line[p - 2] == ' ' ||
                    (pass == HighlightPass::SingleLine && line[p - 2] == '(');
      if (counts) steps.push_back({p, p + static_cast<int>(word.size()), category});
    }
  };
  separatedWords(lists.commands, HighlightCategory::Methods);
  separatedWords(lists.directions, HighlightCategory::Events);
  separatedWords(lists.events, HighlightCategory::Events);
  separatedWords(lists.keywords, HighlightCategory::Events);

  int comment = ReferenceFirstColumn(line, "//");
  if (comment > 0) steps.push_back({comment, kLineEnd, HighlightCategory::Comments});

  bool inside = false;
  int s = 0;
  for (int column = 1; column <= static_cast<int>(line.size()); ++column) {
    if (line[column - 1] != '"') continue;
    if (!inside) {
      s = column;
      inside = true;
    } else {
      inside = false;
      steps.push_back({s + 1, column, HighlightCategory::Filename});
    }
  }
  return steps;
}

// What the steps leave on each character of the line: the category of the
// last step over it, or -1. Two step lists with equal looks format a line
// alike.
inline std::vector<int> LooksAfter(const std::vector<FormatStep>& steps, size_t lineLength) {
  std::vector<int> looks(lineLength, -1);
  for (const FormatStep& step : steps) {
    size_t end = step.end == kLineEnd ? lineLength : static_cast<size_t>(step.end - 1);
    for (size_t i = static_cast<size_t>(step.start - 1); i < end && i < lineLength; ++i)
      looks[i] = static_cast<int>(step.category);
  }
  return looks;
}

// The lists with each word kept once per list, where it first appears.
inline HighlightWordLists WithoutRepeatsInEachList(HighlightWordLists lists) {
  for (std::vector<std::string>* list :
       {&lists.catalogueNames, &lists.commands, &lists.directions, &lists.events, &lists.keywords}) {
    std::vector<std::string> kept;
    for (const std::string& word : *list)
      if (std::find(kept.begin(), kept.end(), word) == kept.end()) kept.push_back(word);
    *list = std::move(kept);
  }
  return lists;
}
