#include "editor/search.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(Search, TheCaseRuleFoldsOnlyAsciiLettersAndTheHighBytes) {
  EXPECT_EQ(FindInLine("xx Game", "game", true), 0);
  EXPECT_EQ(FindInLine("xx Game", "game", false), 4);
  EXPECT_EQ(FindInLine("caf\xC9", "\xE9", false), 4);   // 0xE9 folds onto 0xC9
  EXPECT_EQ(FindInLine("caf\xC9", "\xE9", true), 0);
  EXPECT_EQ(FindInLine("[", "{", false), 0);            // 0x7B is no letter: no fold onto 0x5B
  EXPECT_EQ(FindInLine("\xD7", "\xF7", false), 1);      // every byte from 0xE0 folds, 0xF7 included
  EXPECT_EQ(FindInLine("abc", "", true), 0);             // an empty text is found nowhere
  EXPECT_EQ(FindInLine("ab", "abc", true), 0);
}

TEST(Search, FindNextTakesTheFirstOccurrencePerLineAndPassesTheLastMatch) {
  const Lines lines = {"one x x", "two", "x three", "x"};
  LastMatch last;
  Match m = FindNextMatch(lines, 0, "x", true, last);
  EXPECT_EQ(m.line, 0);
  EXPECT_EQ(m.column, 5);
  last = {m.line, m.column};
  m = FindNextMatch(lines, 0, "x", true, last);           // the second x of line 0 is never found
  EXPECT_EQ(m.line, 2);
  EXPECT_EQ(m.column, 1);
  EXPECT_EQ(FindNextMatch(lines, 3, "x", true, {3, 1}).line, -1);   // no wrap past the end
  EXPECT_EQ(FindNextMatch({"only x"}, 0, "x", true, {0, 6}).line, -1);
  EXPECT_EQ(FindNextMatch(lines, 1, "", true, {}).line, -1);
}

TEST(Search, ReplaceAllChangesOneOccurrencePerLineFromTheCaretLineOn) {
  Lines lines = {"a above", "b a a", "no", "a"};
  ReplaceAllResult r = ReplaceAllMatches(lines, 1, "a", "aa", true, {});
  EXPECT_EQ(lines, (Lines{"a above", "b aa a", "no", "aa"}));   // the replacement holds the text: no loop
  EXPECT_EQ(r.replaced, 2);
  EXPECT_EQ(r.last.line, 3);
  EXPECT_EQ(r.last.column, 1);
  EXPECT_EQ(r.caretLine, 3);
  EXPECT_EQ(r.caretColumn, 3);
  // The last match is shared: a find after it passes it over, and so does another replace.
  EXPECT_EQ(FindNextMatch(lines, 3, "aa", true, r.last).line, -1);
  Lines again = {"x", "x"};
  EXPECT_EQ(ReplaceAllMatches(again, 0, "x", "y", true, {0, 1}).replaced, 1);
  EXPECT_EQ(again, (Lines{"x", "y"}));
  // A replacement with a line break splits its line and is not searched itself.
  Lines split = {"a1", "a2"};
  r = ReplaceAllMatches(split, 0, "a", "b\r\na", true, {});
  EXPECT_EQ(split, (Lines{"b", "a1", "b", "a2"}));
  EXPECT_EQ(r.lastTouchedLine, 3);
  // An empty search text replaces nothing.
  Lines empty = {"p", "q"};
  EXPECT_EQ(ReplaceAllMatches(empty, 0, "", "> ", false, {}).replaced, 0);
  EXPECT_EQ(empty, (Lines{"p", "q"}));
}

}  // namespace
