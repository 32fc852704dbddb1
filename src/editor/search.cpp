#include "editor/search.h"

#include "catalogue/line_reader.h"

namespace {

unsigned char Fold(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || c >= 0xE0) return static_cast<unsigned char>(c - 32);
  return c;
}

bool Counts(const Match& m, const LastMatch& last) {
  return m.column > 0 && !(m.line == last.line && m.column == last.column);
}

}  // namespace

int FindInLine(const std::string& line, const std::string& text, bool matchCase) {
  // An empty text would be found at the start of every line, and Replace
  // all would put the replacement there: a misclick must not edit the script.
  if (text.empty() || text.size() > line.size()) return 0;
  for (size_t at = 0; at + text.size() <= line.size(); ++at) {
    size_t i = 0;
    if (matchCase) {
      while (i < text.size() && line[at + i] == text[i]) ++i;
    } else {
      while (i < text.size() &&
             Fold(static_cast<unsigned char>(line[at + i])) == Fold(static_cast<unsigned char>(text[i])))
        ++i;
    }
    if (i == text.size()) return static_cast<int>(at) + 1;
  }
  return 0;
}

Match FindNextMatch(const std::vector<std::string>& lines, int fromLine, const std::string& text,
                    bool matchCase, const LastMatch& last) {
  for (int i = fromLine < 0 ? 0 : fromLine; i < static_cast<int>(lines.size()); ++i) {
    Match m{i, FindInLine(lines[i], text, matchCase)};
    if (Counts(m, last)) return m;
  }
  return {};
}

std::vector<std::string> SplitTextLines(const std::string& text) {
  // A text from the control or a text field holds no NUL, so the script
  // rule is the text's own; an empty text is still one (empty) line.
  std::vector<std::string> lines = SplitScriptLines(text);
  if (lines.empty()) lines.emplace_back();
  return lines;
}

ReplaceAllResult ReplaceAllMatches(std::vector<std::string>& lines, int fromLine, const std::string& text,
                                   const std::string& replacement, bool matchCase, const LastMatch& last) {
  ReplaceAllResult result;
  result.last = last;
  const std::vector<std::string> pieces = SplitTextLines(replacement);
  int added = 0;
  for (int i = fromLine < 0 ? 0 : fromLine; i < static_cast<int>(lines.size()); ++i) {
    const Match m{i, FindInLine(lines[i], text, matchCase)};
    if (!Counts(m, result.last)) continue;
    result.last = {m.line, m.column};
    ++result.replaced;
    // The lines earlier replacements made are not among the old lines.
    result.at.push_back({m.line - added, m.column});
    added += static_cast<int>(pieces.size()) - 1;
    const std::string before = lines[i].substr(0, m.column - 1);
    const std::string after = lines[i].substr(m.column - 1 + text.size());
    // The replacement's own lines come in as lines of the text.
    lines[i] = before + pieces.front();
    for (size_t k = 1; k < pieces.size(); ++k) lines.insert(lines.begin() + i + k, pieces[k]);
    const int end = i + static_cast<int>(pieces.size()) - 1;
    result.caretLine = end;
    result.caretColumn = static_cast<int>(lines[end].size()) + 1;
    lines[end] += after;
    result.lastTouchedLine = end;
    i = end;
  }
  return result;
}
