#include "editor/line_scan.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "editor/line_scan_samples.h"
#include "editor/reference_line_scan.h"

namespace {

using HC = HighlightCategory;

std::vector<FormatStep> Scan(const HighlightWordLists& lists, std::string_view line,
                             HighlightPass pass = HighlightPass::WholeText) {
  LineScanner scanner = BuildLineScanner(lists);
  std::vector<FormatStep> steps;
  ScanLine(scanner, line, pass, steps);
  return steps;
}

std::string Describe(const std::vector<FormatStep>& steps) {
  std::string text;
  for (const FormatStep& s : steps)
    text += "(" + std::to_string(s.start) + "," + std::to_string(s.end) + "," +
            std::to_string(static_cast<int>(s.category)) + ")";
  return text;
}

TEST(LineScan, CommentInsideQuotesIsOverriddenOnlyBetweenTheQuotes) {
  HighlightWordLists lists;
  //                       1234567890123456
  auto steps = Scan(lists, "x = \"a//b\" + c");
  EXPECT_EQ(steps, (std::vector<FormatStep>{{7, kLineEnd, HC::Comments}, {6, 10, HC::Filename}}));
}

TEST(LineScan, OnlyTheFirstOccurrenceOfAWordIsJudged) {
  HighlightWordLists lists;
  lists.commands = {"say"};
  EXPECT_EQ(Scan(lists, "say a; say b"), (std::vector<FormatStep>{{1, 4, HC::Methods}}));
  // The first "say" follows a letter, so the line gets nothing for it, even
  // though the second one follows a space.
  EXPECT_TRUE(Scan(lists, "essay say").empty());
}

TEST(LineScan, ParenthesisCountsAsSeparatorOnlyInTheSingleLinePass) {
  HighlightWordLists lists;
  lists.keywords = {"true"};
  EXPECT_TRUE(Scan(lists, "f(true)", HighlightPass::WholeText).empty());
  EXPECT_EQ(Scan(lists, "f(true)", HighlightPass::SingleLine),
            (std::vector<FormatStep>{{3, 7, HC::Events}}));
}

TEST(LineScan, StepsFollowListOrderSoLaterListsWin) {
  HighlightWordLists lists;
  lists.catalogueNames = {"Walk", "Say"};
  lists.commands = {"Say"};
  lists.directions = {"DI_UP"};
  lists.events = {"OnTalk"};
  lists.keywords = {"if"};
  auto steps = Scan(lists, "if Say Walk DI_UP OnTalk");
  EXPECT_EQ(steps, (std::vector<FormatStep>{{8, 12, HC::Keywords},
                                            {4, 7, HC::Keywords},
                                            {4, 7, HC::Methods},
                                            {13, 18, HC::Events},
                                            {19, 25, HC::Events},
                                            {1, 3, HC::Events}}));
  // Glued to a dot, the shared word stays a catalogue name only.
  EXPECT_EQ(Scan(lists, "a.Say"), (std::vector<FormatStep>{{3, 6, HC::Keywords}}));
}

TEST(LineScan, QuotesPairFromTheLeft) {
  HighlightWordLists lists;
  EXPECT_EQ(Scan(lists, "\"ab\" \"c"), (std::vector<FormatStep>{{2, 4, HC::Filename}}));
  // An empty pair yields an empty step, exactly as the plain scan does.
  EXPECT_EQ(Scan(lists, "\"\"x\"y\""),
            (std::vector<FormatStep>{{2, 2, HC::Filename}, {5, 6, HC::Filename}}));
}

TEST(LineScan, ListWordsMatchAsPlainSubstrings) {
  HighlightWordLists lists;
  lists.catalogueNames = {"Pos"};
  lists.commands = {"play", ""};
  // A command at the start of a longer name formats that part; an empty
  // entry never matches.
  EXPECT_EQ(Scan(lists, "playSound xPosy"),
            (std::vector<FormatStep>{{12, 15, HC::Keywords}, {1, 5, HC::Methods}}));
}

TEST(LineScan, AWordRepeatedInOneListGivesOneStepWhereItFirstStands) {
  HighlightWordLists lists;
  lists.catalogueNames = {"Show", "Hide", "Show"};
  lists.commands = {"Show"};
  // The second "Show" entry would repeat the Keywords step after "Hide"'s;
  // the command's Methods step still follows both.
  EXPECT_EQ(Scan(lists, "Show.Hide"),
            (std::vector<FormatStep>{{1, 5, HC::Keywords}, {6, 10, HC::Keywords}, {1, 5, HC::Methods}}));
}

TEST(LineScan, AScannerNobodyBuiltStillFindsCommentsAndQuotes) {
  LineScanner scanner;
  std::vector<FormatStep> steps;
  ScanLine(scanner, "a \"b\" // c", HighlightPass::WholeText, steps);
  EXPECT_EQ(steps, (std::vector<FormatStep>{{7, kLineEnd, HC::Comments}, {4, 5, HC::Filename}}));
}

TEST(LineScan, WordsWithPunctuationFromListLinesMatchWhole) {
  HighlightWordLists lists;
  lists.commands = {"wait(ms)", "wait"};
  EXPECT_EQ(Scan(lists, " wait(ms)"),
            (std::vector<FormatStep>{{2, 10, HC::Methods}, {2, 6, HC::Methods}}));
}

// The fast scan against the plain one: step for step once the lists hold
// each word once, and character for character on the lists as given.
void ExpectAgreement(LineScanner& scanner, const HighlightWordLists& lists,
                     const HighlightWordLists& distinct, const std::string& line,
                     HighlightPass pass) {
  std::vector<FormatStep> steps;
  ScanLine(scanner, line, pass, steps);
  auto expected = ReferenceScanLine(distinct, line, pass);
  ASSERT_EQ(steps, expected) << "line [" << line << "] got " << Describe(steps) << " want "
                             << Describe(expected);
  ASSERT_EQ(LooksAfter(steps, line.size()),
            LooksAfter(ReferenceScanLine(lists, line, pass), line.size()))
      << "line [" << line << "]";
}

// Lines built to make words overlap, nest, repeat and sit next to every
// separator the rules look at.
TEST(LineScan, AgreesWithThePlainScanOnGeneratedLines) {
  std::mt19937 rng(20240611);
  int compared = 0;
  for (int listSet = 0; listSet < 60; ++listSet) {
    HighlightWordLists lists = samples::GenerateAdversarialLists(rng);
    HighlightWordLists distinct = WithoutRepeatsInEachList(lists);
    LineScanner scanner = BuildLineScanner(lists);
    for (int i = 0; i < 200; ++i) {
      std::string line = samples::GenerateAdversarialLine(rng, lists);
      for (HighlightPass pass : {HighlightPass::WholeText, HighlightPass::SingleLine}) {
        ASSERT_NO_FATAL_FAILURE(ExpectAgreement(scanner, lists, distinct, line, pass));
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 24000);
}

// The passes scan lines two at a time; pairs of unequal length, indented or
// empty lines and an odd count must not change a line's steps.
TEST(LineScan, LinesScannedInPairsGetTheirOwnSteps) {
  std::mt19937 rng(31);
  for (int listSet = 0; listSet < 20; ++listSet) {
    HighlightWordLists lists = samples::GenerateAdversarialLists(rng);
    HighlightWordLists distinct = WithoutRepeatsInEachList(lists);
    LineScanner scanner = BuildLineScanner(lists);
    std::vector<std::string> lines;
    for (int i = 0; i < 41; ++i) {
      std::string indent(static_cast<size_t>(samples::Roll(rng, 3) * samples::Roll(rng, 12)), ' ');
      lines.push_back(samples::Roll(rng, 8) == 0 ? "" : indent + samples::GenerateAdversarialLine(rng, lists));
    }
    for (HighlightPass pass : {HighlightPass::WholeText, HighlightPass::SingleLine}) {
      size_t next = 0;
      ScanLines(scanner, lines, pass, [&](size_t i, const std::vector<FormatStep>& steps) {
        ASSERT_EQ(i, next++);
        EXPECT_EQ(steps, ReferenceScanLine(distinct, lines[i], pass)) << "[" << lines[i] << "]";
      });
      EXPECT_EQ(next, lines.size());
    }
  }
}

TEST(LineScan, AgreesWithThePlainScanOnScriptLikeLines) {
  HighlightWordLists lists = samples::GenerateRealisticLists(7, 2000, 100);
  HighlightWordLists distinct = WithoutRepeatsInEachList(lists);
  LineScanner scanner = BuildLineScanner(lists);
  for (const std::string& line : samples::GenerateScript(8, 3000, lists))
    ASSERT_NO_FATAL_FAILURE(
        ExpectAgreement(scanner, lists, distinct, line, HighlightPass::SingleLine));
}

// The per-line bookkeeping restarts when its counter wraps; a line scanned
// after the wrap must not take marks left by the first lines ever scanned
// for its own.
TEST(LineScan, SurvivesTheLineCounterWrapping) {
  std::mt19937 rng(99);
  HighlightWordLists lists = samples::GenerateAdversarialLists(rng);
  lists.commands.push_back("ab");
  HighlightWordLists distinct = WithoutRepeatsInEachList(lists);
  LineScanner scanner = BuildLineScanner(lists);
  std::vector<std::string> lines = {"ab ab"};
  for (int i = 0; i < 8; ++i) lines.push_back(samples::GenerateAdversarialLine(rng, lists));
  std::vector<FormatStep> steps;
  for (const std::string& line : lines) ScanLine(scanner, line, HighlightPass::WholeText, steps);
  scanner.generation = UINT_MAX;  // the next line wraps to the first value
  for (int round = 0; round < 2; ++round)
    for (const std::string& line : lines)
      ASSERT_NO_FATAL_FAILURE(
          ExpectAgreement(scanner, lists, distinct, line, HighlightPass::WholeText));
}

// Enough words that the transition table outgrows 16-bit cells.
TEST(LineScan, AgreesWithThePlainScanWithAVeryLargeVocabulary) {
  std::mt19937 rng(5);
  HighlightWordLists lists;
  for (int i = 0; i < 30000; ++i) lists.catalogueNames.push_back(samples::MakeName(rng));
  for (int i = 0; i < 300; ++i) lists.commands.push_back(samples::Lowered(samples::MakeName(rng)));
  HighlightWordLists distinct = WithoutRepeatsInEachList(lists);
  LineScanner scanner = BuildLineScanner(lists);
  ASSERT_EQ(scanner.automaton.cellShift, 0u);
  for (const std::string& line : samples::GenerateScript(3, 150, lists))
    ASSERT_NO_FATAL_FAILURE(
        ExpectAgreement(scanner, lists, distinct, line, HighlightPass::WholeText));
}

TEST(LineScan, AgreesWithThePlainScanOnTheShippedData) {
  HighlightWordLists lists;
  if (!samples::LoadShippedLists(QVR_DATA_DIR, lists)) GTEST_SKIP() << "no shipped word lists yet";
  HighlightWordLists distinct = WithoutRepeatsInEachList(lists);
  LineScanner scanner = BuildLineScanner(lists);
  std::vector<std::string> lines = samples::LoadSampleScriptLines(QVR_DATA_DIR);
  for (std::string& line : samples::GenerateScript(11, 2000, lists)) lines.push_back(std::move(line));
  for (const std::string& line : lines)
    for (HighlightPass pass : {HighlightPass::WholeText, HighlightPass::SingleLine})
      ASSERT_NO_FATAL_FAILURE(ExpectAgreement(scanner, lists, distinct, line, pass));
}

}  // namespace
