#include "catalogue/line_reader.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(LineReader, EveryTerminatorEndsALine) {
  EXPECT_EQ(SplitFileLines(std::string("a\r\nb\rc\nd\0e", 11)), (Lines{"a", "b", "c", "d", "e"}));
}

TEST(LineReader, FinalTerminatorAddsNoEmptyLine) {
  EXPECT_EQ(SplitFileLines("last\r\n"), (Lines{"last"}));
  EXPECT_EQ(SplitFileLines("last\r"), (Lines{"last"}));
  EXPECT_EQ(SplitFileLines(std::string("last\0", 5)), (Lines{"last"}));
  EXPECT_EQ(SplitFileLines("no terminator"), (Lines{"no terminator"}));
}

TEST(LineReader, EmptyInputHasNoLinesButABareTerminatorHasOne) {
  EXPECT_TRUE(SplitFileLines("").empty());
  EXPECT_EQ(SplitFileLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitFileLines("a\r\n\r\n"), (Lines{"a", ""}));
}

TEST(LineReader, OnlyCrLfPairsUp) {
  // LF CR and CR CR are two line ends each, not one.
  EXPECT_EQ(SplitFileLines("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitFileLines("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitFileLines(std::string("a\0\0b", 4)), (Lines{"a", "", "b"}));
}

TEST(LineReader, KeepsBlanksAndHighBytes) {
  EXPECT_EQ(SplitFileLines("  \r\n\tx \r\n\xE9t\xE9"), (Lines{"  ", "\tx ", "\xE9t\xE9"}));
}

TEST(LineReader, AScriptKeepsItsFinalLineBreakAsAnEmptyLastLine) {
  EXPECT_EQ(SplitScriptLines("x\r\ny\r\n"), (Lines{"x", "y", ""}));
  EXPECT_EQ(SplitScriptLines("x\r\ny"), (Lines{"x", "y"}));
  EXPECT_EQ(SplitScriptLines("\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitScriptLines(std::string("x\0", 2)), (Lines{"x", ""}));
  EXPECT_TRUE(SplitScriptLines("").empty());
}
