#pragma once
// Find and replace as plain logic over the lines of a text: which match comes
// next from a line, and what Replace all makes of the lines.
#include <string>
#include <vector>

// Where the last match was found or replaced; both windows share it and it
// is never cleared, so a match equal to it is passed over.
struct LastMatch {
  int line = -1;     // line index
  int column = -1;   // 1-based
};

// The 1-based column of the first occurrence of `text` in `line`, 0 when
// there is none. Without match case only a-z and the bytes 0xE0 to 0xFF are
// folded (each by 32) before comparing; an empty text is found at column 1.
int FindInLine(const std::string& line, const std::string& text, bool matchCase);

struct Match {
  int line = -1;     // line index, -1 when nothing was found
  int column = 0;    // 1-based
};

// The first line's match from `fromLine` on that is not the last match.
// Only the first occurrence in a line is ever looked at; nothing wraps.
Match FindNextMatch(const std::vector<std::string>& lines, int fromLine, const std::string& text,
                    bool matchCase, const LastMatch& last);

// Replace all from `fromLine` to the end: one occurrence per line, the first,
// unless it is the last match. `lines` is changed in place; a replacement
// that holds line breaks splits its line, and the search goes on after the
// lines it made: the replacement is never searched itself, so a replacement
// holding the search text and a line break cannot go on for ever.
struct ReplaceAllResult {
  int replaced = 0;
  std::vector<Match> at;   // every match replaced, in the lines as they were
  LastMatch last;          // the last match replaced, in the lines as they were then
  int caretLine = -1;      // after the last replacement, in the new lines
  int caretColumn = 0;
  int lastTouchedLine = -1;  // the new lines from fromLine to here differ
};
ReplaceAllResult ReplaceAllMatches(std::vector<std::string>& lines, int fromLine, const std::string& text,
                                   const std::string& replacement, bool matchCase, const LastMatch& last);

// A text with CR LF, lone CR or lone LF between lines, split into its lines.
std::vector<std::string> SplitTextLines(const std::string& text);
